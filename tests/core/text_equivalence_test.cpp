#include "core/text/text_equivalence.h"

#include <gtest/gtest.h>

using vesk::canonicallyEqual;

TEST(TextEquivalence, EqualByCanonicalEquivalenceOnly) {
  const struct {
    const char* first;
    const char* second;
    bool equal;
  } cases[] = {
      {"", "", true},
      {"caf\u00e9", "cafe\u0301", true},         // composed and decomposed accent
      {"a\u0323\u0301", "a\u0301\u0323", true},  // combining marks in canonical order
      {"\u1100\u1161", "\uAC00", true},          // Hangul jamo and syllable
      {"\u212B", "\u00C5", true},                // Angstrom sign is a singleton
      {"e\u0301 \u2019", "\u00e9 \u2019", true},
      {"Caf\u00e9", "caf\u00e9", false},   // no case folding
      {"caf\u00e9 ", "caf\u00e9", false},  // no trimming
      {"\uFB01", "fi", false},             // compatibility is not canonical
      {"\u00e9", "e", false},
      {"cafe\u0301", "cafe", false},
      {"quick", "full", false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(canonicallyEqual(c.first, c.second), c.equal) << c.first << " / " << c.second;
    EXPECT_EQ(canonicallyEqual(c.second, c.first), c.equal) << c.second << " / " << c.first;
  }
  const std::string withNul("a\0b", 3);
  EXPECT_FALSE(canonicallyEqual(withNul, std::string("a")));
  EXPECT_TRUE(canonicallyEqual(withNul, withNul));
}

TEST(TextEquivalence, AbsentOnlyEqualsAbsent) {
  using Text = std::optional<std::string>;
  EXPECT_TRUE(vesk::canonicallyEqualOptionals(Text{}, Text{}));
  EXPECT_FALSE(vesk::canonicallyEqualOptionals(Text{}, Text{""}));
  EXPECT_FALSE(vesk::canonicallyEqualOptionals(Text{""}, Text{}));
  EXPECT_TRUE(vesk::canonicallyEqualOptionals(Text{"caf\u00e9"}, Text{"cafe\u0301"}));
}

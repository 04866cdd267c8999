#include "core/text/text_rules.h"

#include "core/library/library_presentation.h"
#include "core/report/report_screen_rules.h"
#include "support/scoped_language.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using vesk::splitAtWhiteSpace;

TEST(TextRules, SplitsAtEveryWhiteSpaceCodePoint) {
  using Pieces = std::vector<std::string>;
  EXPECT_EQ(splitAtWhiteSpace(""), Pieces{});
  EXPECT_EQ(splitAtWhiteSpace(" \t\r\n\u000B\u000C\u0085\u00A0\u1680\u2000\u200A\u2028\u2029\u202F\u205F\u3000"),
            Pieces{});
  EXPECT_EQ(splitAtWhiteSpace("a\r\nb\u0085c\u00A0d"), (Pieces{"a", "b", "c", "d"}));
  // Not white space: zero-width space, word joiner, Mongolian vowel separator, BOM.
  EXPECT_EQ(splitAtWhiteSpace("a\u200Bb\u2060c\u180Ed\uFEFFe"), Pieces{"a\u200Bb\u2060c\u180Ed\uFEFFe"});
  // Prepended concatenation marks join the next character into their grapheme cluster,
  // and a combining mark after a space joins it; the white space splits all the same.
  for (const char* prepend : {"\u0600", "\u0605", "\u06DD", "\u070F", "\u08E2", "\U000110BD", "\U000111C2"}) {
    EXPECT_EQ(splitAtWhiteSpace(std::string("a") + prepend + " b"), (Pieces{std::string("a") + prepend, "b"}))
        << prepend;
    EXPECT_EQ(splitAtWhiteSpace(std::string("a") + prepend + "\u3000" + prepend + "b"),
              (Pieces{std::string("a") + prepend, std::string(prepend) + "b"}))
        << prepend;
  }
  EXPECT_EQ(splitAtWhiteSpace("a \u0301b"), (Pieces{"a", "\u0301b"}));
  EXPECT_EQ(splitAtWhiteSpace("\U0001F469\u200D\U0001F4BB x"), (Pieces{"\U0001F469\u200D\U0001F4BB", "x"}));
}

// Statuses, agents and eyebrows are capitalised the same way whatever the user's language:
// a Turkish or Azerbaijani one must not turn "i" into a dotted capital.
TEST(TextRules, CaseMappingsIgnoreTheUsersLanguage) {
  for (const auto& [icuName, posixName] : {std::pair{"tr", "tr_TR.UTF-8"}, std::pair{"az", "az_AZ.UTF-8"}}) {
    const vesk::testing::ScopedLanguage language(icuName, posixName);
    EXPECT_EQ(vesk::uppercased("Sample quick read"), "SAMPLE QUICK READ") << icuName;
    EXPECT_EQ(vesk::uppercased("Billing \u0131 \u00DF"), "BILLING I SS") << icuName;
    EXPECT_EQ(vesk::capitalisedWords("in review"), "In Review") << icuName;

    vesk::SavedAudit run("r1", "p1", "Doral", "INITIALISING", "");
    run.agent = "gemini cli";
    EXPECT_EQ(vesk::libraryRunMeta(run), "Gemini Cli · Initialising") << icuName;
    EXPECT_EQ(vesk::reportKindLabel(run), "Gemini Cli · Saved report") << icuName;
    run.agent = "IMAGINE";
    EXPECT_EQ(vesk::reportKindLabel(run), "Imagine · Saved report") << icuName;
  }
}

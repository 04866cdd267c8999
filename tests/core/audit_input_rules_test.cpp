#include "core/input/audit_input_rules.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

using vesk::auditProjectName;
using vesk::boundedAccountText;
using vesk::toggleChoice;

namespace {

using Texts = std::vector<std::string>;

std::string repeated(const std::string& piece, int times) {
  std::string text;
  for (int i = 0; i < times; ++i) text += piece;
  return text;
}

std::size_t utf16Length(const std::string& utf8) {
  std::size_t units = 0;
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    const auto byte = static_cast<unsigned char>(utf8[i]);
    if ((byte & 0xC0) != 0x80) units += byte >= 0xF0 ? 2 : 1;
  }
  return units;
}

}  // namespace

TEST(AuditProjectName, NamesAfterTheFirstHostThenTheFileThenUntitled) {
  struct Case {
    Texts urls;
    std::optional<std::string> filename;
    std::string expected;
  };
  const std::string longLabel = repeated("a", 63);
  const std::string longHost = longLabel + "." + longLabel + "." + longLabel + ".com";  // 195 characters
  const std::vector<Case> cases = {
      {{"https://www.example.com/x"}, "Brand guide.pdf", "example.com"},
      {{"https://WWW.Example.com"}, std::nullopt, "WWW.Example.com"},
      {{"https://Bücher.de/katalog"}, std::nullopt, "Bücher.de"},
      {{"https://u:p@www.shop.io"}, std::nullopt, "shop.io"},
      {{"https://www.www.x.com"}, std::nullopt, "www.x.com"},
      {{"https://a.com", "https://b.com"}, std::nullopt, "a.com"},
      {{}, "Brand guide.pdf", "Brand guide"},
      {{}, "archive.tar.gz", "archive.tar"},
      {{}, "README", "README"},
      {{}, ".pdf", "Untitled audit"},
      {{}, "", "Untitled audit"},
      {{}, std::nullopt, "Untitled audit"},
      // A first URL without a host falls back to the file, never to a later URL.
      {{"not a url", "https://b.com"}, "notes.txt", "notes"},
      {{"https:///nohost", "https://b.com"}, std::nullopt, "Untitled audit"},
      // A host of just "www." leaves no name of its own.
      {{"https://www./"}, "Brand guide.pdf", "Brand guide"},
      {{"https://www."}, std::nullopt, "Untitled audit"},
      {{"https://" + longHost}, std::nullopt, longHost.substr(0, 120)},
      {{}, repeated("e\u0301", 200) + ".png", repeated("e\u0301", 120)},
      {{}, repeated("🇫🇷", 130), repeated("🇫🇷", 120)},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(auditProjectName(c.urls, c.filename), c.expected)
        << "first URL \"" << (c.urls.empty() ? "" : c.urls.front()) << "\", file \"" << c.filename.value_or("(none)")
        << "\"";
  }
}

TEST(ToggleChoice, TakesAtMostTwoAnswersAndRemovesAChosenOne) {
  struct Case {
    std::string answer;
    Texts chosen;
    Texts expected;
  };
  const std::vector<Case> cases = {
      {"A", {}, {"A"}},
      {"B", {"A"}, {"A", "B"}},
      {"C", {"A", "B"}, {"A", "B"}},
      {"C", {"A", "B", "D"}, {"A", "B", "D"}},
      {"A", {"A", "B"}, {"B"}},
      {"A", {"A", "B", "A"}, {"B"}},
      {"a", {"A"}, {"A", "a"}},
      {"A ", {"A"}, {"A", "A "}},
      {"Caf\u00E9", {"Cafe\u0301", "B"}, {"B"}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(toggleChoice(c.answer, c.chosen), c.expected) << "toggling \"" << c.answer << "\"";
  }
}

TEST(BoundedAccountText, KeepsWholeCharactersWithinTheBudget) {
  struct Case {
    std::string text;
    long long budget;
    std::string expected;
  };
  const std::string flag = "🇫🇷";                 // two regional indicators, four units
  const std::string family = "👩\u200D👩\u200D👧";  // one character, eight units
  const std::vector<Case> cases = {
      {"Ada", 2, "Ad"},
      {"Ada", 3, "Ada"},
      {"Ada", 60, "Ada"},
      {"Ada", 0, ""},
      {"Ada", -4, ""},
      {"", 10, ""},
      {"😀x", 1, ""},
      {"😀x", 2, "😀"},
      {flag, 3, ""},
      {flag, 4, flag},
      {"a" + flag + "b", 4, "a"},
      {"a" + flag + "b", 5, "a" + flag},
      {family + "!", 7, ""},
      {family + "!", 8, family},
      {"e\u0301e\u0301", 3, "e\u0301"},
      {"x\r\ny", 2, "x"},
      {"x\r\ny", 3, "x\r\n"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(boundedAccountText(c.text, c.budget), c.expected) << "\"" << c.text << "\" within " << c.budget;
  }
}

TEST(BoundedAccountText, NeverExceedsTheBudgetOrSplitsACharacterAtAnyBudget) {
  const std::string text = "Hi 👋🏽 " + std::string("🇯🇵") + " e\u0301 👩\u200D💻 \u0928\u093F ok";
  // The whole characters of the text, so every allowed cut point is known.
  const std::vector<std::string> characters = {"H", "i",        " ", "👋🏽",     " ", "🇯🇵", " ", "e\u0301",
                                               " ", "👩\u200D💻", " ", "\u0928\u093F", " ", "o",  "k"};
  std::vector<std::string> wholePrefixes = {""};
  for (const auto& character : characters) wholePrefixes.push_back(wholePrefixes.back() + character);
  ASSERT_EQ(wholePrefixes.back(), text);

  for (long long budget = 0; budget <= static_cast<long long>(utf16Length(text)) + 1; ++budget) {
    const std::string bounded = boundedAccountText(text, budget);
    EXPECT_LE(static_cast<long long>(utf16Length(bounded)), budget);
    std::string longestFitting;
    for (const auto& prefix : wholePrefixes) {
      if (static_cast<long long>(utf16Length(prefix)) <= budget) longestFitting = prefix;
    }
    EXPECT_EQ(bounded, longestFitting) << "budget " << budget;
  }
}

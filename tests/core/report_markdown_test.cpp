// The deliverable Markdown, checked by its cases and against a literal rendering of its
// rules with ICU's regular expressions.
#include "core/report/report_markdown.h"

#include <gtest/gtest.h>
#include <unicode/regex.h>
#include <unicode/uchar.h>
#include <unicode/unistr.h>

#include <random>
#include <string>
#include <vector>

using vesk::reportDeliverableMarkdown;
using vesk::reportMarkdown;

namespace {

const std::string lead = "Based on eight expert perspectives, the supplied pages, and your stated goals.";

// The rules read literally: ICU patterns with default options, the trimmed white space
// as the platform's "white space and newlines" set.
namespace reference {

using icu::UnicodeString;

UnicodeString replaceAll(const UnicodeString& text, const char* pattern, const UnicodeString& with) {
  UErrorCode status = U_ZERO_ERROR;
  icu::RegexMatcher matcher(UnicodeString::fromUTF8(pattern), text, 0, status);
  UnicodeString result = matcher.replaceAll(with, status);
  EXPECT_TRUE(U_SUCCESS(status)) << pattern;
  return result;
}

UnicodeString trimmed(const UnicodeString& text) {
  return replaceAll(
      text, "^[\\p{Zs}\\t\\n\\u000B\\f\\r\\u0085\\u2028\\u2029]+|[\\p{Zs}\\t\\n\\u000B\\f\\r\\u0085\\u2028\\u2029]+\\z",
      "");
}

UnicodeString deliverable(UnicodeString text) {
  const int32_t open = text.indexOf(u"<discovery>");
  if (open >= 0) {
    const int32_t close = text.indexOf(u"</discovery>", open + 11);
    if (close < 0) return {};
    text.remove(0, close + 12);
  }
  return trimmed(replaceAll(text, "<discovery-answers>[\\s\\S]*?</discovery-answers>", ""));
}

std::string markdown(const std::string& output) {
  const UnicodeString d = deliverable(UnicodeString::fromUTF8(output));
  const UnicodeString leadText = UnicodeString::fromUTF8(lead);
  bool hasLead = d.indexOf(leadText) >= 0;
  const UnicodeString text = replaceAll(d, "\\n[\\t ]*\\n", u"\n\n");
  std::vector<UnicodeString> kept;
  int32_t from = 0;
  while (true) {
    const int32_t end = text.indexOf(u"\n\n", from);
    const UnicodeString paragraph = text.tempSubStringBetween(from, end < 0 ? text.length() : end);
    UnicodeString probe = replaceAll(replaceAll(trimmed(paragraph), "^\\*{1,3}|\\*{1,3}$", ""), "\\s+", u" ");
    bool provenance = false;
    for (const char16_t* prefix :
         {u"The eight expert perspectives above are the frame;", u"Researched with Vesk's multi-agent method:",
          u"Researched with Vesk\u2019s multi-agent method:", u"Researched with Vesk's multi-agent method\u2014",
          u"Researched with Vesk\u2019s multi-agent method\u2014"})
      provenance = provenance || probe.startsWith(UnicodeString(prefix));
    if (!provenance) {
      kept.push_back(paragraph);
    } else if (!hasLead) {
      kept.push_back(leadText);
      hasLead = true;
    }
    if (end < 0) break;
    from = end + 2;
  }
  UnicodeString joined;
  for (std::size_t i = 0; i < kept.size(); ++i) joined.append(i == 0 ? u"" : u"\n\n").append(kept[i]);
  std::string result;
  joined.toUTF8String(result);
  return result;
}

}  // namespace reference

}  // namespace

TEST(ReportDeliverable, DiscoveryMaterialAndOuterWhiteSpaceGo) {
  EXPECT_EQ(reportDeliverableMarkdown("  \n# Report\n\nBody \u00a0\n"), "# Report\n\nBody");
  EXPECT_EQ(reportDeliverableMarkdown("<discovery>{\"questions\":[]}</discovery>\n\n# Report"), "# Report");
  EXPECT_EQ(reportDeliverableMarkdown("Intro <discovery>{}</discovery>\n# Report"), "# Report")
      << "everything before the block goes with it";
  EXPECT_EQ(reportDeliverableMarkdown("<discovery>{\"questions\":[]}\n# Report never closes"), "");
  EXPECT_EQ(reportDeliverableMarkdown("</discovery> early <discovery> late"), "") << "a close before the open";
  EXPECT_EQ(reportDeliverableMarkdown("A<discovery-answers>{\"answers\":{}}</discovery-answers>B\n"
                                      "<discovery-answers>\n{}\n</discovery-answers>C"),
            "AB\nC");
  EXPECT_EQ(reportDeliverableMarkdown("A<discovery-answers>x</discovery-answers>B</discovery-answers>C"),
            "AB</discovery-answers>C")
      << "each block ends at its first closing tag";
  EXPECT_EQ(reportDeliverableMarkdown("A <discovery-answers> never closes"), "A <discovery-answers> never closes");
  EXPECT_EQ(reportDeliverableMarkdown(""), "");
}

TEST(ReportDeliverable, ProvenanceBecomesTheLeadSentenceOnce) {
  EXPECT_EQ(
      reportMarkdown("# Report\n\n**Researched with Vesk\u2019s multi-agent method: eight lenses.**\n\nFinding.\n\n"
                     "The eight expert perspectives above are the frame; the rest follows."),
      "# Report\n\n" + lead + "\n\nFinding.");
  EXPECT_EQ(reportMarkdown("*Researched with Vesk's multi-agent method\u2014eight lenses.*\n\nEnd"), lead + "\n\nEnd");
  EXPECT_EQ(reportMarkdown("***Researched with Vesk\u2019s multi-agent\n   method\u2014 broken over lines***\n\nEnd"),
            lead + "\n\nEnd")
      << "inner white space collapses";
  EXPECT_EQ(reportMarkdown("****Researched with Vesk's multi-agent method: four stars\n\nEnd"),
            "****Researched with Vesk's multi-agent method: four stars\n\nEnd")
      << "only three asterisks are taken";
  EXPECT_EQ(reportMarkdown(lead + "\n\nBody\n\nResearched with Vesk's multi-agent method: again.\n\n"
                                  "The eight expert perspectives above are the frame; again."),
            lead + "\n\nBody")
      << "a text that holds the lead sentence loses every provenance paragraph";
  EXPECT_EQ(reportMarkdown("Researched with Vesk's multi-agent method, loosely worded."),
            "Researched with Vesk's multi-agent method, loosely worded.");
}

TEST(ReportDeliverable, BlankLinesAndEmptyParagraphsKeepTheirPlace) {
  EXPECT_EQ(reportMarkdown("A\n \t \nB"), "A\n\nB") << "a line of spaces breaks the paragraph";
  EXPECT_EQ(reportMarkdown("A\n\n\n\nB"), "A\n\n\n\nB") << "the empty paragraph stays";
  EXPECT_EQ(reportMarkdown("A\n \n \nB"), "A\n\n \nB") << "matches do not overlap";
  EXPECT_EQ(reportMarkdown("  Keep   inner   spacing  \nand lines"), "Keep   inner   spacing  \nand lines");
  EXPECT_EQ(reportMarkdown(""), "");
  EXPECT_EQ(reportMarkdown("<discovery>never closed\n\nResearched with Vesk's multi-agent method: x"), "");
}

TEST(ReportDeliverable, AgreesWithTheRulesReadLiterallyOnMixedTexts) {
  // Pieces that meet the rules' edges: white space of every kind, asterisks, each wording,
  // the lead sentence, the tags.
  const std::vector<std::string> pieces = {"\n",
                                           "\n",
                                           " ",
                                           "\t",
                                           "*",
                                           "**",
                                           "\u00a0",
                                           "\u2028",
                                           "\v",
                                           "\u0085",
                                           "\u3000",
                                           "x",
                                           "\u00e9",
                                           "\r\n",
                                           "\U0001F600",
                                           "Researched with Vesk\u2019s multi-agent method:",
                                           "Researched with Vesk's multi-agent method\u2014",
                                           "The eight expert perspectives above are the frame;",
                                           "Researched with Vesk's multi-agent\nmethod:",
                                           "The eight expert\vperspectives\u0085above\u2028are the frame;",
                                           lead,
                                           "<discovery>",
                                           "</discovery>",
                                           "<discovery-answers>",
                                           "</discovery-answers>"};
  std::mt19937 random(20240501);
  for (int round = 0; round < 3000; ++round) {
    std::string text;
    const int length = static_cast<int>(random() % 24);  // pieces per text
    for (int i = 0; i < length; ++i) text += pieces[random() % pieces.size()];
    ASSERT_EQ(reportMarkdown(text), reference::markdown(text)) << "round " << round << ": " << text;
  }
}

TEST(ReportDeliverable, TheWhiteSpaceThatCollapsesIsWhatPatternsCallWhiteSpace) {
  UErrorCode status = U_ZERO_ERROR;
  std::unique_ptr<icu::RegexPattern> pattern(icu::RegexPattern::compile(u"\\s", 0, status));
  ASSERT_TRUE(U_SUCCESS(status));
  for (UChar32 c = 0; c < 0x110000; ++c) {
    if (c >= 0xD800 && c < 0xE000) continue;
    const icu::UnicodeString one(c);
    std::unique_ptr<icu::RegexMatcher> matcher(pattern->matcher(one, status));
    ASSERT_EQ(bool(u_isUWhiteSpace(c)), bool(matcher->matches(status))) << std::hex << c;
  }
}

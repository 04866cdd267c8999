// The scans that find links and bare domains in a brief, checked against the ICU
// expressions whose matches they stand for.
#include "core/input/audit_url_patterns.h"
#include "core/text/text_rules.h"
#include "support/unicode_pattern.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

using vesk::BareDomain;
using vesk::findBareDomains;
using vesk::findLinks;
using vesk::toUnicode;
using vesk::testing::UnicodePattern;

namespace {

const UnicodePattern& linkExpression() {
  static const UnicodePattern pattern(R"re(\bhttps?://[^\s<>\"'`)\]]+)re", UREGEX_CASE_INSENSITIVE);
  return pattern;
}

const UnicodePattern& bareDomainExpression() {
  static const UnicodePattern pattern(
      R"re((^|[\s(\[<])([a-z0-9](?:[a-z0-9-]{0,61}[a-z0-9])?(?:\.[a-z0-9](?:[a-z0-9-]{0,61}[a-z0-9])?)+)(/[^\s<>\"'`)\]]*)?)re",
      UREGEX_CASE_INSENSITIVE);
  return pattern;
}

std::vector<std::string> expressionLinks(const icu::UnicodeString& text) {
  std::vector<std::string> links;
  for (const auto& match : linkExpression().findAll(text)) links.push_back(*match[0]);
  return links;
}

std::vector<BareDomain> expressionBareDomains(const icu::UnicodeString& text) {
  std::vector<BareDomain> domains;
  for (const auto& match : bareDomainExpression().findAll(text)) domains.push_back({*match[2], match[3]});
  return domains;
}

std::string describe(const std::vector<BareDomain>& domains) {
  std::string text;
  for (const auto& domain : domains) text += "[" + domain.host + (domain.path ? " " + *domain.path : "") + "] ";
  return text;
}

void expectSameMatches(const icu::UnicodeString& text, const std::string& label) {
  EXPECT_EQ(findLinks(text), expressionLinks(text)) << label;
  const auto domains = findBareDomains(text);
  const auto expected = expressionBareDomains(text);
  EXPECT_TRUE(domains == expected) << label << "\n  scan:       " << describe(domains)
                                   << "\n  expression: " << describe(expected);
}

// Each code point in the places where it could change a match: before a host, inside and
// after a label, in a path, before and inside "http://" and in a link.
icu::UnicodeString everyRoleOf(UChar32 c) {
  icu::UnicodeString roles;
  auto with = [&](const char16_t* before, const char16_t* after) { roles.append(before).append(c).append(after); };
  with(u" ", u"a.io x");
  with(u" a", u"b.io ");
  with(u" ab.c", u" ");
  with(u" ", u".io ");
  with(u" a.io/", u"x ");
  with(u"x", u"a.io ");
  with(u" ", u"http://x ");
  with(u"x", u"http://x ");
  with(u" ", u"ttp://x ");
  with(u" h", u"tp://x ");
  with(u" ht", u"p://x ");
  with(u" htt", u"://x ");
  with(u" http", u"://x ");
  with(u" http://x", u"y ");
  return roles;
}

}  // namespace

TEST(AuditURLPatterns, ScansFindWhatTheExpressionsFind) {
  const std::vector<std::string> texts = {
      "",
      "a.io",
      "a.io(b.io[c.io<d.io>e.io f.io",
      "x,a.io me@a.io foo/a.io https://a.io/x (https://b.io/y)",
      "Mixed CASE.Example.COM/Path, and\u00A0nbsp.io\u0085nel.io\u000Bvt.io\u3000ideo.io\u2028ls.io",
      "e.g. 2.0 readme.txt -bad-.com a-.io a--b.io " + std::string(70, 'a') + ".io",
      "\u212Aelvin.com stra\u00DFe.de \u017Fite.io",
      "((((a.io))))[[<b.io>]]",
      "a..io a-.io -a.io .io a. (.a.io) (a.b [\u00DCnicode.io xK.io \u0130.io",
      "(" + std::string(200, 'a') + ".io) " + std::string(70, 'b') + "." + std::string(62, 'c') + "d.io",
      "a." + std::string(63, 'b') + " a." + std::string(64, 'b') + " a." + std::string(62, 'b') + "- a.b-" +
          std::string(70, 'c') + ".io",
      std::string(63, 'a') + ".b " + std::string(62, 'a') + "-.b " + std::string(64, 'a') + ".b",
      "go https://a.io/x<y HTTP://B.io/\"q\" hTtPs://c.io/a'b \u017Fhttp://d.io httP\u017F://e.io xhttps://f.io",
      "\u0301http://a.io x\u0301http://b.io x\u200Dhttp://c.io _http://d.io 1http://e.io .http://f.io",
      "http:// https:/// http:/x https//y.io \U0001F600http://g.io \U000110BDhttp://h.io",
      "https://x.com/a_(b.io) a.io/b/c.d/(e.io) <a.io/p>q.io",
  };
  for (const auto& text : texts) expectSameMatches(toUnicode(text), "\"" + text + "\"");
}

TEST(AuditURLPatterns, ReadEveryCharacterAsTheExpressionsDo) {
  icu::UnicodeString text;
  for (UChar32 c = 0; c <= 0xFFFF; ++c) {
    if (c < 0xD800 || c > 0xDFFF) text.append(everyRoleOf(c));
  }
  for (UChar32 c = 0x10000; c <= 0x10FFFF; c += 251) text.append(everyRoleOf(c));
  for (const UChar32 c : {0x1D165, 0x1F600, 0x110BD, 0xE0001, 0xE0100, 0x10FFFF}) text.append(everyRoleOf(c));
  expectSameMatches(text, "every character");
  EXPECT_GT(findBareDomains(text).size(), 65536u);
  EXPECT_GT(findLinks(text).size(), 65536u);
}

TEST(AuditURLPatterns, RandomTextsOfTrickyPiecesMatchAsTheExpressionsDo) {
  const std::vector<std::string> pieces = {
      "a",      "Z",      "0",          "-",  ".",       "/",        " ",    "(",      "[",      "<",      ">",
      ")",      "]",      "'",          "\"", ":",       "//",       "h",    "t",      "p",      "s",      "S",
      "@",      "x",      "é",          ",",  "io",      "c",        "om",   "\u017F", "\u212A", "\u0301", "\u200D",
      "\u00A0", "\u0085", "\U0001F600", "ẖ",  "http://", "https://", "HTTP", "\u0600", "\u00AD", "_"};
  std::mt19937 random(13);
  std::uniform_int_distribution<std::size_t> piece(0, pieces.size() - 1);
  std::uniform_int_distribution<int> length(0, 30);
  for (int round = 0; round < 20000; ++round) {
    std::string text;
    for (int i = length(random); i > 0; --i) text += pieces[piece(random)];
    expectSameMatches(toUnicode(text), "\"" + text + "\"");
    if (::testing::Test::HasFailure()) break;
  }
}

TEST(AuditURLPatterns, LinksStopAtTheExcludedCharactersOnly) {
  EXPECT_EQ(
      findLinks(toUnicode("go https://a.io/x<y HTTP://B.io/\"q\" https://c.io/a'b https://d.io/`e https://e.io/(f)g "
                          "https://f.io/[g]h https://g.io/\u00A0i https://h.io/{j}|~%20 xhttps://i.io")),
      (std::vector<std::string>{"https://a.io/x", "HTTP://B.io/", "https://c.io/a", "https://d.io/", "https://e.io/(f",
                                "https://f.io/[g", "https://g.io/", "https://h.io/{j}|~%20"}));
}

TEST(AuditURLPatterns, LongLabelRunsAreReadInOnePass) {
  // Runs far longer than ICU's backtracking stack allows the expression.
  std::string run;
  for (int i = 0; i < 300000; ++i) run += "ab.";
  run += "io";
  const auto text = toUnicode("(" + run + "/x " + run);
  EXPECT_TRUE(findBareDomains(text) == (std::vector<BareDomain>{{run, "/x"}, {run, std::nullopt}}));
  EXPECT_EQ(findLinks(toUnicode("https://" + run + ")")), std::vector<std::string>{"https://" + run});
}

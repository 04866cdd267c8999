#include "core/input/audit_url_rules.h"
#include "core/records/vesk_error.h"

#include <gtest/gtest.h>

#include <string>
#include <variant>
#include <vector>

using vesk::auditSourceURLs;
using vesk::validatedURLs;
using vesk::VeskError;

namespace {

using URLs = std::vector<std::string>;
// Either the list that comes back or the sentence of the failure.
using Outcome = std::variant<URLs, std::string>;

const std::string invalid = "Use a complete http or https URL, without embedded credentials.";

template <class Call>
Outcome outcomeOf(Call call) {
  try {
    return call();
  } catch (const VeskError& error) {
    return std::string(error.what());
  }
}

std::string describe(const Outcome& outcome) {
  if (const auto* sentence = std::get_if<std::string>(&outcome)) return "fails with \"" + *sentence + "\"";
  std::string text = "[";
  for (const auto& url : std::get<URLs>(outcome)) text += "\"" + url + "\" ";
  return text + "]";
}

}  // namespace

TEST(ValidatedURLs, SplitsAtUnicodeWhiteSpaceAndKeepsPiecesAsTyped) {
  struct Case {
    std::string field;
    long long limit;
    Outcome expected;
  };
  const std::vector<Case> cases = {
      {"", 5, URLs{}},
      {" \t\n\u00A0\u0085\u2028\u3000", 5, URLs{}},
      {"HTTPS://Example.com/X", 5, URLs{"HTTPS://Example.com/X"}},
      {"HtTp://WWW.Example.COM/Path?Q=A#Frag", 1, URLs{"HtTp://WWW.Example.COM/Path?Q=A#Frag"}},
      {"https://a.com\u00A0https://b.com", 5, URLs{"https://a.com", "https://b.com"}},
      {"https://a.com\u0085https://b.com\u2029https://c.com\r\nhttps://d.com", 5,
       URLs{"https://a.com", "https://b.com", "https://c.com", "https://d.com"}},
      {"  https://a.com   https://a.com  ", 5, URLs{"https://a.com", "https://a.com"}},
      {"http://[::1]:8080/x", 5, URLs{"http://[::1]:8080/x"}},
      // The count comes first, before any piece is looked at.
      {"https://a.com https://b.com", 1, std::string("This audit covers up to 1 URLs.")},
      {"ftp://x.com nonsense", 1, std::string("This audit covers up to 1 URLs.")},
      {"https://a.com", 0, std::string("This audit covers up to 0 URLs.")},
      {"ftp://x.com", 5, invalid},
      {"example.com", 5, invalid},
      {"https://u:p@x.com", 5, invalid},
      {"https://u@x.com", 5, invalid},
      {"https://@x.com", 5, invalid},
      {"https://:@x.com", 5, invalid},
      {"https://", 5, invalid},
      {"https:///path", 5, invalid},
      {"https:x.com", 5, invalid},
      {"mailto:someone@x.com", 5, invalid},
      {"https://a.com:99999", 5, invalid},
      {"https://a.com ftp://b.com", 5, invalid},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(describe(outcomeOf([&] { return validatedURLs(c.field, c.limit); })), describe(c.expected))
        << "field \"" << c.field << "\", limit " << c.limit;
  }
}

TEST(ValidatedURLs, SplitsAtWhiteSpaceWhateverCharacterComesBeforeIt) {
  // A prepended concatenation mark (U+0600) joins the next character into one grapheme
  // cluster; the space after it must still split, so the cap and the space rule hold.
  EXPECT_EQ(describe(outcomeOf([] { return validatedURLs("https://a.com\u0600 https://b.com", 1); })),
            describe(std::string("This audit covers up to 1 URLs.")));
  EXPECT_EQ(describe(outcomeOf([] { return validatedURLs("https://a.com\u0600 https://b.com", 5); })),
            describe(URLs{"https://a.com\u0600", "https://b.com"}));
  EXPECT_EQ(describe(outcomeOf([] { return validatedURLs("https://a.com/\U000110BD\u3000ftp://b.com", 5); })),
            describe(invalid));
}

TEST(AuditSourceURLs, FindsLinksAndBareDomainsInTheBrief) {
  struct Case {
    std::string field;
    std::string brief;
    long long limit;
    Outcome expected;
  };
  const std::vector<Case> cases = {
      {"", "", 5, URLs{}},
      // Field first, then links, then bare domains; repeats keep their first place.
      {"https://a.com", "See https://b.com and acme.io, also https://a.com.", 5,
       URLs{"https://a.com", "https://b.com", "https://acme.io"}},
      {"https://acme.io", "acme.io", 5, URLs{"https://acme.io"}},
      {"", "acme.io before https://z.com", 5, URLs{"https://z.com", "https://acme.io"}},
      // Trailing and leading punctuation of the trimmed set goes; brackets end a link.
      {"", "(see https://x.com/page), then https://y.com! Or https://z.com/a?b=1;", 5,
       URLs{"https://x.com/page", "https://y.com", "https://z.com/a?b=1"}},
      {"", "Ends with https://a.com...", 5, URLs{"https://a.com"}},
      {"", "<https://a.com/x> \"https://b.com\" 'https://c.com' `https://d.com` [https://e.com]", 5,
       URLs{"https://a.com/x", "https://b.com", "https://c.com", "https://d.com", "https://e.com"}},
      {"", "HTTPS://Shout.COM/Up", 5, URLs{"HTTPS://Shout.COM/Up"}},
      // Bare domains: path kept, comma dropped, scheme added, letters as written.
      {"", "Look at example.com/pricing, please", 5, URLs{"https://example.com/pricing"}},
      {"", "Our site Example.COM and shop.acme.co.uk", 5, URLs{"https://Example.COM", "https://shop.acme.co.uk"}},
      {"", "(acme.io) [b.dev] <c.app>", 5, URLs{"https://acme.io", "https://b.dev", "https://c.app"}},
      {"", "studio\u00A0a.studio", 5, URLs{"https://a.studio"}},
      {"", "foo/acme.io me@acme.io x,acme.io", 5, URLs{}},
      {"", "Write to sam@studio.design", 5, URLs{}},
      {"", "readme.txt e.g. version 2.0 example.museum", 5, URLs{}},
      {"", "xhttps://a.com", 5, URLs{}},
      // A "(" inside a link starts a bare-domain candidate of its own.
      {"", "https://x.com/a_(b.io)", 5, URLs{"https://x.com/a_(b.io", "https://b.io"}},
      // Bad candidates from the brief are dropped without a word.
      {"", "https://u:p@x.com and https://@y.com and http:// and -bad-.com", 5, URLs{}},
      // Canonically equivalent spellings are one URL.
      {"https://caf\u00E9.com", "https://cafe\u0301.com", 5, URLs{"https://caf\u00E9.com"}},
      // The field's failures pass out unchanged.
      {"https://u:p@x.com", "https://ok.com", 5, invalid},
      {"https://a.com https://b.com", "", 1, std::string("This audit covers up to 1 URLs.")},
      // The joined list is counted too, even with an empty field.
      {"",
       "https://a1.com https://a2.com https://a3.com https://a4.com https://a5.com "
       "https://a6.com https://a7.com https://a8.com https://a9.com https://a10.com",
       5, std::string("This audit covers up to 5 URLs.")},
      {"https://a.com https://b.com", "c.com", 2, std::string("This audit covers up to 2 URLs.")},
      {"https://a.com https://b.com", "https://a.com b.com", 2, URLs{"https://a.com", "https://b.com"}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(describe(outcomeOf([&] { return auditSourceURLs(c.field, c.brief, c.limit); })), describe(c.expected))
        << "field \"" << c.field << "\", brief \"" << c.brief << "\", limit " << c.limit;
  }
}

TEST(AuditSourceURLs, BareDomainsTakeEveryListedTopLevelDomainAndNoOther) {
  const std::string listed =
      "com net org io ai app co dev tv me us uk ca de fr jp au in studio design xyz so sh gg gov edu tech";
  std::string brief;
  URLs expected;
  std::size_t start = 0;
  while (start < listed.size()) {
    const auto end = std::min(listed.find(' ', start), listed.size());
    const std::string domain = "site." + listed.substr(start, end - start);
    brief += domain + " ";
    expected.push_back("https://" + domain);
    start = end + 1;
  }
  ASSERT_EQ(expected.size(), 27u);
  EXPECT_EQ(auditSourceURLs("", brief, 100), expected);
  EXPECT_EQ(auditSourceURLs("", "site.co.jp site.info site.eu site.txt site.js site.comm", 100),
            URLs{"https://site.co.jp"});
}

namespace {

std::string repeat(const std::string& piece, std::size_t times) {
  std::string text;
  text.reserve(piece.size() * times);
  for (std::size_t i = 0; i < times; ++i) text += piece;
  return text;
}

}  // namespace

TEST(AuditSourceURLs, AMegabyteOfLabelRunsYieldsOnlyTheRulesOwnResults) {
  // Long runs of dotted labels: short ones, ones of the longest length, ones too long,
  // ones that end in a hyphen, runs behind brackets, and a path made of labels.
  const std::string shortLabels = repeat("a.", 250000) + "com";
  const std::string longestLabels = repeat(std::string(63, 'b') + ".", 4000) + "io";
  const std::string hyphenated = repeat(repeat("c-", 31) + "c.", 4000) + "dev";
  const std::string withPath = "f.de/" + repeat("g.", 50000) + "g";
  const std::string brief = shortLabels + " " + longestLabels + " " + hyphenated + " " +
                            repeat(std::string(64, 'd') + ".", 1600) + "com " + repeat("(x.zz", 50000) + " " +
                            repeat("e-.", 50000) + "io " + repeat("[h.", 50000) + " " + withPath;
  ASSERT_GE(brief.size(), 1000000u);
  EXPECT_EQ(describe(outcomeOf([&] { return auditSourceURLs("", brief, 5); })),
            describe(URLs{"https://" + shortLabels, "https://" + longestLabels, "https://" + hyphenated,
                          "https://" + withPath}));

  // A label run in the URL field fails with the field's own sentence.
  EXPECT_EQ(describe(outcomeOf([&] { return auditSourceURLs(shortLabels, brief, 5); })), describe(invalid));

  // Many different bare domains behind brackets: the cap's sentence.
  std::string domains;
  for (int i = 0; domains.size() < 1000000; ++i) domains += "(s" + std::to_string(i) + ".a.com)";
  EXPECT_EQ(describe(outcomeOf([&] { return auditSourceURLs("", domains, 5); })),
            describe(std::string("This audit covers up to 5 URLs.")));
  // One bare domain repeated all through the brief: one URL.
  EXPECT_EQ(describe(outcomeOf([&] { return auditSourceURLs("", repeat(" a.b.c.io", 120000), 5); })),
            describe(URLs{"https://a.b.c.io"}));
}

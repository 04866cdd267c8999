#include "core/input/audit_url_patterns.h"
#include "core/text/text_rules.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using vesk::bareDomainPattern;
using vesk::linkPattern;
using vesk::mayStartBareDomain;
using vesk::toUnicode;

TEST(AuditURLPatterns, BareDomainSearchFromLikelyStartsFindsWhatAFullScanFinds) {
  const std::vector<std::string> texts = {
      "",
      "a.io",
      "a.io(b.io[c.io<d.io>e.io f.io",
      "x,a.io me@a.io foo/a.io https://a.io/x (https://b.io/y)",
      "Mixed CASE.Example.COM/Path, and\u00A0nbsp.io\u0085nel.io\u000Bvt.io\u3000ideo.io\u2028ls.io",
      "e.g. 2.0 readme.txt -bad-.com a-.io a--b.io " + std::string(70, 'a') + ".io",
      "\u212Aelvin.com stra\u00DFe.de \u017Fite.io",
      "((((a.io))))[[<b.io>]]",
      "a..io a-.io -a.io .io a. (.a.io) (a.b [Ünicode.io xK.io İ.io",
      "(" + std::string(200, 'a') + ".io) " + std::string(70, 'b') + "." + std::string(62, 'c') + "d.io",
  };
  for (const auto& text : texts) {
    const auto unicode = toUnicode(text);
    EXPECT_EQ(bareDomainPattern().findAll(unicode, mayStartBareDomain), bareDomainPattern().findAll(unicode))
        << "\"" << text << "\"";
  }

  // Every BMP code point in front of a domain: the start filter may skip none that the
  // pattern's first group accepts.
  icu::UnicodeString everyPrefix;
  for (UChar32 c = 0; c <= 0xFFFF; ++c) {
    if (c >= 0xD800 && c <= 0xDFFF) continue;
    everyPrefix.append(c).append(u"a.io", 4);
  }
  const auto fullScan = bareDomainPattern().findAll(everyPrefix);
  EXPECT_GT(fullScan.size(), 20u);
  EXPECT_EQ(bareDomainPattern().findAll(everyPrefix, mayStartBareDomain), fullScan);
}

TEST(AuditURLPatterns, LinkPatternStopsAtTheExcludedCharactersOnly) {
  const auto matches = linkPattern().findAll(
      toUnicode("go https://a.io/x<y HTTP://B.io/\"q\" https://c.io/a'b https://d.io/`e https://e.io/(f)g "
                "https://f.io/[g]h https://g.io/\u00A0i https://h.io/{j}|~%20 xhttps://i.io"));
  std::vector<std::string> found;
  for (const auto& match : matches) found.push_back(*match[0]);
  EXPECT_EQ(found,
            (std::vector<std::string>{"https://a.io/x", "HTTP://B.io/", "https://c.io/a", "https://d.io/",
                                      "https://e.io/(f", "https://f.io/[g", "https://g.io/", "https://h.io/{j}|~%20"}));
}

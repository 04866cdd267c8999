// The composer's pure rules: address entries and chips, removals, depth pills, the submit
// button, typed addresses, the links and the baseline's date.
#include "core/shell/composer_rules.h"
#include "build_config.h"

#include <gtest/gtest.h>

#include <cstdlib>

using namespace vesk;
using Strings = std::vector<std::string>;

TEST(ComposerRules, EntriesSplitAtEveryUnicodeWhiteSpaceAndKeepRepeats) {
  EXPECT_EQ(sourceURLs("a.com  b.com\n\tc.com\u00A0d.com"), (Strings{"a.com", "b.com", "c.com", "d.com"}));
  EXPECT_EQ(sourceURLs("a.com\u0085a.com\u000Bb.com\u2028a.com"), (Strings{"a.com", "a.com", "b.com", "a.com"}));
  EXPECT_EQ(sourceURLs(" \n\t\u00A0"), Strings{});

  EXPECT_EQ(addressChipTitle("https://example.com/x?q=1"), "example.com");
  EXPECT_EQ(addressChipTitle("example.com/x"), "example.com/x");
  EXPECT_EQ(addressChipTitle("mailto:someone"), "mailto:someone") << "no host: the whole entry";

  EXPECT_EQ(urlsWithout("https://a.com https://b.com\nhttps://a.com", "https://a.com"), "https://b.com");
  EXPECT_EQ(urlsWithout("https://a.com https://b.com\u00A0https://c.com", "https://c.com"),
            "https://a.com\nhttps://b.com")
      << "the rest is stored one a line";
  EXPECT_EQ(urlsWithout("https://A.com https://a.com", "https://a.com"), "https://A.com") << "exact text only";
}

TEST(ComposerRules, RemovingAFileDropsEveryAttachmentWithItsIdentityOnly) {
  const AuditAttachment shot("shot.png", "image/png", "iVBORw0KGgo=");
  const AuditAttachment other("shot.png", "image/png", "iVBORw0KGgp=");
  const AuditAttachment notes("notes.txt", "text/plain", "aGk=");
  const std::vector<AuditAttachment> list{shot, notes, shot, other};
  EXPECT_EQ(attachmentsWithout(list, shot.id()), (std::vector<AuditAttachment>{notes, other}));
  EXPECT_EQ(attachmentsWithout(list, other.id()), (std::vector<AuditAttachment>{shot, notes, shot}))
      << "same name, other bytes: a different file";
}

TEST(ComposerRules, DepthPillTable) {
  struct Case {
    const char* what;
    DepthPillInputs inputs;
    DepthPill quick;
    DepthPill full;
  };
  const auto pill = [](const char* title, const char* mode, bool selected, bool unavailable, bool disabled) {
    return DepthPill{title, mode, selected, unavailable, disabled, unavailable ? 0.5 : 1.0};
  };
  const Case cases[] = {
      {"signed in, balance 0",
       {"full", false, 0, false, false},
       pill("Quick read", "quick", false, false, false),
       pill("Full audit", "full", true, true, true)},
      {"signed in, balance 1",
       {"quick", false, 1, false, false},
       pill("Quick read", "quick", true, false, false),
       pill("Full audit", "full", false, false, false)},
      {"no account",
       {"quick", false, std::nullopt, false, false},
       pill("Quick read", "quick", true, false, false),
       pill("Full audit", "full", false, false, false)},
      {"baseline set with mode quick",
       {"quick", false, 2, false, true},
       pill("Quick read", "quick", true, false, true),
       pill("Full audit", "full", false, false, false)},
      {"the preview, balance 0",
       {"full", true, 0, false, false},
       pill("Quick read", "quick", false, false, false),
       pill("Full audit", "full", true, false, false)},
      {"busy",
       {"quick", false, 3, true, false},
       pill("Quick read", "quick", true, false, true),
       pill("Full audit", "full", false, false, true)},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(depthPill("Quick read", "quick", c.inputs), c.quick) << c.what;
    EXPECT_EQ(depthPill("Full audit", "full", c.inputs), c.full) << c.what;
  }
  EXPECT_EQ(depthCaption("quick"), "A brief audit · No run counted");
  EXPECT_EQ(depthCaption("full"), "Eight expert angles · Uses 1 run");
}

TEST(ComposerRules, SubmitTitlesAndTheDisableRule) {
  // busy, reconnect, fixture, account, sources
  EXPECT_EQ(submitTitle({true, false, false, false, false}), "Signing in…");
  EXPECT_EQ(submitTitle({true, true, false, true, true}), "Preparing…");
  EXPECT_EQ(submitTitle({true, false, true, false, false}), "Preparing…") << "the preview is never signed out";
  EXPECT_EQ(submitTitle({false, true, false, false, false}), "Reconnect to Vesk");
  EXPECT_EQ(submitTitle({false, false, false, false, false}), "Sign in to Vesk");
  EXPECT_EQ(submitTitle({false, false, false, true, false}), "Vesk");
  EXPECT_EQ(submitTitle({false, false, true, false, false}), "Vesk");

  EXPECT_FALSE(submitDisabled({false, false, false, false, false})) << "signed out, empty draft";
  EXPECT_FALSE(submitDisabled({false, true, false, true, false})) << "reconnect required";
  EXPECT_TRUE(submitDisabled({false, false, false, true, false})) << "signed in without sources";
  EXPECT_FALSE(submitDisabled({false, false, false, true, true}));
  EXPECT_FALSE(submitDisabled({false, false, true, false, false})) << "the preview";
  EXPECT_TRUE(submitDisabled({true, false, true, true, true})) << "busy";
}

TEST(ComposerRules, TypedAddresses) {
  using Outcome = URLAddition::Outcome;
  auto added = addTypedURLs("example.com", "", 3);
  EXPECT_EQ(added.outcome, Outcome::added);
  EXPECT_EQ(added.urls, "https://example.com");
  EXPECT_EQ(addTypedURLs("Http://Example.com/A", "", 3).urls, "Http://Example.com/A") << "kept as typed";
  EXPECT_EQ(addTypedURLs("ftp://x.com", "", 3).urls, "https://ftp://x.com") << "other schemes are only prefixed";
  EXPECT_EQ(addTypedURLs("a.com b.com\na.com", "", 3).urls, "https://a.com\nhttps://b.com");
  EXPECT_EQ(addTypedURLs("a.com", "https://a.com  https://b.com", 3).urls, "https://a.com\nhttps://b.com")
      << "held already: the list is only rewritten one a line";
  EXPECT_EQ(addTypedURLs("https://A.com", "https://a.com", 3).urls, "https://a.com\nhttps://A.com");
  EXPECT_EQ(addTypedURLs(" \n\t", "https://a.com", 3).outcome, Outcome::nothing);

  const auto over = addTypedURLs("d.com", "https://a.com\nhttps://b.com\nhttps://c.com", 3);
  EXPECT_EQ(over.outcome, Outcome::refused);
  EXPECT_EQ(over.error, "This audit covers up to 3 URLs.");
  EXPECT_EQ(addTypedURLs("a.com b.com c.com d.com", "", 3).error, "This audit covers up to 3 URLs.");
  const auto credentials = addTypedURLs("good.com user:password@example.com", "", 3);
  EXPECT_EQ(credentials.outcome, Outcome::refused);
  EXPECT_EQ(credentials.error, "Use a complete http or https URL, without embedded credentials.");
}

TEST(ComposerRules, LinksResolveAgainstTheClientOriginElseTheBuilt) {
  EXPECT_EQ(composerLink(std::string("https://vesk.example"), "pricing"), "https://vesk.example/pricing");
  EXPECT_EQ(composerLink(std::string("https://vesk.example/"), "privacy"), "https://vesk.example/privacy");
  EXPECT_EQ(composerLink(std::nullopt, "pricing"), std::string(build::serviceOrigin) + "/pricing");
}

TEST(ComposerRules, TheBaselineDateReadsOnlyInternetDateTimes) {
  ::setenv("TZ", "UTC", 1);
  for (const char* good :
       {"2025-03-04T10:20:30Z", "2025-03-04T10:20:30.123Z", "2025-03-04T10:20:30.1+02:00", "2025-03-04T23:20:30-05:30"})
    EXPECT_TRUE(isInternetDateTime(good)) << good;
  for (const char* bad : {"2025-03-04", "2025-03-04 10:20:30Z", "2025-03-04T10:20:30", "2025-03-04T10:20:30.Z",
                          "2025-03-04T10:20:30+0200", "2025-03-04T10:20:30Zjunk", "25-03-04T10:20:30Z",
                          "2025-03-04t10:20:30z", "", "２０２５-03-04T10:20:30Z"})
    EXPECT_FALSE(isInternetDateTime(bad)) << bad;

  const auto plain = baselineDate("2025-03-04T10:20:30Z");
  const auto fraction = baselineDate("2025-03-04T10:20:30.250Z");
  ASSERT_TRUE(plain);
  EXPECT_EQ(plain, fraction);
  EXPECT_NE(plain->find("2025"), std::string::npos) << *plain;
  EXPECT_EQ(plain->find("10:20"), std::string::npos) << "no time of day";
  EXPECT_FALSE(baselineDate("2025-03-04"));
  EXPECT_FALSE(baselineDate("2025-13-40T10:20:30Z")) << "the form passes, the calendar does not";
}

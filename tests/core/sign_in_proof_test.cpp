#include "core/signin/sign_in_proof.h"
#include "support/text_shape.h"

#include <gtest/gtest.h>

#include <set>

TEST(SignInProof, ChallengeIsBase64UrlOfTheVerifiersSha256) {
  // The example of RFC 7636, appendix B.
  EXPECT_EQ(vesk::challengeFor("dBjftJeZ4CVP-mB92K27uhbUJU1p1r_wW1gFWFOEjXk"),
            "E9Melhoa2OwvFrEMTJguCHaoeK1t8URWbuGJSstw-cM");
  EXPECT_EQ(vesk::base64Url("\xfb\xff\xbf"), "-_-_");
  EXPECT_EQ(vesk::base64Url("a"), "YQ") << "no padding";
}

TEST(SignInProof, RandomTextIs43UrlSafeCharactersAndNeverRepeats) {
  std::set<std::string> seen;
  for (int i = 0; i < 200; ++i) {
    const auto text = vesk::secureRandomText();
    ASSERT_TRUE(vesk::testing::isBase64Url(text, 43)) << text;
    seen.insert(text);
  }
  EXPECT_EQ(seen.size(), 200u);
}

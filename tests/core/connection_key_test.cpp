#include "core/signin/connection_key.h"

#include "support/text_shape.h"

#include <gtest/gtest.h>

using vesk::connectionKey;

TEST(ConnectionKey, IsEmptyWithoutAConnectedToken) {
  EXPECT_EQ(connectionKey("https://vesk.app", "tok-1", false), "");
  EXPECT_EQ(connectionKey("https://vesk.app", std::nullopt, true), "");
  EXPECT_EQ(connectionKey(std::optional<vesk::DesktopAPI>(), true), "") << "no client";
  EXPECT_EQ(connectionKey(vesk::DesktopAPI{"https://vesk.app", std::nullopt}, true), "");
  EXPECT_EQ(connectionKey(vesk::DesktopAPI{"https://vesk.app", "tok-1"}, false), "");
}

TEST(ConnectionKey, HashesOriginLineFeedAndToken) {
  const auto key = connectionKey("https://vesk.app", "tok-1", true);
  EXPECT_TRUE(vesk::testing::isLowerHex(key, 64)) << key;
  // sha256("https://vesk.app\ntok-1")
  EXPECT_EQ(key, "746baec10d6a2fa46ff6208571c9444575beb3338f2120a3aaa6fc8547c41bc8");
  // An empty token is still a token: sha256("https://vesk.app\n").
  EXPECT_EQ(connectionKey("https://vesk.app", "", true),
            "bab98eea2a4ee6228c3f7b28664614767f8f1309ad2c126c41158b318d1127bb");
  EXPECT_NE(connectionKey("https://vesk.app/", "tok-1", true), key) << "a trailing / is another origin text";
  EXPECT_NE(connectionKey("https://vesk.app", "tok-2", true), key);
  EXPECT_EQ(connectionKey(vesk::DesktopAPI{"https://vesk.app", "tok-1"}, true), key);
}

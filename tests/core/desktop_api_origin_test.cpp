// Which service origins the client accepts, and the identifiers it puts into paths.
#include "core/api/desktop_api.h"
#include "fake_service/fake_service.h"
#include "support/run_loop.h"

#include <gtest/gtest.h>

using vesk::Auth;
using vesk::DesktopAPI;
using vesk::VeskError;

TEST(DesktopAPIOrigin, AcceptsHttpsAnywhereAndHttpOnlyOnTheLoopback) {
  const char* accepted[] = {
      "https://vesk.app", "https://vesk.app/",      "https://vesk.app:8443/", "https://[::1]:9/",
      "http://localhost", "http://localhost:8787/", "http://127.0.0.1:8787",  "https://VESK.app",
  };
  for (const char* origin : accepted) {
    const auto valid = DesktopAPI::validOrigin(origin);
    ASSERT_TRUE(valid) << origin;
    EXPECT_EQ(*valid, origin) << "the origin text is kept as written";
  }
  const char* refused[] = {
      "HTTPS://vesk.app",
      "Https://vesk.app",
      "HTTP://localhost",
      "http://vesk.app",
      "http://192.168.1.2",
      "http://localhost.evil.com",
      "http://LOCALHOST",
      "https://vesk.app/api",
      "https://vesk.app//",
      "https://user@vesk.app",
      "https://user:pw@vesk.app",
      "https://@vesk.app",
      "https://vesk.app?x=1",
      "https://vesk.app/?",
      "https://vesk.app#top",
      "https://vesk.app/#",
      "ftp://vesk.app",
      "vesk.app",
      "https://",
      "https:///",
      "",
      "https://vesk.app/ ",
      "https:vesk.app",
  };
  for (const char* origin : refused) EXPECT_FALSE(DesktopAPI::validOrigin(origin)) << origin;
}

TEST(DesktopAPIOrigin, AcceptedLoopbackOriginsReachTheService) {
  vesk::testing::FakeService service;
  service.reply("GET", "/api/desktop/me", vesk::testing::Reply::json("{}"));
  const std::string port = std::to_string(service.port());
  for (const std::string& text :
       {"http://127.0.0.1:" + port, "http://127.0.0.1:" + port + "/", "http://localhost:" + port + "/"}) {
    const auto origin = DesktopAPI::validOrigin(text);
    ASSERT_TRUE(origin) << text;
    EXPECT_EQ(vesk::testing::runTask(DesktopAPI{*origin, "t"}.raw("me", std::nullopt, std::nullopt, Auth::bearer)),
              "{}");
  }
  EXPECT_EQ(service.requestsTo("GET", "/api/desktop/me").size(), 3u);
}

TEST(DesktopAPIPathIdentifier, RefusesIdentifiersThatCouldChangeThePath) {
  for (const char* id : {"run_1", "p-2", "a.b", "\u00e9t\u00e9"}) EXPECT_EQ(DesktopAPI::pathIdentifier(id), id);
  for (const char* id : {"", "a/b", "a?b", "a#b", "a%2F", "..", "a..b", "/"}) {
    try {
      DesktopAPI::pathIdentifier(id);
      ADD_FAILURE() << "accepted " << id;
    } catch (const VeskError& error) {
      EXPECT_STREQ(error.what(), "Invalid Vesk operation.");
    }
  }
}

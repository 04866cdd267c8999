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
      "https://vesk.app", "https://vesk.app/",        "https://vesk.app:8443/", "https://[::1]:9/",
      "http://localhost", "http://localhost:8787/",   "http://127.0.0.1:8787",  "https://VESK.app",
      "https://10.0.0.2", "https://xn--bcher-kva.de", "https://a-b.c.example.", "https://[::ffff:10.0.0.2]",
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
      // Hosts that are no plain host name or IP literal, and paths not written as "" or "/".
      "https://evil.example%40vesk.app",
      "https://vesk.app%40evil.example",
      "https://vesk.app%2Fx",
      "https://vesk.app%23x",
      "https://vesk.app%3Fx",
      "https://vesk.app%3A8443",
      "https://ve%73k.app",
      "https://[fe80::1%25eth0]/",
      "https://ve sk.app",
      "https://vesk.app /",
      "https://ve\tsk.app",
      "https://ve\x01sk.app",
      "https://vesk.app\x7f",
      "https://b\u00fccher.de",
      "https://vesk.app/x/..",
      "https://vesk.app/.",
      "https://vesk.app/..",
      "https://vesk.app/./",
      "https://vesk.app/%2E",
      "http://localhost/.",
      "http://127.0.0.1:8787/x/..",
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

TEST(DesktopAPIOrigin, AnOriginWithEscapesCannotSteerCallsToAnotherHost) {
  // A client built around an origin that was never accepted: every address either stays
  // on the host as written or is refused.
  for (const char* origin :
       {"https://evil.example%40vesk.app", "https://vesk.app%40evil.example", "https://evil.example%2F.vesk.app",
        "https://evil.example%23.vesk.app", "https://evil.example%3F.vesk.app", "https://evil.example%3A1.vesk.app"}) {
    try {
      const std::string address = DesktopAPI{origin, "t"}.endpoint("me");
      ADD_FAILURE() << origin << " built " << address;
    } catch (const VeskError& error) {
      EXPECT_STREQ(error.what(), "Invalid Vesk operation.") << origin;
    }
  }
  const DesktopAPI plain{"https://vesk.app", "t"};
  EXPECT_EQ(plain.endpoint("me"), "https://vesk.app:443/api/desktop/me");
  const DesktopAPI literal{"https://[::1]:9/", "t"};
  EXPECT_EQ(literal.endpoint("me"), "https://[::1]:9/api/desktop/me");
}

TEST(DesktopAPIPathIdentifier, RefusesIdentifiersThatCouldChangeThePath) {
  for (const char* id : {"run_1", "p-2", "a.b", "\u00e9t\u00e9", ".a", "a.", ".a."})
    EXPECT_EQ(DesktopAPI::pathIdentifier(id), id);
  for (const char* id : {"", "a/b", "a?b", "a#b", "a%2F", "..", "a..b", "/", ".", "a\nb", "\tb", "a\x7f", "a\u0085b"}) {
    try {
      DesktopAPI::pathIdentifier(id);
      ADD_FAILURE() << "accepted " << id;
    } catch (const VeskError& error) {
      EXPECT_STREQ(error.what(), "Invalid Vesk operation.");
    }
  }
}

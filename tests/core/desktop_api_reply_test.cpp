// Typed replies and the availability probe.
#include "core/api/desktop_api.h"
#include "fake_service/fake_service.h"
#include "support/expect_failure.h"
#include "support/run_loop.h"

#include <gtest/gtest.h>

#include <thread>

using vesk::Auth;
using vesk::DecodingError;
using vesk::DesktopAPI;
using vesk::DesktopHTTPError;
using vesk::JsonObject;
using vesk::VeskError;
using vesk::async::PlatformError;
using vesk::testing::failureOf;
using vesk::testing::FakeService;
using vesk::testing::Reply;
using vesk::testing::runTask;

namespace {

using namespace std::string_literals;

// A small reply record of the usual shape; it also notes the thread that decoded it.
struct Greeting {
  std::string text;
  std::vector<int> numbers;
  std::thread::id decodedOn;

  static Greeting fromJson(const nlohmann::json& json) {
    if (!json.is_object() || !json.contains("text") || !json["text"].is_string())
      throw DecodingError("greeting: \"text\" is missing or not text");
    // Left to the library's own checks on purpose: a wrong type throws its exception.
    return {json["text"].get<std::string>(), json.value("numbers", std::vector<int>{}), std::this_thread::get_id()};
  }
};

const std::string unavailable =
    "Desktop sign-in isn\u2019t available on this Vesk server yet. You can use your account on Vesk Web.";

}  // namespace

TEST(DesktopAPIRequest, DecodesTheReplyRecordOffTheMainThread) {
  FakeService service;
  std::string big = R"({"text":"hello","numbers":[)";
  for (int i = 0; i < 400'000; ++i) big += std::to_string(i) + ",";
  big.back() = ']';
  big += "}";
  // Under "runs", whose replies carry whole reports and may run to megabytes.
  service.reply("POST", "/api/desktop/runs/greeting", Reply::json(big));
  const DesktopAPI api{service.origin(), "t"};

  const auto greeting = runTask(api.request<Greeting>("runs/greeting", JsonObject{{"name", "x"}}, Auth::bearer));
  EXPECT_EQ(greeting.text, "hello");
  ASSERT_EQ(greeting.numbers.size(), 400'000u);
  EXPECT_EQ(greeting.numbers.back(), 399'999);
  EXPECT_NE(greeting.decodedOn, std::this_thread::get_id());
  EXPECT_EQ(service.requests().at(0).method, "POST") << "a call with a body is a POST";
}

TEST(DesktopAPIRequest, AReplyThatDoesNotDecodeIsUnreadable) {
  FakeService service;
  const DesktopAPI api{service.origin(), "t"};
  std::string millionNumbers = R"({"text":"a","numbers":[0)";
  for (int i = 1; i < 1'000'000; ++i) millionNumbers += ",0";
  millionNumbers += "]}";
  const std::vector<std::string> bodies = {
      "",
      "not json",
      R"({"text":5})",
      R"({"text":"a","numbers":"x"})",
      R"([{"text":"a"}])",
      "{\"text\":\"\xff\"}",
      // Text after the document, even behind a NUL byte.
      "{\"text\":\"a\"}\0{\"text\":\"b\"}"s,
      "{\"text\":\"a\"}\0"s,
      // Shapes no record needs, refused before a document is built.
      R"({"text":"a","extra":[)" + std::string(64, '[') + std::string(64, ']') + "]}",
      millionNumbers,
  };
  for (std::size_t i = 0; i < bodies.size(); ++i) {
    SCOPED_TRACE(bodies[i].substr(0, 100));
    // Under "library", whose replies may run to megabytes: the million numbers arrive whole.
    const std::string path = "/api/desktop/library/bad/" + std::to_string(i);
    service.reply("GET", path, Reply::json(bodies[i]));
    const auto error = failureOf<DecodingError>(api.request<Greeting>(path.substr(13), std::nullopt, Auth::none));
    EXPECT_STREQ(error.what(), "Vesk returned an unreadable response.");
    EXPECT_FALSE(error.detail().empty());
  }
  service.reply("GET", "/api/desktop/gone", Reply::error(410, "Gone for good."));
  EXPECT_STREQ(failureOf<DesktopHTTPError>(api.request<Greeting>("gone", std::nullopt, Auth::bearer)).what(),
               "Gone for good.");
}

TEST(DesktopAPIProbe, AcceptsOnlyTheDesktopProtocolVersionOne) {
  FakeService service;
  const DesktopAPI api{service.origin(), "t"};
  struct Case {
    int status;
    std::string body;
    bool available;
  };
  const std::vector<Case> cases = {
      {200, R"({"protocol":"vesk-desktop","version":1,"extra":{"x":true}})", true},
      {200, R"({"protocol":"vesk-desktop","version":2})", false},
      {200, R"({"protocol":"vesk-web","version":1})", false},
      {200, R"({"protocol":"vesk-desktop","version":"1"})", false},
      {200, R"({"protocol":"vesk-desktop"})", false},
      {200, R"({"protocol":"vesk-desktop","version":1.5})", false},
      // Whole numbers are judged as written, as in every other record.
      {200, R"({"protocol":"vesk-desktop","version":1.0})", true},
      {200, R"({"protocol":"vesk-desktop","version":0.1e1})", true},
      {200, R"({"protocol":"vesk-desktop","version":1.0000000000000001})", false},
      {200, R"({"protocol":"vesk-desktop","version":-9223372036854775809})", false},
      {200, "{\"protocol\":\"vesk-desktop\",\"version\":1}\0junk"s, false},
      {200, "<html></html>", false},
      {200, "", false},
      {404, R"({"error":"Not found."})", false},
      {405, "", false},
      {503, R"({"error":{"message":"Maintenance.","code":"down"}})", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.status) + " " + c.body);
    service.reply("GET", "/api/desktop/connection", Reply::json(c.body, c.status));
    if (c.available) {
      EXPECT_NO_THROW(runTask(api.checkConnectionAvailability()));
    } else {
      EXPECT_EQ(failureOf<VeskError>(api.checkConnectionAvailability()).what(), unavailable);
    }
  }
  for (const auto& request : service.requests()) {
    EXPECT_EQ(request.method, "GET");
    EXPECT_FALSE(request.header("Authorization")) << "the probe runs unauthenticated";
  }
}

TEST(DesktopAPIProbe, PassesOtherFailuresOnUnchanged) {
  FakeService service;
  service.reply("GET", "/api/desktop/connection", Reply::error(500, "Broken."));
  const auto error =
      failureOf<DesktopHTTPError>(DesktopAPI{service.origin(), std::nullopt}.checkConnectionAvailability());
  EXPECT_EQ(error.status(), 500);
  EXPECT_STREQ(error.what(), "Broken.");

  Reply dropped;
  dropped.drop = true;
  service.reply("GET", "/api/desktop/connection", dropped);
  failureOf<PlatformError>(DesktopAPI{service.origin(), std::nullopt}.checkConnectionAvailability());
}

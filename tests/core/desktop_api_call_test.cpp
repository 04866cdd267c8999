// Sending calls: which operations go out and how, and what a reply becomes.
#include "core/api/desktop_api.h"
#include "fake_service/fake_service.h"
#include "support/expect_failure.h"
#include "support/run_loop.h"

#include <gtest/gtest.h>

using vesk::Auth;
using vesk::DesktopAPI;
using vesk::DesktopHTTPError;
using vesk::JsonObject;
using vesk::VeskError;
using vesk::testing::failureOf;
using vesk::testing::FakeService;
using vesk::testing::Reply;
using vesk::testing::runTask;

namespace {

constexpr const char* invalidOperation = "Invalid Vesk operation.";

class DesktopAPICall : public ::testing::Test {
 protected:
  FakeService service;
  DesktopAPI api{service.origin(), "t"};

  std::string get(const std::string& operation) {
    return runTask(api.raw(operation, std::nullopt, std::nullopt, Auth::bearer));
  }
};

std::string repeat(const std::string& piece, std::size_t times) {
  std::string text;
  for (std::size_t i = 0; i < times; ++i) text += piece;
  return text;
}

}  // namespace

TEST_F(DesktopAPICall, SendsOperationsUpToTheLengthLimitUnderTheDesktopAPI) {
  struct Case {
    std::string operation;
    std::string address;  // after the origin, as sent
    std::string path;     // as the service decodes it
    std::optional<std::string> query;
  };
  const std::vector<Case> cases = {
      {repeat("a", 8192), "/api/desktop/" + repeat("a", 8192), "/api/desktop/" + repeat("a", 8192), std::nullopt},
      {repeat("\u00e9", 4096), "/api/desktop/" + repeat("%C3%A9", 4096), "/api/desktop/" + repeat("\u00e9", 4096),
       std::nullopt},
      {"library?limit=100&offset=0", "/api/desktop/library?limit=100&offset=0", "/api/desktop/library",
       "limit=100&offset=0"},
      {"me?", "/api/desktop/me?", "/api/desktop/me", ""},
      {"me", "/api/desktop/me", "/api/desktop/me", std::nullopt},
      {"x?a=%2F?b/c", "/api/desktop/x?a=%2F?b/c", "/api/desktop/x", "a=%2F?b/c"},
      {"..a/b..", "/api/desktop/..a/b..", "/api/desktop/..a/b..", std::nullopt},
      {".a/b./.../%2E", "/api/desktop/.a/b./.../%252E", "/api/desktop/.a/b./.../%2E", std::nullopt},
      {"me?x=/./../", "/api/desktop/me?x=/./../", "/api/desktop/me", "x=/./../"},
      {"a//b/", "/api/desktop/a//b/", "/api/desktop/a//b/", std::nullopt},
      {"two words", "/api/desktop/two%20words", "/api/desktop/two words", std::nullopt},
      {"100%", "/api/desktop/100%25", "/api/desktop/100%", std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.operation.substr(0, 40));
    EXPECT_TRUE(api.endpoint(c.operation) == service.origin() + c.address);
    service.clearRequests();
    service.reply("GET", c.path, Reply::json("{}"));
    EXPECT_EQ(get(c.operation), "{}");
    ASSERT_EQ(service.requests().size(), 1u);
    EXPECT_TRUE(service.requests()[0].path == c.path);
    EXPECT_EQ(service.requests()[0].query, c.query);
  }
}

TEST_F(DesktopAPICall, RefusesOperationsThatCouldLeaveTheAPIAndSendsNothing) {
  const std::vector<std::string> refused = {
      repeat("a", 8193),
      repeat("\u00e9", 4096) + "a",
      "runs/../x",
      "..",
      "a/../../b",
      // Dot segments: the operation goes out as written or not at all.
      ".",
      "runs/./continue",
      "runs/x/.",
      "./me",
      "a/.?q=1",
      "/me",
      "a#b",
      "me?x#y",
      "x?y://z",
      "https://elsewhere.example/me",
      "library?limit=1 0",   // outside the query set
      "library?offset=%zz",  // malformed escape
      "library?offset=%4",   // truncated escape
      "me?a\r\nHost: evil",  // would split the request line
      std::string("me?a\0b", 6),
  };
  const DesktopAPI withoutToken{service.origin(), std::nullopt};
  for (const auto& operation : refused) {
    SCOPED_TRACE(operation.substr(0, 40));
    EXPECT_STREQ(failureOf<VeskError>(api.raw(operation, std::nullopt, std::nullopt, Auth::bearer)).what(),
                 invalidOperation);
    // The operation is checked before the token.
    EXPECT_STREQ(failureOf<VeskError>(withoutToken.raw(operation, JsonObject{}, std::nullopt, Auth::bearer)).what(),
                 invalidOperation);
    EXPECT_THROW(api.endpoint(operation), VeskError);
  }
  EXPECT_TRUE(service.requests().empty());
}

TEST_F(DesktopAPICall, ChoosesTheMethodAndSetsExactlyTheHeadersAndBody) {
  for (const char* method : {"GET", "POST", "PATCH", "DELETE"})
    service.reply(method, "/api/desktop/x", Reply::json("{}"));
  runTask(api.raw("x", JsonObject{}, std::nullopt, Auth::bearer));
  runTask(api.raw("x", std::nullopt, std::nullopt, Auth::bearer));
  runTask(api.raw("x", JsonObject{{"name", "Ünïcode ✓"}, {"n", 3}}, "PATCH", Auth::bearer));
  runTask(api.raw("x", std::nullopt, "DELETE", Auth::none));
  runTask(api.raw("x", JsonObject{}, "GET", Auth::bearer));

  const auto& sent = service.requests();
  ASSERT_EQ(sent.size(), 5u);
  EXPECT_EQ(sent[0].method, "POST");
  EXPECT_EQ(sent[0].body, "{}");
  EXPECT_EQ(sent[1].method, "GET");
  EXPECT_EQ(sent[1].body, "");
  EXPECT_EQ(sent[2].method, "PATCH");
  EXPECT_EQ(nlohmann::json::parse(sent[2].body), (nlohmann::json{{"name", "Ünïcode ✓"}, {"n", 3}}));
  EXPECT_EQ(sent[3].method, "DELETE");
  EXPECT_EQ(sent[4].method, "GET") << "an explicit method wins over the body";
  for (const auto& request : sent) {
    EXPECT_EQ(request.header("Content-Type"), "application/json");
    EXPECT_FALSE(request.header("Cookie"));
  }
  EXPECT_EQ(sent[0].header("Authorization"), "Bearer t");
  EXPECT_EQ(sent[1].header("Authorization"), "Bearer t");
  EXPECT_FALSE(sent[3].header("Authorization")) << "an unauthenticated call sends no token";
}

TEST_F(DesktopAPICall, AnAuthenticatedCallWithoutAUsableTokenSendsNothing) {
  service.reply("GET", "/api/desktop/me", Reply::json("{}"));
  for (const auto& token : {std::optional<std::string>(), std::optional<std::string>("t\r\nX-Injected: 1")}) {
    const DesktopAPI client{service.origin(), token};
    EXPECT_STREQ(failureOf<VeskError>(client.raw("me", std::nullopt, std::nullopt, Auth::bearer)).what(),
                 "Connect your Vesk account first.");
  }
  EXPECT_TRUE(service.requests().empty());
  // Unauthenticated calls need no token.
  EXPECT_EQ(runTask(DesktopAPI{service.origin(), std::nullopt}.raw("me", std::nullopt, std::nullopt, Auth::none)),
            "{}");
}

TEST_F(DesktopAPICall, ABodyThatCannotBeSerializedFailsWithTheSerializersError) {
  EXPECT_THROW(runTask(api.raw("x", JsonObject{{"bad", std::string("\xff\xfe")}}, std::nullopt, Auth::bearer)),
               nlohmann::json::type_error);
  EXPECT_TRUE(service.requests().empty());
}

TEST_F(DesktopAPICall, ReturnsAnySuccessfulReplyAsItCame) {
  service.reply("GET", "/api/desktop/empty", Reply::json("", 204));
  service.reply("GET", "/api/desktop/text", Reply::json("not json at all", 299));
  EXPECT_EQ(get("empty"), "");
  EXPECT_EQ(get("text"), "not json at all");
}

TEST_F(DesktopAPICall, ARedirectIsTheFinalReplyAndItsTargetIsNeverAsked) {
  service.reply("GET", "/api/desktop/moved", Reply::redirect(302, service.origin() + "/api/desktop/target"));
  service.reply("GET", "/api/desktop/target", Reply::json("{}"));
  const auto error = failureOf<DesktopHTTPError>(api.raw("moved", std::nullopt, std::nullopt, Auth::bearer));
  EXPECT_EQ(error.status(), 302);
  EXPECT_STREQ(error.what(), "Vesk could not confirm this request (302). Check saved work before starting again.");
  EXPECT_TRUE(service.requestsTo("GET", "/api/desktop/target").empty());
}

TEST_F(DesktopAPICall, KeepsNoCookiesOrCredentialsBetweenCalls) {
  Reply withCookie = Reply::json("{}");
  withCookie.headers = {{"Set-Cookie", "session=abc; Path=/"}};
  service.reply("GET", "/api/desktop/a", withCookie);
  Reply challenge = Reply::error(401, "Who?");
  challenge.headers = {{"WWW-Authenticate", "Basic realm=\"vesk\""}};
  service.reply("GET", "/api/desktop/b", challenge);

  get("a");
  EXPECT_EQ(failureOf<DesktopHTTPError>(api.raw("b", std::nullopt, std::nullopt, Auth::bearer)).status(), 401);
  get("a");
  ASSERT_EQ(service.requests().size(), 3u) << "a challenge is answered by nobody, not retried";
  for (const auto& request : service.requests()) EXPECT_FALSE(request.header("Cookie"));
}

TEST_F(DesktopAPICall, ReadsTheServiceErrorBody) {
  const std::string couldNotConfirm = "Vesk could not confirm this request (";
  const std::string checkSaved = "). Check saved work before starting again.";
  const std::string expired = "Your session expired. Reconnect in the browser; your saved work is still there.";
  struct Case {
    int status;
    std::string body;
    std::string message;
    std::optional<std::string> code;
  };
  const std::vector<Case> cases = {
      {401, R"({"error":{"message":"Token revoked.","code":"revoked"}})", expired, "revoked"},
      {401, R"({"error":"Flat."})", expired, std::nullopt},
      {401, "", expired, std::nullopt},
      {500, "", couldNotConfirm + "500" + checkSaved, std::nullopt},
      {422, R"({"error":"That URL is not reachable."})", "That URL is not reachable.", std::nullopt},
      {409, R"({"error":{"code":"busy"}})", couldNotConfirm + "409" + checkSaved, "busy"},
      {400, R"({"error":{"message":"Inner.","code":7}})", "Inner.", std::nullopt},
      {400, R"({"error":{"message":5,"code":"c"}})", couldNotConfirm + "400" + checkSaved, "c"},
      {403, R"({"error":""})", "", std::nullopt},
      {400, R"([{"error":"in an array"}])", couldNotConfirm + "400" + checkSaved, std::nullopt},
      {400, R"({"message":"other key"})", couldNotConfirm + "400" + checkSaved, std::nullopt},
      {503, "<html>down</html>", couldNotConfirm + "503" + checkSaved, std::nullopt},
      {404, R"({"error":"Not here."} trailing)", couldNotConfirm + "404" + checkSaved, std::nullopt},
      // A NUL in the text is kept, shown as U+FFFD, with everything after it.
      {422, R"({"error":"Before\u0000after."})", "Before\uFFFDafter.", std::nullopt},
      {400, R"({"error":{"message":"\u0000A\u0000\u0000B","code":"c\u0000d"}})", "\uFFFDA\uFFFD\uFFFDB",
       std::string("c\0d", 3)},
  };
  for (std::size_t i = 0; i < cases.size(); ++i) {
    const auto& c = cases[i];
    SCOPED_TRACE(std::to_string(c.status) + " " + c.body);
    const std::string path = "/api/desktop/fail/" + std::to_string(i);
    service.reply("GET", path, Reply::json(c.body, c.status));
    const auto error = failureOf<DesktopHTTPError>(api.raw(path.substr(13), std::nullopt, std::nullopt, Auth::bearer));
    EXPECT_EQ(error.status(), c.status);
    EXPECT_EQ(error.message(), c.message);
    EXPECT_EQ(std::string(error.what()), c.message);
    EXPECT_EQ(error.code(), c.code);
  }
}

TEST(VeskErrorText, KeepsEverythingAfterANul) {
  EXPECT_EQ(std::string(VeskError(std::string("a\0b\0", 4)).what()), "a\uFFFDb\uFFFD");
  EXPECT_EQ(std::string(VeskError::message(std::string("\0", 1)).what()), "\uFFFD");
  const DesktopHTTPError error(400, std::nullopt, std::string("x\0y", 3));
  EXPECT_EQ(error.message(), "x\uFFFDy");
}

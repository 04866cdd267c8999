// The fake service's routes for paths with identifiers, its fallback, its observer and
// its recording switch, on which the demo service is built.
#include "demo/demo_rig.h"
#include "fake_service/fake_service.h"
#include "support/expect_failure.h"

#include <gtest/gtest.h>

using namespace vesk;
using namespace vesk::testing;

namespace {

Reply text(const std::string& body) {
  Reply reply = Reply::json(body);
  reply.contentType = "text/plain";
  return reply;
}

std::string fetch(const FakeService& service, const std::string& operation, const std::string& method = "GET") {
  const DesktopAPI client{service.origin(), std::nullopt};
  try {
    return runTask(client.raw(operation, std::nullopt, method, Auth::none));
  } catch (const DesktopHTTPError& error) {
    return std::to_string(error.status()) + " " + error.message();
  }
}

}  // namespace

TEST(FakeServiceRoutes, ExactRoutesComeFirstThenTheLongestPrefixThenTheFallback) {
  FakeService service;
  service.onPrefix("GET", "/api/desktop/", [](const RecordedRequest& r) { return text("short " + r.path); });
  service.onPrefix("GET", "/api/desktop/runs/", [](const RecordedRequest& r) { return text("runs " + r.path); });
  service.reply("GET", "/api/desktop/runs/special", text("exact"));
  EXPECT_EQ(fetch(service, "runs/special"), "exact");
  EXPECT_EQ(fetch(service, "runs/r1/share"), "runs /api/desktop/runs/r1/share");
  EXPECT_EQ(fetch(service, "me"), "short /api/desktop/me");
  EXPECT_EQ(fetch(service, "me", "POST"), "404 Not found.") << "prefixes are per method; the default is a 404";

  service.fallback([](const RecordedRequest& r) { return Reply::error(410, "Gone: " + r.method); });
  EXPECT_EQ(fetch(service, "me", "DELETE"), "410 Gone: DELETE");
}

TEST(FakeServiceRoutes, TheObserverSeesEveryAnswerAndDiscardingKeepsNoRequests) {
  FakeService service;
  service.reply("GET", "/api/desktop/me", text("me"));
  std::vector<std::string> seen;
  service.observe([&](const RecordedRequest& r, const Reply& reply) {
    seen.push_back(r.method + " " + r.path + " " + std::to_string(reply.status));
  });
  fetch(service, "me");
  fetch(service, "nowhere");
  EXPECT_EQ(seen, (std::vector<std::string>{"GET /api/desktop/me 200", "GET /api/desktop/nowhere 404"}));
  EXPECT_EQ(service.requests().size(), 2u);

  service.setRecording(FakeService::Recording::discard);
  fetch(service, "me");
  EXPECT_EQ(service.requests().size(), 2u);
  EXPECT_EQ(seen.size(), 3u);
}

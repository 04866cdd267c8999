// Downloading evidence images.
#include "core/api/desktop_api.h"
#include "fake_service/fake_service.h"
#include "support/expect_failure.h"
#include "support/run_loop.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>

using namespace std::chrono_literals;
using vesk::DesktopAPI;
using vesk::VeskError;
using vesk::testing::failureOf;
using vesk::testing::FakeService;
using vesk::testing::Reply;
using vesk::testing::runTask;

namespace {

const std::string unavailable = "Saved evidence could not be loaded. Reconnect or open the report in Vesk Web.";
constexpr std::size_t limit = 12'582'912;

Reply image(std::string body, std::string type = "image/png", int status = 200) {
  Reply reply = Reply::json(std::move(body), status);
  reply.contentType = std::move(type);
  return reply;
}

class DesktopAPIAsset : public ::testing::Test {
 protected:
  FakeService service;
  DesktopAPI api{service.origin(), "t"};
};

}  // namespace

TEST_F(DesktopAPIAsset, AcceptsOnlyTheEvidencePathPatternAndSendsNothingElse) {
  for (const char* path : {"runs/run_abc123/attachments/0", "runs/run_Z/url-shot/99", "runs/run_9/attachments/10"}) {
    service.reply("GET", std::string("/api/desktop/") + path, image("png"));
    EXPECT_EQ(runTask(api.asset(path)).bytes, "png") << path;
  }
  service.clearRequests();
  const std::vector<std::string> refused = {
      "runs/run_abc/attachments/100", "runs/run_abc/attachments/07", "runs/run_a-b/attachments/1",
      "runs/run_abc/attachments/1\n", "runs/run_/attachments/1",     "runs/run_abc/screens/1",
      "runs/run_abc/attachments/",    "/runs/run_abc/attachments/1", "runs/run_\u00e9/attachments/1",
      "runs/run_abc/attachments/1/",  "runs/run_abc/url-shot/-1",    "xruns/run_abc/attachments/1",
  };
  for (const auto& path : refused) {
    EXPECT_STREQ(failureOf<VeskError>(api.asset(path)).what(), "Invalid evidence resource.") << path;
    EXPECT_STREQ(failureOf<VeskError>(DesktopAPI{service.origin(), std::nullopt}.asset(path)).what(),
                 "Invalid evidence resource.")
        << "the path is checked before the token";
  }
  EXPECT_STREQ(
      failureOf<VeskError>(DesktopAPI{service.origin(), std::nullopt}.asset("runs/run_a/attachments/1")).what(),
      "Reconnect to view saved evidence.");
  EXPECT_TRUE(service.requests().empty());
}

TEST_F(DesktopAPIAsset, SendsOnlyTheBearerTokenAndReturnsTheImage) {
  service.reply("GET", "/api/desktop/runs/run_a/attachments/1", image("\x89PNG", "image/png; charset=binary"));
  const auto evidence = runTask(api.asset("runs/run_a/attachments/1"));
  EXPECT_EQ(evidence.bytes, "\x89PNG");
  EXPECT_EQ(evidence.mimeType, "image/png");
  const auto& request = service.requests().at(0);
  EXPECT_EQ(request.method, "GET");
  EXPECT_EQ(request.header("Authorization"), "Bearer t");
  EXPECT_FALSE(request.header("Content-Type"));
}

TEST_F(DesktopAPIAsset, AcceptsStatus200AndTheFourImageTypesOnly) {
  struct Case {
    int status;
    std::string type;
    bool accepted;
  };
  const std::vector<Case> cases = {
      {200, "image/png", true},      {200, "image/jpeg", true}, {200, "image/webp", true}, {200, "image/gif", true},
      {200, "image/svg+xml", false}, {200, "text/html", false}, {200, "IMAGE/PNG", true},  {200, "", false},
      {204, "image/png", false},     {201, "image/png", false}, {302, "image/png", false}, {404, "image/png", false},
  };
  for (std::size_t i = 0; i < cases.size(); ++i) {
    const auto& c = cases[i];
    SCOPED_TRACE(std::to_string(c.status) + " " + c.type);
    const std::string path = "runs/run_a/url-shot/" + std::to_string(i);
    service.reply("GET", "/api/desktop/" + path, image("img", c.type, c.status));
    if (c.accepted) {
      // Media types are case-insensitive; the client hands them on in lower case.
      std::string lower = c.type;
      std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char ch) { return std::tolower(ch); });
      EXPECT_EQ(runTask(api.asset(path)).mimeType, lower);
    } else {
      EXPECT_EQ(failureOf<VeskError>(api.asset(path)).what(), unavailable);
    }
  }
}

TEST_F(DesktopAPIAsset, StopsReadingAtTheSizeLimit) {
  service.reply("GET", "/api/desktop/runs/run_a/attachments/0", image(std::string(limit, 'x')));
  service.reply("GET", "/api/desktop/runs/run_a/attachments/1", image(std::string(limit + 1, 'x')));
  EXPECT_EQ(runTask(api.asset("runs/run_a/attachments/0")).bytes.size(), limit);
  EXPECT_EQ(failureOf<VeskError>(api.asset("runs/run_a/attachments/1")).what(), unavailable);

  // A reply that never ends is given up once it passes the limit, not read to its end.
  Reply endless = image(std::string(limit + 4 * 1024 * 1024, 'x'));
  endless.chunkSize = 1024 * 1024;
  endless.hangAfter = limit + 2 * 1024 * 1024;
  service.reply("GET", "/api/desktop/runs/run_a/attachments/2", endless);
  EXPECT_EQ(failureOf<VeskError>(api.asset("runs/run_a/attachments/2"), 5s).what(), unavailable);
}

// Time-outs, cancellation and transport failures of calls and downloads.
#include "core/api/desktop_api.h"
#include "core/async/errors.h"
#include "core/async/timing.h"
#include "fake_service/fake_service.h"
#include "support/expect_failure.h"
#include "support/run_loop.h"

#include <gtest/gtest.h>

using namespace std::chrono_literals;
using vesk::Auth;
using vesk::DesktopAPI;
using vesk::JsonObject;
using vesk::async::Cancelled;
using vesk::async::PlatformError;
using vesk::async::ScopedTimeScale;
using vesk::testing::failureOf;
using vesk::testing::FakeService;
using vesk::testing::Reply;
using vesk::testing::runTask;

namespace {

bool isTimeOut(const PlatformError& error) { return error.matches(G_IO_ERROR, G_IO_ERROR_TIMED_OUT); }

}  // namespace

TEST(DesktopAPITimeouts, FollowFromTheOperationAndMethodAlone) {
  struct Case {
    const char* operation;
    const char* method;
    long seconds;
  };
  const Case cases[] = {
      {"billing/portal", "POST", 45},
      {"billing/portal", "GET", 45},
      {"settings/export", "GET", 150},
      {"runs/run_1/pdf", "GET", 150},
      {"runs/run_1/pdf?x=1", "GET", 20},  // the suffix test sees the query
      {"settings/export", "POST", 840},
      {"runs/run_1/pdf", "DELETE", 840},
      {"me", "GET", 20},
      {"library?limit=100&offset=0", "GET", 20},
      {"connection", "GET", 20},
      {"token", "POST", 840},
      {"projects/p1", "PATCH", 840},
      {"settings/runs", "DELETE", 840},
      {"billing/portal/x", "GET", 20},
  };
  for (const auto& c : cases)
    EXPECT_EQ(DesktopAPI::timeoutFor(c.operation, c.method).count(), c.seconds) << c.method << " " << c.operation;
  EXPECT_EQ(DesktopAPI::evidenceTimeout.count(), 30);
}

TEST(DesktopAPITimeouts, AQuietReplyTimesOutAfterItsOperationsLimit) {
  const ScopedTimeScale fast(0.005);  // GET 20 s -> 100 ms, POST 840 s -> 4.2 s
  FakeService service;
  Reply slow = Reply::json("{}");
  slow.delay = 600ms;
  service.reply("GET", "/api/desktop/slow", slow);
  service.reply("POST", "/api/desktop/slow", slow);
  const DesktopAPI api{service.origin(), "t"};

  const auto started = std::chrono::steady_clock::now();
  const auto error = failureOf<PlatformError>(api.raw("slow", std::nullopt, std::nullopt, Auth::bearer));
  EXPECT_TRUE(isTimeOut(error)) << error.what();
  EXPECT_STREQ(error.what(), "The request timed out.");
  EXPECT_LT(std::chrono::steady_clock::now() - started, 550ms);
  EXPECT_EQ(runTask(api.raw("slow", JsonObject{}, std::nullopt, Auth::bearer)), "{}") << "a write waits much longer";
}

TEST(DesktopAPITimeouts, MeasureInactivityNotTheWholeTransfer) {
  const ScopedTimeScale fast(0.01);  // GET 20 s -> 200 ms, evidence 30 s -> 300 ms
  FakeService service;
  Reply trickle = Reply::json(std::string(10 * 1000, 'x'));
  trickle.chunkSize = 1000;
  trickle.chunkInterval = 50ms;  // 450 ms in all, never 200 ms quiet
  service.reply("GET", "/api/desktop/trickle", trickle);
  Reply stuck = trickle;
  stuck.hangAfter = 3000;
  service.reply("GET", "/api/desktop/stuck", stuck);
  Reply stuckImage = stuck;
  stuckImage.contentType = "image/png";
  service.reply("GET", "/api/desktop/runs/run_a/attachments/0", stuckImage);
  const DesktopAPI api{service.origin(), "t"};

  EXPECT_EQ(runTask(api.raw("trickle", std::nullopt, std::nullopt, Auth::bearer)).size(), 10'000u);
  EXPECT_TRUE(isTimeOut(failureOf<PlatformError>(api.raw("stuck", std::nullopt, std::nullopt, Auth::bearer))));
  EXPECT_TRUE(isTimeOut(failureOf<PlatformError>(api.asset("runs/run_a/attachments/0"))));
}

TEST(DesktopAPITransfer, CancellingTheTaskAbortsTheRequestAtOnce) {
  FakeService service;
  Reply held = Reply::json("{}");
  held.stall = true;
  service.reply("GET", "/api/desktop/held", held);
  Reply stuck = Reply::json(std::string(4096, 'x'));
  stuck.hangAfter = 1024;
  stuck.contentType = "image/png";
  service.reply("GET", "/api/desktop/runs/run_a/url-shot/1", stuck);
  const DesktopAPI api{service.origin(), "t"};

  auto waiting = vesk::async::spawn(api.raw("held", std::nullopt, std::nullopt, Auth::bearer));
  ASSERT_TRUE(vesk::testing::runUntil([&] { return service.stalledCount() == 1; }));
  auto reading = vesk::async::spawn(api.asset("runs/run_a/url-shot/1"));
  vesk::testing::runFor(50ms);
  ASSERT_FALSE(waiting.isDone());
  ASSERT_FALSE(reading.isDone());
  EXPECT_EQ(service.abandonedCount(), 0u);

  waiting.cancel();
  reading.cancel();
  const auto cancelled = std::chrono::steady_clock::now();
  vesk::testing::waitFor(waiting, 1s);
  vesk::testing::waitFor(reading, 1s);
  EXPECT_LT(std::chrono::steady_clock::now() - cancelled, 200ms);
  EXPECT_THROW(waiting.result(), Cancelled);
  EXPECT_THROW(reading.result(), Cancelled);
  EXPECT_TRUE(vesk::testing::runUntil([&] { return service.abandonedCount() == 2; }, 2s))
      << "both connections are closed, not left open";
}

TEST(DesktopAPITransfer, TransportFailuresPassOnThePlatformsError) {
  FakeService service;
  Reply dropped;
  dropped.drop = true;
  service.reply("GET", "/api/desktop/me", dropped);
  const auto dropError =
      failureOf<PlatformError>(DesktopAPI{service.origin(), "t"}.raw("me", std::nullopt, std::nullopt, Auth::bearer));
  EXPECT_NE(std::string(dropError.what()), "");

  std::string closedOrigin;
  {
    FakeService gone;
    closedOrigin = gone.origin();
  }
  const auto refused =
      failureOf<PlatformError>(DesktopAPI{closedOrigin, "t"}.raw("me", std::nullopt, std::nullopt, Auth::bearer));
  EXPECT_TRUE(refused.matches(G_IO_ERROR, G_IO_ERROR_CONNECTION_REFUSED)) << refused.what();
}

// What a broken or hostile service can make a call hold and how long it can keep it: the
// byte limit of each operation, counted after gzip decoding as the body arrives, and the
// deadline that a reply trickling under the idle time-out still meets.
#include "core/api/call_limits.h"
#include "core/api/desktop_api.h"
#include "core/async/errors.h"
#include "core/async/timing.h"
#include "core/platform/object_ptr.h"
#include "fake_service/fake_service.h"
#include "support/expect_failure.h"
#include "support/run_loop.h"

#include <gio/gio.h>
#include <gtest/gtest.h>

using namespace std::chrono_literals;
using vesk::Auth;
using vesk::CallLimits;
using vesk::DesktopAPI;
using vesk::JsonObject;
using vesk::ReplyTooLarge;
using vesk::async::PlatformError;
using vesk::async::ScopedTimeScale;
using vesk::testing::failureOf;
using vesk::testing::FakeService;
using vesk::testing::Reply;
using vesk::testing::runTask;

namespace {

constexpr std::size_t MiB = 1024 * 1024;

// `text` compressed as a gzip member.
std::string gzipped(const std::string& text) {
  auto compressor =
      vesk::glib::ObjectPtr<GZlibCompressor>::adopt(g_zlib_compressor_new(G_ZLIB_COMPRESSOR_FORMAT_GZIP, 9));
  std::string out(text.size() / 100 + 4096, '\0');
  gsize read = 0;
  gsize written = 0;
  const auto result = g_converter_convert(G_CONVERTER(compressor.get()), text.data(), text.size(), out.data(),
                                          out.size(), G_CONVERTER_INPUT_AT_END, &read, &written, nullptr);
  EXPECT_EQ(result, G_CONVERTER_FINISHED) << "the output buffer holds the whole member";
  out.resize(written);
  return out;
}

Reply gzipReply(const std::string& text) {
  Reply reply = Reply::json(gzipped(text));
  reply.headers.emplace_back("Content-Encoding", "gzip");
  return reply;
}

}  // namespace

TEST(CallLimits, RoomForReportsAndLibrariesAndLittleForEverythingElse) {
  struct Case {
    const char* operation;
    const char* method;
    std::size_t bytes;
  };
  const Case cases[] = {
      {"library", "GET", 64 * MiB},
      {"library?limit=100&offset=200", "GET", 64 * MiB},
      {"projects", "GET", 64 * MiB},
      {"projects/p1/runs", "GET", 64 * MiB},
      {"runs/run_1", "GET", 64 * MiB},
      {"runs/run_1/answers", "POST", 64 * MiB},
      {"runs/run_1/refine-finding", "POST", 1 * MiB},
      {"runs", "POST", 64 * MiB},
      {"runs/run_1/lenses", "GET", 1 * MiB},
      {"runs/run_1/share", "GET", 1 * MiB},
      {"runs/run_1/continue", "POST", 1 * MiB},
      {"me", "GET", 1 * MiB},
      {"token", "POST", 1 * MiB},
      {"connection", "GET", 1 * MiB},
      {"settings", "PATCH", 1 * MiB},
      {"settings/audit-improvement", "GET", 1 * MiB},
      {"billing/portal", "POST", 1 * MiB},
      {"librarything", "GET", 1 * MiB},
  };
  for (const auto& c : cases)
    EXPECT_EQ(CallLimits::forOperation(c.operation, c.method).replyBytes, c.bytes) << c.method << " " << c.operation;

  EXPECT_EQ(CallLimits::forOperation("settings/export", "GET").deadline, 2h) << "a download may take long";
  EXPECT_EQ(CallLimits::forOperation("runs/run_1/pdf", "GET").deadline, 2h);
  for (const auto& c : cases) {
    const auto limits = CallLimits::forOperation(c.operation, c.method);
    EXPECT_GT(limits.deadline, DesktopAPI::timeoutFor(c.operation, c.method))
        << "past the idle time-out: " << c.operation;
    EXPECT_LE(limits.deadline, 20min) << c.operation;
  }
}

TEST(DesktopAPIReplyLimits, AReplyPastItsLimitIsUnreadableAndOneAtItIsKept) {
  FakeService service;
  service.reply("GET", "/api/desktop/me", Reply::json(std::string(1 * MiB + 1, ' ')));
  service.reply("GET", "/api/desktop/connection", Reply::json(std::string(1 * MiB, ' ')));
  service.reply("GET", "/api/desktop/library", Reply::json(std::string(8 * MiB, ' ')));
  const DesktopAPI api{service.origin(), "t"};

  const auto error = failureOf<ReplyTooLarge>(api.raw("me", std::nullopt, std::nullopt, Auth::bearer));
  EXPECT_STREQ(error.what(), "Vesk returned an unreadable response.");
  EXPECT_EQ(runTask(api.raw("connection", std::nullopt, std::nullopt, Auth::none)).size(), 1 * MiB);
  EXPECT_EQ(runTask(api.raw("library", std::nullopt, std::nullopt, Auth::bearer)).size(), 8 * MiB);
}

TEST(DesktopAPIReplyLimits, GzipRepliesCountTheirDecodedBytes) {
  FakeService service;
  // About 64 KB on the wire that would become 64 MiB.
  service.reply("GET", "/api/desktop/me", gzipReply(std::string(64 * MiB, ' ')));
  const std::string account = R"({"email":"a@example.com"})";
  service.reply("GET", "/api/desktop/settings", gzipReply(account));
  const DesktopAPI api{service.origin(), "t"};

  const auto error = failureOf<ReplyTooLarge>(api.raw("me", std::nullopt, std::nullopt, Auth::bearer));
  EXPECT_STREQ(error.what(), "Vesk returned an unreadable response.");
  EXPECT_EQ(runTask(api.raw("settings", std::nullopt, std::nullopt, Auth::bearer)), account) << "decoded, not raw";
}

TEST(DesktopAPIReplyLimits, TheExchangeEndsTheMomentTheLimitIsPassed) {
  FakeService service;
  Reply endless = Reply::json(std::string(4 * MiB, ' '));
  endless.chunkSize = 256 * 1024;
  endless.hangAfter = 2 * MiB;  // then nothing more, and no end: only the limit can end the call
  service.reply("GET", "/api/desktop/me", endless);
  const DesktopAPI api{service.origin(), "t"};

  failureOf<ReplyTooLarge>(api.raw("me", std::nullopt, std::nullopt, Auth::bearer));
  EXPECT_TRUE(vesk::testing::runUntil([&] { return service.abandonedCount() == 1; }, 2s)) << "its connection closed";
}

TEST(DesktopAPIDeadline, AReplyTricklingUnderTheIdleTimeOutEndsAtTheDeadline) {
  // A write: 840 s idle becomes 1.68 s, its 20-minute deadline 2.4 s. A byte every 0.3 s
  // is never idle long enough, and would take 30 s to finish.
  const ScopedTimeScale fast(0.002);
  FakeService service;
  Reply trickle = Reply::json(std::string(100, ' '));
  trickle.chunkSize = 1;
  trickle.chunkInterval = 300ms;
  service.reply("POST", "/api/desktop/feedback", trickle);
  const DesktopAPI api{service.origin(), "t"};

  const auto error = failureOf<PlatformError>(api.raw("feedback", JsonObject{}, std::nullopt, Auth::bearer));
  EXPECT_TRUE(error.matches(G_IO_ERROR, G_IO_ERROR_TIMED_OUT)) << error.what();
  EXPECT_STREQ(error.what(), "The request timed out.");
}

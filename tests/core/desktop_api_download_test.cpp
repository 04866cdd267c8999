// Downloads written to a stream as they arrive instead of being held in memory.
#include "core/api/desktop_api.h"
#include "core/async/errors.h"
#include "core/async/timing.h"
#include "fake_service/fake_service.h"
#include "support/expect_failure.h"
#include "support/run_loop.h"

#include <gtest/gtest.h>

using namespace std::chrono_literals;
using namespace vesk;
using namespace vesk::testing;
using async::PlatformError;

namespace {

constexpr const char* path = "/api/desktop/settings/export";

// A resizable in-memory stream standing in for a file.
struct MemoryStream {
  glib::ObjectPtr<GOutputStream> stream = glib::ObjectPtr<GOutputStream>::adopt(g_memory_output_stream_new_resizable());
  GOutputStream* get() const { return stream.get(); }
  std::string bytes() const {
    auto* memory = G_MEMORY_OUTPUT_STREAM(stream.get());
    return std::string(static_cast<const char*>(g_memory_output_stream_get_data(memory)),
                       g_memory_output_stream_get_data_size(memory));
  }
};

std::string patterned(std::size_t size) {
  std::string bytes(size, '\0');
  for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>((i * 7919) % 251);
  return bytes;
}

}  // namespace

TEST(DesktopAPIDownload, WritesTheBodyOfASuccessfulReplyAsItArrives) {
  FakeService service;
  Reply archive = Reply::json(patterned(300 * 1024));
  archive.contentType = "application/zip";
  archive.chunkSize = 16 * 1024;
  service.reply("GET", path, archive);
  const MemoryStream out;
  runTask(DesktopAPI{service.origin(), "t"}.downloadInto("settings/export", out.get(), Auth::bearer));
  EXPECT_EQ(out.bytes(), archive.body);
  const auto requests = service.requestsTo("GET", path);
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_EQ(requests[0].header("Authorization"), "Bearer t");
  EXPECT_TRUE(requests[0].body.empty());
}

TEST(DesktopAPIDownload, AFailedReplyThrowsTheServicesErrorAndWritesNothing) {
  FakeService service;
  const DesktopAPI api{service.origin(), "t"};
  const MemoryStream out;
  service.reply("GET", path, Reply::error(403, "Exports are paused for this account."));
  const auto refused = failureOf<DesktopHTTPError>(api.downloadInto("settings/export", out.get(), Auth::bearer));
  EXPECT_EQ(refused.status(), 403);
  EXPECT_STREQ(refused.what(), "Exports are paused for this account.");

  service.reply("GET", path, Reply::redirect(302, "/sign-in"));
  EXPECT_EQ(failureOf<DesktopHTTPError>(api.downloadInto("settings/export", out.get(), Auth::bearer)).status(), 302);

  service.reply("GET", path, Reply::json("<html>Down</html>", 500));
  const auto failed = failureOf<DesktopHTTPError>(api.downloadInto("settings/export", out.get(), Auth::bearer));
  EXPECT_STREQ(failed.what(), "Vesk could not confirm this request (500). Check saved work before starting again.");
  EXPECT_TRUE(out.bytes().empty());

  service.clearRequests();
  const auto unsigned_ = failureOf<VeskError>(
      DesktopAPI{service.origin(), std::nullopt}.downloadInto("settings/export", out.get(), Auth::bearer));
  EXPECT_STREQ(unsigned_.what(), "Connect your Vesk account first.");
  EXPECT_TRUE(service.requests().empty());
}

TEST(DesktopAPIDownload, TimesOutOnlyWhenTheBodyStopsArriving) {
  const async::ScopedTimeScale fast(0.002);  // the archive's 150 s -> 300 ms
  FakeService service;
  Reply trickle = Reply::json(patterned(40 * 1000));
  trickle.chunkSize = 2000;
  trickle.chunkInterval = 40ms;  // about 800 ms in all, never 300 ms quiet
  service.reply("GET", path, trickle);
  const DesktopAPI api{service.origin(), "t"};
  const MemoryStream whole;
  runTask(api.downloadInto("settings/export", whole.get(), Auth::bearer));
  EXPECT_EQ(whole.bytes(), trickle.body);

  Reply stuck = trickle;
  stuck.hangAfter = 8000;
  service.reply("GET", path, stuck);
  const MemoryStream part;
  const auto error = failureOf<PlatformError>(api.downloadInto("settings/export", part.get(), Auth::bearer));
  EXPECT_TRUE(error.matches(G_IO_ERROR, G_IO_ERROR_TIMED_OUT)) << error.what();
  EXPECT_EQ(part.bytes(), trickle.body.substr(0, 8000));
}

TEST(DesktopAPIDownload, AFailedWriteEndsTheDownloadWithThePlatformsError) {
  FakeService service;
  service.reply("GET", path, Reply::json(patterned(200 * 1024)));
  const MemoryStream closed;
  g_output_stream_close(closed.get(), nullptr, nullptr);
  const auto error = failureOf<PlatformError>(
      DesktopAPI{service.origin(), "t"}.downloadInto("settings/export", closed.get(), Auth::bearer));
  EXPECT_TRUE(error.matches(G_IO_ERROR, G_IO_ERROR_CLOSED)) << error.what();
}

TEST(DesktopAPIDownload, ABodyPastItsLimitIsRefusedAtOnceWithNoMoreWritten) {
  FakeService service;
  const DesktopAPI api{service.origin(), "t"};
  Reply endless = Reply::json(patterned(96 * 1024));
  endless.chunkSize = 16 * 1024;
  endless.hangAfter = 80 * 1024;  // the rest never comes: a reader that waits for it times out
  service.reply("GET", path, endless);
  const MemoryStream out;
  const auto error = failureOf<ReplyTooLarge>(api.downloadInto("settings/export", out.get(), Auth::bearer, 64 * 1024));
  EXPECT_STREQ(error.what(), "Vesk returned an unreadable response.");
  EXPECT_LE(out.bytes().size(), 64u * 1024);
  EXPECT_EQ(out.bytes(), endless.body.substr(0, out.bytes().size()));

  // A body of exactly the limit is whole.
  service.reply("GET", path, Reply::json(patterned(64 * 1024)));
  const MemoryStream whole;
  runTask(api.downloadInto("settings/export", whole.get(), Auth::bearer, 64 * 1024));
  EXPECT_EQ(whole.bytes(), patterned(64 * 1024));
}

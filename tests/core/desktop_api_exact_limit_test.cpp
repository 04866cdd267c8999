// Bodies of exactly a reader's limit and one byte more, announced with a length and
// chunked: the first is kept, the second refused, each call ends, and the next one works.
#include "core/api/desktop_api.h"
#include "core/platform/object_ptr.h"
#include "core/platform/preview_image.h"
#include "fake_service/fake_service.h"
#include "support/expect_failure.h"
#include "support/run_loop.h"

#include <gio/gio.h>
#include <gtest/gtest.h>

using namespace std::chrono_literals;
using vesk::Auth;
using vesk::DesktopAPI;
using vesk::DesktopHTTPError;
using vesk::ReplyTooLarge;
using vesk::VeskError;
using vesk::testing::failureOf;
using vesk::testing::FakeService;
using vesk::testing::Reply;
using vesk::testing::runTask;

namespace {

constexpr std::size_t KiB = 1024;
constexpr std::size_t MiB = 1024 * KiB;
const std::string pattern = "0123456789abcdefghijklmnopqrstuvwxyz";

// `length` bytes of the pattern, sent in pieces of 64 KiB, so the last piece ends on a
// chunk boundary whenever the length is a multiple of it.
Reply sized(std::size_t length, bool chunked, std::string type = "application/json", int status = 200) {
  Reply reply = Reply::json(pattern, status);
  reply.contentType = std::move(type);
  reply.chunkSize = 64 * KiB;
  reply.repeatedTo = length;
  reply.announceLength = !chunked;
  return reply;
}

std::string repeated(std::size_t length) {
  std::string bytes;
  while (bytes.size() < length) bytes += pattern;
  bytes.resize(length);
  return bytes;
}

const char* how(bool chunked) { return chunked ? "chunked" : "with a length"; }

// A resizable in-memory stream standing in for a file.
struct MemoryStream {
  vesk::glib::ObjectPtr<GOutputStream> stream =
      vesk::glib::ObjectPtr<GOutputStream>::adopt(g_memory_output_stream_new_resizable());
  std::size_t size() const { return g_memory_output_stream_get_data_size(G_MEMORY_OUTPUT_STREAM(stream.get())); }
};

class DesktopAPIExactLimit : public ::testing::Test {
 protected:
  void SetUp() override { service.reply("GET", "/api/desktop/connection", Reply::json(R"({"ok":true})")); }
  // The call after each of them is answered as usual.
  void expectTheNextCallWorks(bool chunked) {
    EXPECT_EQ(runTask(api.raw("connection", std::nullopt, std::nullopt, Auth::none)), R"({"ok":true})")
        << "after a body " << how(chunked);
  }

  FakeService service;
  const DesktopAPI api{service.origin(), "t"};
};

}  // namespace

TEST_F(DesktopAPIExactLimit, AReplyReadIntoMemoryIsKeptAtItsLimitAndRefusedPastIt) {
  for (const bool chunked : {false, true}) {
    // An account record may take 1 MiB.
    service.reply("GET", "/api/desktop/me", sized(1 * MiB, chunked));
    EXPECT_EQ(runTask(api.raw("me", std::nullopt, std::nullopt, Auth::bearer)), repeated(1 * MiB)) << how(chunked);
    service.reply("GET", "/api/desktop/me", sized(1 * MiB + 1, chunked));
    EXPECT_STREQ(failureOf<ReplyTooLarge>(api.raw("me", std::nullopt, std::nullopt, Auth::bearer)).what(),
                 "Vesk returned an unreadable response.")
        << how(chunked);
    expectTheNextCallWorks(chunked);
  }
}

TEST_F(DesktopAPIExactLimit, EvidenceIsKeptAtItsLimitAndRefusedPastIt) {
  const std::string path = "runs/run_a/url-shot/0";
  for (const bool chunked : {false, true}) {
    service.reply("GET", "/api/desktop/" + path, sized(vesk::largestPreviewImageBytes, chunked, "image/png"));
    EXPECT_EQ(runTask(api.asset(path, vesk::largestPreviewImageBytes)).bytes.size(), vesk::largestPreviewImageBytes)
        << how(chunked);
    service.reply("GET", "/api/desktop/" + path, sized(vesk::largestPreviewImageBytes + 1, chunked, "image/png"));
    EXPECT_STREQ(failureOf<ReplyTooLarge>(api.asset(path, vesk::largestPreviewImageBytes)).what(),
                 "Saved evidence could not be loaded. Reconnect or open the report in Vesk Web.")
        << how(chunked);
    expectTheNextCallWorks(chunked);
  }
}

TEST_F(DesktopAPIExactLimit, ADownloadIsWrittenAtItsLimitAndRefusedPastIt) {
  constexpr std::size_t limit = 192 * KiB;
  for (const bool chunked : {false, true}) {
    service.reply("GET", "/api/desktop/settings/export", sized(limit, chunked, "application/zip"));
    const MemoryStream whole;
    runTask(api.downloadInto("settings/export", whole.stream.get(), Auth::bearer, limit));
    EXPECT_EQ(whole.size(), limit) << how(chunked);

    service.reply("GET", "/api/desktop/settings/export", sized(limit + 1, chunked, "application/zip"));
    const MemoryStream cut;
    EXPECT_STREQ(
        failureOf<ReplyTooLarge>(api.downloadInto("settings/export", cut.stream.get(), Auth::bearer, limit)).what(),
        "Vesk returned an unreadable response.")
        << how(chunked);
    EXPECT_LE(cut.size(), limit) << how(chunked);

    // A failed download's error body is read into memory, up to 64 KiB.
    service.reply("GET", "/api/desktop/settings/export", sized(64 * KiB, chunked, "text/plain", 500));
    const MemoryStream none;
    EXPECT_EQ(
        failureOf<DesktopHTTPError>(api.downloadInto("settings/export", none.stream.get(), Auth::bearer)).status(), 500)
        << how(chunked);
    EXPECT_EQ(none.size(), 0u);
    expectTheNextCallWorks(chunked);
  }
}

#include "fake_service/fake_service.h"
#include "core/async/gio_call.h"
#include "support/run_loop.h"

#include <gtest/gtest.h>

#include <libsoup/soup.h>

using namespace std::chrono_literals;
using vesk::async::Task;
using vesk::testing::FakeService;
using vesk::testing::Reply;

namespace {

struct Answer {
  guint status = 0;
  std::string body;
  std::string error;
};

// A plain libsoup exchange, independent of the application's client.
Task<Answer> fetch(std::string method, std::string url, std::string body = {}) {
  auto session = vesk::glib::ObjectPtr<SoupSession>::adopt(soup_session_new());
  auto message = vesk::glib::ObjectPtr<SoupMessage>::adopt(soup_message_new(method.c_str(), url.c_str()));
  if (!body.empty()) {
    vesk::glib::BytesPtr bytes(g_bytes_new(body.data(), body.size()));
    soup_message_set_request_body_from_bytes(message.get(), "application/json", bytes.get());
  }
  soup_message_headers_append(soup_message_get_request_headers(message.get()), "X-Probe", "yes");
  auto result = co_await vesk::async::gioCall([&](GCancellable* c, GAsyncReadyCallback cb, gpointer d) {
    soup_session_send_and_read_async(session.get(), message.get(), G_PRIORITY_DEFAULT, c, cb, d);
  });
  vesk::glib::ErrorSlot error;
  vesk::glib::BytesPtr reply(soup_session_send_and_read_finish(session.get(), result.get(), error.out()));
  Answer answer;
  if (error) {
    answer.error = error.message();
    co_return answer;
  }
  answer.status = soup_message_get_status(message.get());
  gsize size = 0;
  const auto* data = static_cast<const char*>(g_bytes_get_data(reply.get(), &size));
  answer.body.assign(data ? data : "", size);
  co_return answer;
}

}  // namespace

TEST(FakeService, AnswersScriptedRoutesAndRecordsRequests) {
  FakeService service;
  service.replies("POST", "/api/desktop/runs", {Reply::json(R"({"id":"r1"})", 201), Reply::error(409, "Busy.")});
  const auto url = service.origin() + "/api/desktop/runs?mode=full&x=%2F";

  auto first = vesk::testing::runTask(fetch("POST", url, R"({"a":1})"));
  EXPECT_EQ(first.status, 201u);
  EXPECT_EQ(first.body, R"({"id":"r1"})");
  auto second = vesk::testing::runTask(fetch("POST", url));
  auto third = vesk::testing::runTask(fetch("POST", url));
  EXPECT_EQ(second.status, 409u);
  EXPECT_EQ(third.body, R"({"error":"Busy."})") << "the last scripted reply repeats";
  EXPECT_EQ(vesk::testing::runTask(fetch("GET", service.origin() + "/nowhere")).status, 404u);

  const auto recorded = service.requestsTo("POST", "/api/desktop/runs");
  ASSERT_EQ(recorded.size(), 3u);
  EXPECT_EQ(recorded[0].query, "mode=full&x=%2F");
  EXPECT_EQ(recorded[0].body, R"({"a":1})");
  EXPECT_EQ(recorded[0].header("x-probe"), "yes");
  EXPECT_EQ(recorded[0].header("Content-Type"), "application/json");
  EXPECT_FALSE(recorded[0].header("Authorization"));
}

TEST(FakeService, StallsDelaysAndDropsReplies) {
  FakeService service;
  Reply held = Reply::json("{}");
  held.stall = true;
  service.reply("GET", "/held", held);
  Reply late = Reply::json("late");
  late.delay = 40ms;
  service.reply("GET", "/late", late);
  Reply dropped;
  dropped.drop = true;
  service.reply("GET", "/drop", dropped);

  auto waiting = vesk::async::spawn(fetch("GET", service.origin() + "/held"));
  ASSERT_TRUE(vesk::testing::runUntil([&] { return service.stalledCount() == 1; }));
  vesk::testing::runFor(30ms);
  EXPECT_FALSE(waiting.isDone());
  service.releaseStalled();
  vesk::testing::waitFor(waiting);
  EXPECT_EQ(waiting.result().status, 200u);

  const auto before = std::chrono::steady_clock::now();
  EXPECT_EQ(vesk::testing::runTask(fetch("GET", service.origin() + "/late")).body, "late");
  EXPECT_GE(std::chrono::steady_clock::now() - before, 40ms);

  EXPECT_FALSE(vesk::testing::runTask(fetch("GET", service.origin() + "/drop")).error.empty());
}

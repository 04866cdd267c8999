#include "core/api/http_exchange.h"

#include "core/api/transfer_watch.h"
#include "core/async/gio_call.h"

#include <libsoup/soup.h>

#include <algorithm>
#include <stdexcept>

namespace vesk {

namespace {

// Every read asks for this much, whatever is left under a limit: a chunked reply ends
// with lines that libsoup reads into the caller's buffer, and it cannot read them into one
// of a single byte (it refuses without an error, and the read never finishes).
constexpr std::size_t readChunk = 64 * 1024;
// Never reserve more than this up front on the strength of a Content-Length alone.
constexpr std::size_t largestReservation = 16 * 1024 * 1024;

// The session of one exchange and the reply stream it opened. Whatever way the exchange
// ends, the session is aborted before the stream is let go: an unfinished reply is then
// dropped with its connection instead of being drained on the main loop.
class PrivateSession {
 public:
  PrivateSession() : session_(glib::ObjectPtr<SoupSession>::adopt(soup_session_new())) {
    soup_session_remove_feature_by_type(session_.get(), SOUP_TYPE_AUTH_MANAGER);
  }
  ~PrivateSession() {
    soup_session_abort(session_.get());
    stream_ = {};
  }
  PrivateSession(const PrivateSession&) = delete;
  PrivateSession& operator=(const PrivateSession&) = delete;

  SoupSession* get() const { return session_.get(); }
  GInputStream* stream() const { return stream_.get(); }
  void setStream(GInputStream* owned) { stream_ = glib::ObjectPtr<GInputStream>::adopt(owned); }

 private:
  glib::ObjectPtr<SoupSession> session_;
  glib::ObjectPtr<GInputStream> stream_;
};

glib::ObjectPtr<SoupMessage> makeMessage(const HttpRequest& request) {
  auto message = glib::ObjectPtr<SoupMessage>::adopt(soup_message_new(request.method.c_str(), request.url.c_str()));
  if (!message) throw std::invalid_argument("not an HTTP address: " + request.url);
  soup_message_add_flags(message.get(), SOUP_MESSAGE_NO_REDIRECT);
  SoupMessageHeaders* headers = soup_message_get_request_headers(message.get());
  for (const auto& [name, value] : request.headers) soup_message_headers_replace(headers, name.c_str(), value.c_str());
  if (request.body) {
    glib::BytesPtr bytes(g_bytes_new(request.body->data(), request.body->size()));
    soup_message_set_request_body_from_bytes(message.get(), nullptr, bytes.get());
  }
  return message;
}

void describeReply(SoupMessage* message, HttpReply& reply) {
  reply.status = soup_message_get_status(message);
  SoupMessageHeaders* headers = soup_message_get_response_headers(message);
  if (const char* type = soup_message_headers_get_content_type(headers, nullptr)) reply.mimeType = type;
}

void reserveBody(SoupMessage* message, HttpReply& reply, std::size_t cap) {
  SoupMessageHeaders* headers = soup_message_get_response_headers(message);
  const auto announced = static_cast<std::size_t>(soup_message_headers_get_content_length(headers));
  reply.body.reserve(std::min({announced, cap, largestReservation}));
}

// The next piece of the reply body, at most readChunk bytes; empty at its end.
async::Task<glib::BytesPtr> readChunkOf(const PrivateSession& session, const TransferWatch& watch) {
  auto read = co_await async::gioCall([&](GCancellable*, GAsyncReadyCallback done, gpointer data) {
    g_input_stream_read_bytes_async(session.stream(), readChunk, G_PRIORITY_DEFAULT, watch.cancellable(), done, data);
  });
  glib::ErrorSlot error;
  glib::BytesPtr chunk(g_input_stream_read_bytes_finish(session.stream(), read.get(), error.out()));
  if (error) watch.fail(error.get());
  co_return chunk;
}

// Reads the rest of the body into the reply, up to `limit` bytes; of a longer body the
// reply keeps the first `limit` and nothing is read past the chunk that passes it.
async::Task<void> readBody(const PrivateSession& session, TransferWatch& watch, HttpReply& reply, std::size_t limit) {
  while (true) {
    const auto chunk = co_await readChunkOf(session, watch);
    gsize size = 0;
    const auto* bytes = static_cast<const char*>(g_bytes_get_data(chunk.get(), &size));
    if (size == 0) break;
    watch.touch();
    if (size > limit - reply.body.size()) {
      reply.body.append(bytes, limit - reply.body.size());
      reply.overLimit = true;
      co_return;
    }
    reply.body.append(bytes, size);
  }
}

// Writes the rest of the body to `destination`, one chunk at a time, up to `limit` bytes;
// of a longer body nothing is read past the chunk that passes the limit.
async::Task<void> copyBody(const PrivateSession& session, TransferWatch& watch, GOutputStream* destination,
                           std::size_t limit, HttpReply& reply) {
  std::size_t total = 0;
  while (true) {
    const auto chunk = co_await readChunkOf(session, watch);
    if (g_bytes_get_size(chunk.get()) == 0) break;
    watch.touch();
    gsize size = 0;
    const void* bytes = g_bytes_get_data(chunk.get(), &size);
    if (size > limit - total) {
      // Past the limit the reply is refused: nothing more of it is written or read.
      reply.overLimit = true;
      co_return;
    }
    total += size;
    auto written = co_await async::gioCall([&](GCancellable*, GAsyncReadyCallback done, gpointer data) {
      g_output_stream_write_all_async(destination, bytes, size, G_PRIORITY_DEFAULT, watch.cancellable(), done, data);
    });
    glib::ErrorSlot error;
    g_output_stream_write_all_finish(destination, written.get(), nullptr, error.out());
    if (error) watch.fail(error.get());
    watch.touch();
  }
  auto flushed = co_await async::gioCall([&](GCancellable*, GAsyncReadyCallback done, gpointer data) {
    g_output_stream_flush_async(destination, G_PRIORITY_DEFAULT, watch.cancellable(), done, data);
  });
  glib::ErrorSlot error;
  g_output_stream_flush_finish(destination, flushed.get(), error.out());
  if (error) watch.fail(error.get());
}

// Sends the request; with a destination, a 2xx body goes there instead of into the reply.
async::Task<HttpReply> transfer(HttpRequest request, GOutputStream* destination) {
  const auto context = co_await async::currentContext();
  PrivateSession session;
  const auto message = makeMessage(request);
  TransferWatch watch(context->cancellable(), request.idleLimit, request.deadline);

  auto sent = co_await async::gioCall([&](GCancellable*, GAsyncReadyCallback done, gpointer data) {
    soup_session_send_async(session.get(), message.get(), G_PRIORITY_DEFAULT, watch.cancellable(), done, data);
  });
  {
    glib::ErrorSlot error;
    session.setStream(soup_session_send_finish(session.get(), sent.get(), error.out()));
    if (error) watch.fail(error.get());
  }
  watch.touch();

  HttpReply reply;
  describeReply(message.get(), reply);
  if (destination && SOUP_STATUS_IS_SUCCESSFUL(reply.status)) {
    co_await copyBody(session, watch, destination, request.writeLimit.value_or(SIZE_MAX), reply);
    co_return reply;
  }
  const std::size_t limit = request.bodyLimit.value_or(SIZE_MAX);
  reserveBody(message.get(), reply, limit);
  co_await readBody(session, watch, reply, limit);
  co_return reply;
}

}  // namespace

async::Task<HttpReply> exchange(HttpRequest request) { return transfer(std::move(request), nullptr); }

async::Task<HttpReply> exchangeInto(HttpRequest request, GOutputStream* destination) {
  return transfer(std::move(request), destination);
}

}  // namespace vesk

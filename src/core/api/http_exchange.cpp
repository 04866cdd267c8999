#include "core/api/http_exchange.h"

#include "core/api/transfer_watch.h"
#include "core/async/gio_call.h"

#include <libsoup/soup.h>

#include <algorithm>
#include <stdexcept>

namespace vesk {

namespace {

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

void describeReply(SoupMessage* message, HttpReply& reply, std::size_t cap) {
  reply.status = soup_message_get_status(message);
  SoupMessageHeaders* headers = soup_message_get_response_headers(message);
  if (const char* type = soup_message_headers_get_content_type(headers, nullptr)) reply.mimeType = type;
  const auto announced = static_cast<std::size_t>(soup_message_headers_get_content_length(headers));
  reply.body.reserve(std::min({announced, cap, largestReservation}));
}

}  // namespace

async::Task<HttpReply> exchange(HttpRequest request) {
  const auto context = co_await async::currentContext();
  PrivateSession session;
  const auto message = makeMessage(request);
  TransferWatch watch(context->cancellable(), request.idleLimit);

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
  const std::size_t cap = request.bodyLimit ? *request.bodyLimit + 1 : SIZE_MAX;
  describeReply(message.get(), reply, cap);
  while (reply.body.size() < cap) {
    const std::size_t wanted = std::min(readChunk, cap - reply.body.size());
    auto read = co_await async::gioCall([&](GCancellable*, GAsyncReadyCallback done, gpointer data) {
      g_input_stream_read_bytes_async(session.stream(), wanted, G_PRIORITY_DEFAULT, watch.cancellable(), done, data);
    });
    glib::ErrorSlot error;
    glib::BytesPtr chunk(g_input_stream_read_bytes_finish(session.stream(), read.get(), error.out()));
    if (error) watch.fail(error.get());
    gsize size = 0;
    const auto* bytes = static_cast<const char*>(g_bytes_get_data(chunk.get(), &size));
    if (size == 0) break;
    reply.body.append(bytes, size);
    watch.touch();
  }
  if (request.bodyLimit && reply.body.size() > *request.bodyLimit) {
    reply.overLimit = true;
    reply.body.resize(*request.bodyLimit);
  }
  co_return reply;
}

}  // namespace vesk

#include "fake_service/fake_service.h"

#include <nlohmann/json.hpp>

#include <strings.h>
#include <algorithm>
#include <memory>
#include <stdexcept>

namespace vesk::testing {

std::optional<std::string> RecordedRequest::header(const std::string& name) const {
  for (const auto& [key, value] : headers)
    if (strcasecmp(key.c_str(), name.c_str()) == 0) return value;
  return std::nullopt;
}

Reply Reply::json(std::string body, int status) {
  Reply reply;
  reply.status = status;
  reply.body = std::move(body);
  return reply;
}

Reply Reply::redirect(int status, const std::string& location) {
  Reply reply = json("", status);
  reply.headers.emplace_back("Location", location);
  return reply;
}

Reply Reply::error(int status, const std::string& message) {
  return json(nlohmann::json{{"error", message}}.dump(), status);
}

FakeService::FakeService(std::uint16_t port)
    : server_(glib::ObjectPtr<SoupServer>::adopt(soup_server_new("server-header", "vesk-fake", nullptr))) {
  glib::ErrorSlot error;
  if (!soup_server_listen_local(server_.get(), port, SOUP_SERVER_LISTEN_IPV4_ONLY, error.out()))
    throw std::runtime_error("fake service cannot listen: " + error.message());
  GSList* uris = soup_server_get_uris(server_.get());
  port_ = static_cast<std::uint16_t>(g_uri_get_port(static_cast<GUri*>(uris->data)));
  g_slist_free_full(uris, reinterpret_cast<GDestroyNotify>(g_uri_unref));
  soup_server_add_handler(server_.get(), nullptr, &FakeService::handle, this, nullptr);
}

FakeService::~FakeService() {
  for (guint timer : timers_) g_source_remove(timer);
  streams_.clear();
  soup_server_disconnect(server_.get());
}

std::string FakeService::origin() const { return "http://127.0.0.1:" + std::to_string(port_); }

void FakeService::on(const std::string& method, const std::string& path, Handler handler) {
  routes_[{method, path}] = std::move(handler);
}

void FakeService::reply(const std::string& method, const std::string& path, Reply reply) {
  on(method, path, [reply](const RecordedRequest&) { return reply; });
}

void FakeService::replies(const std::string& method, const std::string& path, std::vector<Reply> replies) {
  if (replies.empty()) throw std::invalid_argument("replies needs at least one reply");
  auto queue = std::make_shared<std::deque<Reply>>(replies.begin(), replies.end());
  on(method, path, [queue](const RecordedRequest&) {
    Reply next = queue->front();
    if (queue->size() > 1) queue->pop_front();
    return next;
  });
}

void FakeService::onPrefix(const std::string& method, const std::string& prefix, Handler handler) {
  prefixRoutes_[{method, prefix}] = std::move(handler);
}

void FakeService::fallback(Handler handler) { fallback_ = std::move(handler); }

void FakeService::observe(Observer observer) { observer_ = std::move(observer); }

Reply FakeService::route(const RecordedRequest& request) const {
  if (const auto exact = routes_.find({request.method, request.path}); exact != routes_.end())
    return exact->second(request);
  const Handler* best = nullptr;
  std::size_t bestLength = 0;
  for (const auto& [key, handler] : prefixRoutes_) {
    const auto& [method, prefix] = key;
    if (method == request.method && request.path.starts_with(prefix) && (!best || prefix.size() > bestLength)) {
      best = &handler;
      bestLength = prefix.size();
    }
  }
  if (best) return (*best)(request);
  return fallback_ ? fallback_(request) : Reply::error(404, "Not found.");
}

std::vector<RecordedRequest> FakeService::requestsTo(const std::string& method, const std::string& path) const {
  std::vector<RecordedRequest> matching;
  std::copy_if(requests_.begin(), requests_.end(), std::back_inserter(matching),
               [&](const RecordedRequest& r) { return r.method == method && r.path == path; });
  return matching;
}

void FakeService::handle(SoupServer*, SoupServerMessage* message, const char*, GHashTable*, gpointer self) {
  static_cast<FakeService*>(self)->answer(message);
}

void FakeService::answer(SoupServerMessage* message) {
  RecordedRequest request;
  request.received = std::chrono::steady_clock::now();
  request.method = soup_server_message_get_method(message);
  GUri* uri = soup_server_message_get_uri(message);
  request.path = g_uri_get_path(uri);
  if (const char* query = g_uri_get_query(uri)) request.query = query;
  SoupMessageHeadersIter iter;
  soup_message_headers_iter_init(&iter, soup_server_message_get_request_headers(message));
  const char* name = nullptr;
  const char* value = nullptr;
  while (soup_message_headers_iter_next(&iter, &name, &value)) request.headers.emplace_back(name, value);
  glib::BytesPtr body(soup_message_body_flatten(soup_server_message_get_request_body(message)));
  gsize size = 0;
  const auto* data = static_cast<const char*>(g_bytes_get_data(body.get(), &size));
  request.body.assign(data ? data : "", size);
  if (recording_ == Recording::keep) requests_.push_back(request);

  const Reply reply = route(request);
  if (observer_) observer_(request, reply);

  if (reply.drop) {
    GIOStream* stream = soup_server_message_steal_connection(message);
    g_io_stream_close(stream, nullptr, nullptr);
    g_object_unref(stream);
    return;
  }
  if (!reply.stall && reply.delay.count() <= 0) {
    deliver(message, reply);
    return;
  }
  soup_server_message_pause(message);
  held_.push_back({glib::ObjectPtr<SoupServerMessage>::retain(message), reply});
  g_signal_connect_swapped(message, "disconnected",
                           G_CALLBACK(+[](FakeService* service, SoupServerMessage* gone) { service->forget(gone); }),
                           this);
  if (reply.stall) return;
  struct Delayed {
    FakeService* service;
    SoupServerMessage* message;
  };
  auto* delayed = new Delayed{this, message};  // owned by the timer below
  GSource* source = g_timeout_source_new(static_cast<guint>(reply.delay.count()));
  g_source_set_callback(
      source,
      [](gpointer data) -> gboolean {
        auto* d = static_cast<Delayed*>(data);
        auto& held = d->service->held_;
        const auto it =
            std::find_if(held.begin(), held.end(), [&](const Held& h) { return h.message.get() == d->message; });
        if (it != held.end()) {
          const Held entry = *it;
          held.erase(it);
          d->service->deliver(entry.message.get(), entry.reply);
          soup_server_message_unpause(entry.message.get());
        }
        std::erase(d->service->timers_, g_source_get_id(g_main_current_source()));
        return G_SOURCE_REMOVE;
      },
      delayed, [](gpointer data) { delete static_cast<Delayed*>(data); });
  timers_.push_back(g_source_attach(source, nullptr));
  g_source_unref(source);
}

void FakeService::forget(SoupServerMessage* message) {
  std::erase_if(held_, [&](const Held& h) { return h.message.get() == message; });
}

std::size_t FakeService::abandonedCount() const {
  // A waiting client sends nothing more, so a readable socket means it has closed.
  const auto closed = [](SoupServerMessage* message) {
    GSocket* socket = soup_server_message_get_socket(message);
    return socket && (g_socket_condition_check(socket, GIOCondition(G_IO_IN | G_IO_HUP | G_IO_ERR)) != 0);
  };
  std::size_t count = 0;
  for (const auto& held : held_) count += closed(held.message.get()) ? 1 : 0;
  for (const auto& stream : streams_) count += closed(stream->message.get()) ? 1 : 0;
  return count;
}

void FakeService::releaseStalled() {
  auto stalled = std::exchange(held_, {});
  for (const auto& entry : stalled) {
    if (!entry.reply.stall) {
      held_.push_back(entry);  // a delayed reply keeps its own timer
      continue;
    }
    deliver(entry.message.get(), entry.reply);
    soup_server_message_unpause(entry.message.get());
  }
}

void FakeService::deliver(SoupServerMessage* message, const Reply& reply) {
  if (reply.chunkSize == 0 && !reply.hangAfter && !reply.repeatedTo) {
    send(message, reply);
  } else {
    startStream(message, reply);
  }
}

void FakeService::send(SoupServerMessage* message, const Reply& reply) {
  soup_server_message_set_status(message, static_cast<guint>(reply.status), nullptr);
  SoupMessageHeaders* headers = soup_server_message_get_response_headers(message);
  for (const auto& [name, value] : reply.headers) soup_message_headers_append(headers, name.c_str(), value.c_str());
  if (reply.contentType.empty()) {
    SoupMessageBody* body = soup_server_message_get_response_body(message);
    soup_message_body_append(body, SOUP_MEMORY_COPY, reply.body.data(), reply.body.size());
    soup_message_body_complete(body);
    return;
  }
  soup_server_message_set_response(message, reply.contentType.c_str(), SOUP_MEMORY_COPY, reply.body.data(),
                                   reply.body.size());
}

void FakeService::startStream(SoupServerMessage* message, const Reply& reply) {
  soup_server_message_set_status(message, static_cast<guint>(reply.status), nullptr);
  SoupMessageHeaders* headers = soup_server_message_get_response_headers(message);
  for (const auto& [name, value] : reply.headers) soup_message_headers_append(headers, name.c_str(), value.c_str());
  if (!reply.contentType.empty()) soup_message_headers_replace(headers, "Content-Type", reply.contentType.c_str());
  if (reply.announceLength) {
    soup_message_headers_set_content_length(headers,
                                            static_cast<goffset>(reply.repeatedTo.value_or(reply.body.size())));
  } else {
    soup_message_headers_set_encoding(headers, SOUP_ENCODING_CHUNKED);
  }
  auto stream = std::make_unique<Stream>();
  stream->message = glib::ObjectPtr<SoupServerMessage>::retain(message);
  stream->reply = reply;
  g_signal_connect_swapped(message, "disconnected", G_CALLBACK(+[](FakeService* service, SoupServerMessage* gone) {
                             std::erase_if(service->streams_, [&](const auto& s) { return s->message.get() == gone; });
                           }),
                           this);
  writeNextChunk(*stream);
  streams_.push_back(std::move(stream));
}

// Appends the next piece of the body and lets the server write it; schedules the piece
// after it, ends the reply, or leaves it hanging once `hangAfter` bytes are out.
void FakeService::writeNextChunk(Stream& stream) {
  const Reply& reply = stream.reply;
  const std::size_t length = reply.repeatedTo.value_or(reply.body.size());
  const std::size_t end = std::min(length, reply.hangAfter.value_or(length));
  const std::size_t piece = std::min(reply.chunkSize ? reply.chunkSize : end, end - stream.sent);
  SoupMessageBody* body = soup_server_message_get_response_body(stream.message.get());
  if (reply.repeatedTo) {
    soup_message_body_set_accumulate(body, FALSE);
    std::string bytes;
    bytes.reserve(piece);
    while (!reply.body.empty() && bytes.size() < piece) {
      const std::size_t at = (stream.sent + bytes.size()) % reply.body.size();
      bytes.append(reply.body, at, std::min(piece - bytes.size(), reply.body.size() - at));
    }
    if (!bytes.empty()) soup_message_body_append(body, SOUP_MEMORY_COPY, bytes.data(), bytes.size());
  } else if (piece > 0) {
    soup_message_body_append(body, SOUP_MEMORY_COPY, reply.body.data() + stream.sent, piece);
  }
  stream.sent += piece;
  const bool finished = stream.sent >= end;
  if (finished && !reply.hangAfter) soup_message_body_complete(body);
  soup_server_message_unpause(stream.message.get());
  if (finished) return;
  const auto interval = reply.chunkInterval.count() < 0 ? 0u : static_cast<guint>(reply.chunkInterval.count());
  stream.timer = glib::SourceId(g_timeout_add(
      interval,
      [](gpointer data) -> gboolean {
        auto* next = static_cast<Stream*>(data);
        next->timer.release();  // this source ends as the callback returns
        writeNextChunk(*next);
        return G_SOURCE_REMOVE;
      },
      &stream));
}

}  // namespace vesk::testing

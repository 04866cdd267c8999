#pragma once
// A loopback fake of the service's desktop API on SoupServer. Tests script its routes
// and read back every request it received; it runs on the thread's main loop, beside
// the client under test.
#include "core/platform/object_ptr.h"

#include <libsoup/soup.h>

#include <chrono>
#include <cstdint>
#include <deque>
#include <functional>
#include <list>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace vesk::testing {

struct RecordedRequest {
  std::string method;
  std::string path;                  // percent-decoded by the server
  std::optional<std::string> query;  // as sent; absent when the target had no "?"
  std::vector<std::pair<std::string, std::string>> headers;
  std::string body;
  std::chrono::steady_clock::time_point received;

  // The value of a header by case-insensitive name, if it was sent.
  std::optional<std::string> header(const std::string& name) const;
};

struct Reply {
  int status = 200;
  std::vector<std::pair<std::string, std::string>> headers;
  std::string body;
  std::string contentType = "application/json";  // empty: no Content-Type header
  std::chrono::milliseconds delay{0};            // answer only after this long
  bool stall = false;                            // hold the answer until releaseStalled()
  bool drop = false;                             // close the connection without answering
  // Streaming: the body goes out with chunked encoding, `chunkSize` bytes at a time, the
  // first chunk at once and each further one after `chunkInterval`.
  std::size_t chunkSize = 0;
  std::chrono::milliseconds chunkInterval{0};
  // Send only this many bytes of the body, then hold the connection open without ending
  // the reply (streams the body; one chunk unless chunkSize says otherwise).
  std::optional<std::size_t> hangAfter;
  // Streaming: `body` goes out over and over until this many bytes are sent, and nothing
  // sent is kept, so a reply may be longer than the test could hold.
  std::optional<std::size_t> repeatedTo;
  // Streaming: announce the whole length (Content-Length) instead of chunked encoding.
  bool announceLength = false;

  static Reply json(std::string body, int status = 200);
  static Reply error(int status, const std::string& message);
  static Reply redirect(int status, const std::string& location);
};

using Handler = std::function<Reply(const RecordedRequest&)>;
// Told of every request with the reply chosen for it (before any delay or stall).
using Observer = std::function<void(const RecordedRequest&, const Reply&)>;

class FakeService {
 public:
  // Listens on 127.0.0.1, on `port` or a free one when it is 0.
  explicit FakeService(std::uint16_t port = 0);
  ~FakeService();
  FakeService(const FakeService&) = delete;
  FakeService& operator=(const FakeService&) = delete;

  std::uint16_t port() const { return port_; }
  std::string origin() const;  // "http://127.0.0.1:<port>"

  // Routes match the method and the path exactly (the query is not part of the match).
  void on(const std::string& method, const std::string& path, Handler handler);
  void reply(const std::string& method, const std::string& path, Reply reply);
  // One reply per call, in order; the last one repeats.
  void replies(const std::string& method, const std::string& path, std::vector<Reply> replies);
  // Routes every path that begins with `prefix`, for paths that carry identifiers
  // ("/api/desktop/runs/" + id + ...). Exact routes come first; among prefixes the
  // longest wins.
  void onPrefix(const std::string& method, const std::string& prefix, Handler handler);
  // Answers what no route matches (by default a 404 with an error body).
  void fallback(Handler handler);
  void observe(Observer observer);

  // Whether requests() keeps what arrives; a long-running service discards it.
  enum class Recording { keep, discard };
  void setRecording(Recording recording) { recording_ = recording; }

  const std::vector<RecordedRequest>& requests() const { return requests_; }
  std::vector<RecordedRequest> requestsTo(const std::string& method, const std::string& path) const;
  void clearRequests() { requests_.clear(); }

  std::size_t stalledCount() const { return held_.size(); }
  // How many held replies (stalled, delayed or hanging) the client has given up on by
  // closing its connection.
  std::size_t abandonedCount() const;
  void releaseStalled();

 private:
  struct Held {
    glib::ObjectPtr<SoupServerMessage> message;
    Reply reply;
  };
  // A reply whose body goes out piece by piece.
  struct Stream {
    glib::ObjectPtr<SoupServerMessage> message;
    Reply reply;
    std::size_t sent = 0;
    glib::SourceId timer;
  };

  static void handle(SoupServer*, SoupServerMessage* message, const char* path, GHashTable*, gpointer self);
  Reply route(const RecordedRequest& request) const;
  void answer(SoupServerMessage* message);
  void forget(SoupServerMessage* message);
  void deliver(SoupServerMessage* message, const Reply& reply);
  static void send(SoupServerMessage* message, const Reply& reply);
  void startStream(SoupServerMessage* message, const Reply& reply);
  static void writeNextChunk(Stream& stream);

  glib::ObjectPtr<SoupServer> server_;
  std::uint16_t port_ = 0;
  std::map<std::pair<std::string, std::string>, Handler> routes_;
  std::map<std::pair<std::string, std::string>, Handler> prefixRoutes_;
  Handler fallback_;
  Observer observer_;
  Recording recording_ = Recording::keep;
  std::vector<RecordedRequest> requests_;
  std::deque<Held> held_;
  std::list<std::unique_ptr<Stream>> streams_;
  std::vector<guint> timers_;
};

}  // namespace vesk::testing

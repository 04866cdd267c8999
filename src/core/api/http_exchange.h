#pragma once
// One HTTP exchange on a private libsoup session that is made for it and torn down after
// it: no cookie jar, no authentication manager, no cache, redirects not followed. Nothing
// of one exchange (cookies, credentials, connections) can reach the next.
#include "core/async/task.h"

#include <gio/gio.h>

#include <chrono>
#include <cstddef>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace vesk {

struct HttpRequest {
  std::string method;
  std::string url;  // absolute and already checked
  std::vector<std::pair<std::string, std::string>> headers;
  std::optional<std::string> body;
  std::chrono::milliseconds idleLimit{0};  // nominal; the exchange fails after this long without progress
  std::chrono::milliseconds deadline{0};   // nominal; the exchange fails after this long in all (0: none)
  std::optional<std::size_t> bodyLimit;    // keep no more than this many bytes of the reply (one read more tells)
  std::optional<std::size_t> writeLimit;   // with a destination: write no more than this many bytes of a 2xx body
};

struct HttpReply {
  unsigned status = 0;
  std::optional<std::string> mimeType;  // the Content-Type's media type, without parameters
  std::string body;
  bool overLimit = false;  // the body went past the request's limit and was not read further (or written)
};

// Sends the request and reads the whole reply (a 3xx included). Cancellation of the
// awaiting task aborts the transfer at once and throws async::Cancelled; transport
// failures and the idle time-out throw async::PlatformError.
async::Task<HttpReply> exchange(HttpRequest request);

// As exchange(), but the body of a 2xx reply is written to `destination` as it arrives
// instead of being kept, so a reply of any size takes no more memory than one chunk:
// HttpReply::body stays empty and bodyLimit does not apply to it. A body longer than
// writeLimit stops being read once it passes it (overLimit), with no more than the limit
// written. Any other reply is read as exchange() reads it. Writing counts as progress for the idle time-out; a failed
// write throws async::PlatformError. `destination` must outlive the exchange and is
// flushed, not closed.
async::Task<HttpReply> exchangeInto(HttpRequest request, GOutputStream* destination);

}  // namespace vesk

#pragma once
// The one client through which the application reaches the service's desktop API. A
// plain value of origin and token: every call makes its own private session, so nothing
// survives from one call to the next. All calls are awaited from tasks on the main loop;
// a multi-megabyte reply is decoded on a worker thread so the window never freezes.
#include "core/api/desktop_http_error.h"
#include "core/async/background.h"
#include "core/async/task.h"
#include "core/records/vesk_error.h"

#include <gio/gio.h>
#include <nlohmann/json.hpp>

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

namespace vesk {

// The body of a call: an object of text keys and JSON values.
using JsonObject = nlohmann::json::object_t;

// One evidence image of a run, as downloaded.
struct EvidenceImage {
  std::string bytes;
  std::string mimeType;
};

// Whether a call carries the bearer token.
enum class Auth { none, bearer };

// A reply longer than the byte limit its caller set: reading stopped with the piece that passed it.
class ReplyTooLarge : public VeskError {
 public:
  using VeskError::VeskError;
};

struct DesktopAPI {
  std::string origin;                // as accepted by validOrigin()
  std::optional<std::string> token;  // the bearer token; absent before sign-in

  static constexpr std::size_t longestOperation = 8192;             // UTF-8 bytes
  static constexpr std::size_t largestEvidence = 12 * 1024 * 1024;  // bytes
  static constexpr std::chrono::seconds evidenceTimeout{30};

  // Sends one call and returns the reply bytes of a 2xx reply, whatever they are. With
  // no method, a call with a body (an empty one included) is a POST, else a GET. Throws
  // VeskError (invalid operation, no token), nlohmann::json::type_error (a body that
  // cannot be serialized), DesktopHTTPError (any status outside 200 to 299),
  // async::PlatformError (transport, idle time-out, deadline) or async::Cancelled. A reply
  // body longer than `byteLimit`, or without it than the operation's limit (CallLimits),
  // throws ReplyTooLarge (worded as an unreadable reply) as soon as it is passed.
  async::Task<std::string> raw(std::string operation, std::optional<JsonObject> body, std::optional<std::string> method,
                               Auth auth, std::optional<std::size_t> byteLimit = std::nullopt) const;

  // raw() with the default method, then the reply decoded as T (T::fromJson, which
  // throws DecodingError) on a worker thread.
  template <class T>
  async::Task<T> request(std::string operation, std::optional<JsonObject> body, Auth auth) const {
    return decodeReply<T>(raw(std::move(operation), std::move(body), std::nullopt, auth));
  }

  // The absolute address of an operation ("me", "runs/<id>/continue",
  // "library?limit=100&offset=0"). Throws VeskError "Invalid Vesk operation." for an
  // operation that could leave the desktop API, is not well-formed, or would not go out
  // as written (a "." or ".." segment in its path).
  std::string endpoint(std::string_view operation) const;

  // The origin text unchanged when the application may talk to it: https with any host,
  // http only on "localhost" or "127.0.0.1"; no user, query or fragment; path "" or "/"
  // as written. The host must be written as a plain host name (ASCII letters, digits,
  // hyphens, dots) or an IP literal: no escapes, control bytes or spaces.
  static std::optional<std::string> validOrigin(std::string_view text);

  // The error for a failed reply, its sentence read from the service's error body.
  static DesktopHTTPError failure(int status, std::string_view data);

  // Checks that the service offers desktop sign-in (unauthenticated).
  async::Task<void> checkConnectionAvailability() const;
  static void validateConnectionAvailability(std::string_view data);

  // Downloads one evidence image: "runs/run_<id>/(attachments|url-shot)/<0..99>". An image
  // over `byteLimit` bytes throws ReplyTooLarge (worded as evidence that could not load).
  async::Task<EvidenceImage> asset(std::string path, std::size_t byteLimit = largestEvidence) const;

  // A GET whose 2xx reply body is written to `destination` as it arrives instead of being
  // held in memory, for downloads of any size (the account archive). Throws what raw()
  // throws, async::PlatformError when writing fails, and ReplyTooLarge (worded as an
  // unreadable reply) as soon as the body passes `byteLimit`, with no more than that
  // written.
  async::Task<void> downloadInto(std::string operation, GOutputStream* destination, Auth auth,
                                 std::optional<std::size_t> byteLimit = std::nullopt) const;

  // A service-given identifier, checked before it goes into an operation path: refuses
  // an empty one, ".", and one holding "/", "?", "#", "%", ".." or a control character.
  static std::string pathIdentifier(std::string_view identifier);

  // The idle time-out of a call, from its operation and method alone.
  static std::chrono::seconds timeoutFor(std::string_view operation, std::string_view method);

  // Parses reply bytes as JSON (parseJsonDocument); throws DecodingError.
  static nlohmann::json parseReply(const std::string& bytes);

  // What a reply's bytes go through on the worker thread: parsed, then decoded as T.
  template <class T>
  static T decode(const std::string& bytes) {
    const auto json = parseReply(bytes);
    try {
      return T::fromJson(json);
    } catch (const nlohmann::json::exception& e) {
      throw DecodingError(e.what());
    }
  }

 private:
  template <class T>
  static async::Task<T> decodeReply(async::Task<std::string> reply) {
    const std::string bytes = co_await std::move(reply);
    // The frame outlives the work (the awaiter waits for it even when cancelled), so the
    // worker reads the bytes in place instead of copying megabytes. (Moving them into the
    // lambda is no option either: GCC 12 destroys such a capture twice in a co_await.)
    co_return co_await async::inBackground([&bytes] { return decode<T>(bytes); });
  }
};

}  // namespace vesk

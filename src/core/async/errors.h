#pragma once
// The error kinds a task can end with besides the service's own errors.
#include <glib.h>

#include <stdexcept>
#include <string>

namespace vesk::async {

// The awaited work was cancelled; unwinds the task like any other error.
class Cancelled : public std::runtime_error {
 public:
  Cancelled() : std::runtime_error("The operation was cancelled.") {}
};

// A failure reported by the platform (GIO, libsoup, the file system). Its message is
// shown to the user unchanged, as the platform worded it.
class PlatformError : public std::runtime_error {
 public:
  PlatformError(GQuark domain, int code, const std::string& message)
      : std::runtime_error(message), domain_(domain), code_(code) {}
  explicit PlatformError(const GError* error)
      : PlatformError(error->domain, error->code, error->message ? error->message : "") {}

  GQuark domain() const { return domain_; }
  int code() const { return code_; }
  bool matches(GQuark domain, int code) const { return domain_ == domain && code_ == code; }

 private:
  GQuark domain_;
  int code_;
};

// Throws the C++ form of a GError: Cancelled for G_IO_ERROR_CANCELLED, else PlatformError.
[[noreturn]] void throwError(const GError* error);

}  // namespace vesk::async

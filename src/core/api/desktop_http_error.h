#pragma once
// A reply of the service with a status outside 200 to 299, redirects included. what()
// is the sentence shown to the user, whole (a NUL in it shows as U+FFFD); callers branch
// on status() (401: reconnect).
#include "core/records/vesk_error.h"

#include <optional>
#include <stdexcept>
#include <string>

namespace vesk {

class DesktopHTTPError : public std::runtime_error {
 public:
  DesktopHTTPError(int status, std::optional<std::string> code, const std::string& message)
      : std::runtime_error(withVisibleNul(message)), status_(status), code_(std::move(code)) {}

  int status() const { return status_; }
  // The service's machine-readable error code, when its error body carried one.
  const std::optional<std::string>& code() const { return code_; }
  std::string message() const { return what(); }

 private:
  int status_;
  std::optional<std::string> code_;
};

}  // namespace vesk

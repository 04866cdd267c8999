#pragma once
// Building addresses under the service's desktop API from a service origin.
#include <glib.h>

#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace vesk {

struct UriDeleter {
  void operator()(GUri* uri) const { g_uri_unref(uri); }
};
using UriPtr = std::unique_ptr<GUri, UriDeleter>;

// The origin with "api/desktop/" and `path` appended (a "/" joins them; bytes not allowed
// in a path are percent-encoded), and `query` set exactly as given. Nothing when the
// origin is no HTTP address, or when the address would not go out as built: to another
// server, with user information, or with its path or query read otherwise.
std::optional<std::string> apiAddress(std::string_view origin, std::string_view path,
                                      std::optional<std::string_view> query);

// True when `query` is already well-formed percent-encoded query text: only characters
// of the URI query set, and every "%" followed by two hexadecimal digits.
bool isQueryText(std::string_view query);

}  // namespace vesk

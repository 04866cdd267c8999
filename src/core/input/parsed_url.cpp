#include "core/input/parsed_url.h"

#include "core/platform/object_ptr.h"

#include <glib.h>

namespace vesk {

namespace {

struct UriDeleter {
  void operator()(GUri* uri) const { g_uri_unref(uri); }
};
using UriPtr = std::unique_ptr<GUri, UriDeleter>;

std::string decodedHost(const char* host) {
  const glib::GFreePtr<char> decoded(g_uri_unescape_string(host, nullptr));
  if (decoded && g_utf8_validate(decoded.get(), -1, nullptr)) return decoded.get();
  return host;
}

}  // namespace

std::optional<ParsedURL> ParsedURL::parse(std::string_view text) {
  if (text.find('\0') != std::string_view::npos) return std::nullopt;
  const std::string terminated(text);
  // Encoded: leave escapes as typed. Non-DNS: no IDN conversion, which would lower-case
  // the host and replace its letters.
  const UriPtr uri(g_uri_parse(terminated.c_str(), GUriFlags(G_URI_FLAGS_ENCODED | G_URI_FLAGS_NON_DNS), nullptr));
  if (!uri) return std::nullopt;
  ParsedURL parsed;
  parsed.scheme = g_uri_get_scheme(uri.get());
  const char* host = g_uri_get_host(uri.get());
  if (host && *host) parsed.host = decodedHost(host);
  parsed.hasUserInfo = g_uri_get_userinfo(uri.get()) != nullptr;
  return parsed;
}

}  // namespace vesk

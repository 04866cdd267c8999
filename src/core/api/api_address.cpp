#include "core/api/api_address.h"

#include "core/platform/object_ptr.h"

#include <libsoup/soup.h>

namespace vesk {

namespace {

bool isUnreservedOrSubDelim(char c) {
  if (g_ascii_isalnum(c)) return true;
  return std::string_view("-._~!$&'()*+,;=").find(c) != std::string_view::npos;
}

bool isPathCharacter(char c) { return isUnreservedOrSubDelim(c) || c == ':' || c == '@' || c == '/'; }

std::string escapePath(std::string_view path) {
  static constexpr char hex[] = "0123456789ABCDEF";
  std::string escaped;
  escaped.reserve(path.size());
  for (const char c : path) {
    if (isPathCharacter(c)) {
      escaped += c;
      continue;
    }
    const auto byte = static_cast<unsigned char>(c);
    escaped += '%';
    escaped += hex[byte >> 4];
    escaped += hex[byte & 0xF];
  }
  return escaped;
}

UriPtr parseHttp(const std::string& text) {
  UriPtr uri(g_uri_parse(text.c_str(), GUriFlags(SOUP_HTTP_URI_FLAGS), nullptr));
  if (!uri) return nullptr;
  const std::string_view scheme = g_uri_get_scheme(uri.get());
  const char* host = g_uri_get_host(uri.get());
  if ((scheme != "http" && scheme != "https") || !host || host[0] == '\0') return nullptr;
  return uri;
}

// Whether `sent`, read as libsoup will read it, reaches the server of `base` (same
// scheme, host and port, no user information) at exactly `path` with exactly `query`:
// an escape in the origin's host decodes to a delimiter, and the parser removes dot
// segments, so the joined text alone proves neither.
bool goesOutAsBuilt(GUri* base, GUri* sent, const std::string& path, const char* query) {
  const char* sentQuery = g_uri_get_query(sent);
  return g_strcmp0(g_uri_get_scheme(sent), g_uri_get_scheme(base)) == 0 &&
         g_strcmp0(g_uri_get_host(sent), g_uri_get_host(base)) == 0 && g_uri_get_port(sent) == g_uri_get_port(base) &&
         !g_uri_get_userinfo(sent) && path == g_uri_get_path(sent) && g_strcmp0(sentQuery, query) == 0;
}

}  // namespace

bool isQueryText(std::string_view query) {
  for (std::size_t i = 0; i < query.size(); ++i) {
    const char c = query[i];
    if (isPathCharacter(c) || c == '?') continue;
    if (c != '%' || i + 2 >= query.size() || !g_ascii_isxdigit(query[i + 1]) || !g_ascii_isxdigit(query[i + 2]))
      return false;
    i += 2;
  }
  return true;
}

std::optional<std::string> apiAddress(std::string_view origin, std::string_view path,
                                      std::optional<std::string_view> query) {
  if (origin.find('\0') != std::string_view::npos) return std::nullopt;
  const auto base = parseHttp(std::string(origin));
  if (!base) return std::nullopt;
  std::string fullPath = g_uri_get_path(base.get());
  if (!fullPath.ends_with('/')) fullPath += '/';
  fullPath += "api/desktop/";
  fullPath += escapePath(path);
  const std::string queryText(query.value_or(""));
  const char* queryOrNull = query ? queryText.c_str() : nullptr;
  glib::GFreePtr<char> joined(g_uri_join(G_URI_FLAGS_ENCODED, g_uri_get_scheme(base.get()), nullptr,
                                         g_uri_get_host(base.get()), g_uri_get_port(base.get()), fullPath.c_str(),
                                         queryOrNull, nullptr));
  std::string address(joined.get());
  const auto sent = parseHttp(address);
  if (!sent || !goesOutAsBuilt(base.get(), sent.get(), fullPath, queryOrNull)) return std::nullopt;
  return address;
}

}  // namespace vesk

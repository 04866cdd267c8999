// How operations and origins become addresses the client may call.
#include "core/api/api_address.h"
#include "core/api/desktop_api.h"
#include "core/api/desktop_api_sentences.h"

#include <algorithm>

namespace vesk {

namespace {

[[noreturn]] void refuseOperation() { throw VeskError::message(sentences::invalidOperation); }

bool hasParentSegment(std::string_view path) {
  std::size_t start = 0;
  while (start <= path.size()) {
    const std::size_t end = std::min(path.find('/', start), path.size());
    if (path.substr(start, end - start) == "..") return true;
    start = end + 1;
  }
  return false;
}

bool isEmptyOrSlash(const char* path) { return path[0] == '\0' || (path[0] == '/' && path[1] == '\0'); }

}  // namespace

std::string DesktopAPI::endpoint(std::string_view operation) const {
  if (operation.size() > longestOperation || operation.starts_with('/') ||
      operation.find("://") != std::string_view::npos || operation.find('#') != std::string_view::npos)
    refuseOperation();
  const std::size_t mark = operation.find('?');
  const std::string_view path = operation.substr(0, mark);
  std::optional<std::string_view> query;
  if (mark != std::string_view::npos) query = operation.substr(mark + 1);
  if (hasParentSegment(path)) refuseOperation();
  // The query goes out exactly as written, so it must already be valid query text:
  // anything else could smuggle bytes into the request line.
  if (query && !isQueryText(*query)) refuseOperation();
  auto address = apiAddress(origin, path, query);
  if (!address) refuseOperation();
  return std::move(*address);
}

std::optional<std::string> DesktopAPI::validOrigin(std::string_view text) {
  // Checked on the text itself: parsing would lower-case the scheme.
  const bool https = text.starts_with("https:");
  if (!https && !text.starts_with("http:")) return std::nullopt;
  if (text.find('\0') != std::string_view::npos) return std::nullopt;
  const std::string owned(text);
  UriPtr uri(g_uri_parse(owned.c_str(), GUriFlags(G_URI_FLAGS_ENCODED | G_URI_FLAGS_HAS_PASSWORD), nullptr));
  if (!uri) return std::nullopt;
  const char* host = g_uri_get_host(uri.get());
  if (!host || host[0] == '\0') return std::nullopt;
  if (g_uri_get_userinfo(uri.get()) || g_uri_get_query(uri.get()) || g_uri_get_fragment(uri.get())) return std::nullopt;
  if (!isEmptyOrSlash(g_uri_get_path(uri.get()))) return std::nullopt;
  if (!https && std::string_view(host) != "localhost" && std::string_view(host) != "127.0.0.1") return std::nullopt;
  return owned;
}

std::string DesktopAPI::pathIdentifier(std::string_view identifier) {
  if (identifier.empty() || identifier.find_first_of("/?#%") != std::string_view::npos ||
      identifier.find("..") != std::string_view::npos)
    refuseOperation();
  return std::string(identifier);
}

}  // namespace vesk

// How operations and origins become addresses the client may call.
#include "core/api/api_address.h"
#include "core/api/desktop_api.h"
#include "core/api/desktop_api_sentences.h"

#include <algorithm>
#include <optional>
#include <string_view>

namespace vesk {

namespace {

[[noreturn]] void refuseOperation() { throw VeskError::message(sentences::invalidOperation); }

bool isDotSegment(std::string_view segment) { return segment == "." || segment == ".."; }

// "." and ".." segments would be removed on the way out, so the call would reach another
// operation than the one written.
bool hasDotSegment(std::string_view path) {
  std::size_t start = 0;
  while (start <= path.size()) {
    const std::size_t end = std::min(path.find('/', start), path.size());
    if (isDotSegment(path.substr(start, end - start))) return true;
    start = end + 1;
  }
  return false;
}

// A control character (C0, DEL, or C1 as UTF-8) has no place in an identifier.
bool hasControlCharacter(std::string_view text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    if (byte < 0x20 || byte == 0x7f) return true;
    if (byte == 0xc2 && i + 1 < text.size() && static_cast<unsigned char>(text[i + 1]) <= 0x9f &&
        static_cast<unsigned char>(text[i + 1]) >= 0x80)
      return true;
  }
  return false;
}

bool isHostNameCharacter(char c) { return g_ascii_isalnum(c) || c == '-' || c == '.'; }
bool isAddressLiteralCharacter(char c) { return g_ascii_isxdigit(c) || c == ':' || c == '.'; }

// The host of an authority written as a plain host name (letters, digits, hyphens and
// dots) or an IP literal in brackets, with an optional port of digits; nothing for any
// other authority. An escape, a control byte or a space could decode into a delimiter
// or a host other than the one written, so none is allowed.
std::optional<std::string_view> plainHost(std::string_view authority) {
  std::string_view host;
  std::string_view port;
  if (authority.starts_with('[')) {
    const std::size_t close = authority.find(']');
    if (close == std::string_view::npos) return std::nullopt;
    const std::string_view literal = authority.substr(1, close - 1);
    if (literal.empty() || !std::all_of(literal.begin(), literal.end(), isAddressLiteralCharacter)) return std::nullopt;
    host = literal;
    port = authority.substr(close + 1);
  } else {
    const std::size_t colon = std::min(authority.find(':'), authority.size());
    host = authority.substr(0, colon);
    if (host.empty() || !std::all_of(host.begin(), host.end(), isHostNameCharacter)) return std::nullopt;
    port = authority.substr(colon);
  }
  const auto isDigit = [](char c) { return g_ascii_isdigit(c); };
  if (!port.empty() && (port[0] != ':' || !std::all_of(port.begin() + 1, port.end(), isDigit))) return std::nullopt;
  return host;
}

}  // namespace

std::string DesktopAPI::endpoint(std::string_view operation) const {
  if (operation.size() > longestOperation || operation.starts_with('/') ||
      operation.find("://") != std::string_view::npos || operation.find('#') != std::string_view::npos)
    refuseOperation();
  const std::size_t mark = operation.find('?');
  const std::string_view path = operation.substr(0, mark);
  std::optional<std::string_view> query;
  if (mark != std::string_view::npos) query = operation.substr(mark + 1);
  if (hasDotSegment(path)) refuseOperation();
  // The query goes out exactly as written, so it must already be valid query text:
  // anything else could smuggle bytes into the request line.
  if (query && !isQueryText(*query)) refuseOperation();
  auto address = apiAddress(origin, path, query);
  if (!address) refuseOperation();
  return std::move(*address);
}

std::optional<std::string> DesktopAPI::validOrigin(std::string_view text) {
  // Checked on the text as written: parsing would lower-case the scheme, decode escapes
  // in the host and remove dot segments from the path.
  const bool https = text.starts_with("https://");
  if (!https && !text.starts_with("http://")) return std::nullopt;
  const std::string_view rest = text.substr(https ? 8 : 7);
  const std::size_t authorityEnd = std::min(rest.find_first_of("/?#"), rest.size());
  const auto host = plainHost(rest.substr(0, authorityEnd));
  const std::string_view path = rest.substr(authorityEnd);
  if (!host || (!path.empty() && path != "/")) return std::nullopt;
  if (!https && *host != "localhost" && *host != "127.0.0.1") return std::nullopt;
  // What is left is "scheme://host[:port][/]"; the parser still checks the port.
  const std::string owned(text);
  const UriPtr uri(g_uri_parse(owned.c_str(), GUriFlags(G_URI_FLAGS_ENCODED | G_URI_FLAGS_HAS_PASSWORD), nullptr));
  if (!uri || !g_uri_get_host(uri.get()) || g_uri_get_userinfo(uri.get()) || g_uri_get_query(uri.get()) ||
      g_uri_get_fragment(uri.get()))
    return std::nullopt;
  return owned;
}

std::string DesktopAPI::pathIdentifier(std::string_view identifier) {
  if (identifier.empty() || isDotSegment(identifier) || identifier.find_first_of("/?#%") != std::string_view::npos ||
      identifier.find("..") != std::string_view::npos || hasControlCharacter(identifier))
    refuseOperation();
  return std::string(identifier);
}

}  // namespace vesk

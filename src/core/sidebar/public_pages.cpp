#include "core/sidebar/public_pages.h"

#include "core/input/parsed_url.h"
#include "core/platform/object_ptr.h"
#include "core/workspace/origin_text.h"

#include <glib.h>

namespace vesk {

std::optional<std::string> publicPageURL(std::string_view origin, std::string_view path) {
  if (origin.find('\0') != std::string_view::npos || path.find('\0') != std::string_view::npos) return std::nullopt;
  const std::string base = withoutTrailingSlashes(origin) + "/";
  const std::string relative(path);
  const glib::GFreePtr<char> resolved(
      g_uri_resolve_relative(base.c_str(), relative.c_str(), G_URI_FLAGS_ENCODED, nullptr));
  if (!resolved) return std::nullopt;
  return std::string(resolved.get());
}

bool billingURLAcceptable(std::string_view text) {
  // ParsedURL lower-cases the scheme; the portal's must be written in lower case already.
  if (!text.starts_with("https:")) return false;
  const auto parsed = ParsedURL::parse(text);
  return parsed && parsed->scheme == "https" && parsed->host && !parsed->hasUserInfo;
}

}  // namespace vesk

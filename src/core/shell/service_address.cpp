#include "core/shell/service_address.h"

#include "core/platform/object_ptr.h"

#include <glib.h>

#include <memory>
#include <optional>

namespace vesk {

namespace {

struct WebOrigin {
  std::string scheme;
  std::string host;
  int port = 0;
  bool operator==(const WebOrigin&) const = default;
};

std::optional<WebOrigin> webOriginOf(std::string_view address) {
  const std::string text(address);
  glib::ErrorSlot error;
  GUri* parsed = g_uri_parse(text.c_str(), G_URI_FLAGS_NONE, error.out());
  if (!parsed) return std::nullopt;
  const std::unique_ptr<GUri, decltype(&g_uri_unref)> uri(parsed, &g_uri_unref);
  const glib::GFreePtr<char> lowered(g_ascii_strdown(g_uri_get_scheme(uri.get()), -1));
  const std::string scheme = lowered.get();
  if ((scheme != "http" && scheme != "https") || g_uri_get_userinfo(uri.get()) || !g_uri_get_host(uri.get()))
    return std::nullopt;
  const int port = g_uri_get_port(uri.get());
  const glib::GFreePtr<char> host(g_ascii_strdown(g_uri_get_host(uri.get()), -1));
  return WebOrigin{scheme, host.get(), port >= 0 ? port : scheme == "https" ? 443 : 80};
}

}  // namespace

bool isServiceAddress(std::string_view address, const std::vector<std::string>& origins) {
  const auto target = webOriginOf(address);
  if (!target) return false;
  for (const auto& origin : origins)
    if (webOriginOf(origin) == target) return true;
  return false;
}

}  // namespace vesk

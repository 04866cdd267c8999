#include "core/signin/connection_key.h"

#include "core/platform/sha256.h"

namespace vesk {

std::string connectionKey(const std::string& originText, const std::optional<std::string>& token, bool connected) {
  if (!connected || !token) return {};
  return glib::sha256Hex(originText + '\n' + *token);
}

std::string connectionKey(const std::optional<DesktopAPI>& api, bool connected) {
  return api ? connectionKey(api->origin, api->token, connected) : std::string();
}

}  // namespace vesk

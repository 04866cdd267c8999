#include "core/account/connection_key.h"

#include "core/glib/sha256.h"

namespace vesk {

std::string connectionKey(const std::string& originText, const std::optional<std::string>& token, bool connected) {
  if (!connected || !token) return {};
  return glib::sha256Hex(originText + '\n' + *token);
}

}  // namespace vesk

#pragma once
// The key that names a signed-in connection, so screens can drop results that arrive
// after the user signed out or switched accounts.
#include "core/api/desktop_api.h"

#include <optional>
#include <string>

namespace vesk {

// Lowercase hex SHA-256 of the origin text, a line feed and the token exactly as held;
// the empty text when not connected or without a token. An empty token still has a key.
std::string connectionKey(const std::string& originText, const std::optional<std::string>& token, bool connected);

// The key of a client: empty without one.
std::string connectionKey(const std::optional<DesktopAPI>& api, bool connected);

}  // namespace vesk

#pragma once
// SHA-256 through GLib's GChecksum.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace vesk::glib {

using Sha256Digest = std::array<std::uint8_t, 32>;

Sha256Digest sha256(std::string_view bytes);

// The digest as 64 lowercase hexadecimal digits.
std::string sha256Hex(std::string_view bytes);

}  // namespace vesk::glib

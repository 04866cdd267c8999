#pragma once
// SHA-256 through GLib's GChecksum.
#include <glib.h>

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace vesk::glib {

using Sha256Digest = std::array<std::uint8_t, 32>;

Sha256Digest sha256(std::string_view bytes);

// The digest as 64 lowercase hexadecimal digits.
std::string sha256Hex(std::string_view bytes);

// The digest of bytes that arrive in pieces, so that a long text need never be whole.
class Sha256Stream {
 public:
  Sha256Stream();
  void update(std::string_view bytes);
  // The digest of everything given so far; nothing may be given after it.
  Sha256Digest finish();

 private:
  struct Deleter {
    void operator()(GChecksum* checksum) const { g_checksum_free(checksum); }
  };
  std::unique_ptr<GChecksum, Deleter> checksum_;
};

}  // namespace vesk::glib

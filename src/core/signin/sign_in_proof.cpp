#include "core/signin/sign_in_proof.h"

#include "core/platform/object_ptr.h"
#include "core/platform/sha256.h"
#include "core/records/vesk_error.h"

#include <sys/random.h>

#include <array>
#include <cerrno>
#include <cstddef>

namespace vesk {

namespace {

constexpr std::size_t randomByteCount = 32;

void fillFromKernel(std::array<std::byte, randomByteCount>& bytes) {
  std::size_t filled = 0;
  while (filled < bytes.size()) {
    const ssize_t got = getrandom(bytes.data() + filled, bytes.size() - filled, 0);
    if (got < 0) {
      if (errno == EINTR) continue;
      throw VeskError("The browser session could not start.");
    }
    filled += static_cast<std::size_t>(got);
  }
}

}  // namespace

std::string base64Url(std::string_view bytes) {
  const glib::GFreePtr<gchar> encoded(g_base64_encode(reinterpret_cast<const guchar*>(bytes.data()), bytes.size()));
  std::string text;
  for (const char* c = encoded.get(); *c; ++c) {
    switch (*c) {
      case '+': text += '-'; break;
      case '/': text += '_'; break;
      case '=': break;
      default: text += *c;
    }
  }
  return text;
}

std::string secureRandomText() {
  std::array<std::byte, randomByteCount> bytes{};
  fillFromKernel(bytes);
  return base64Url(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

std::string challengeFor(std::string_view verifier) {
  const auto digest = glib::sha256(verifier);
  return base64Url(std::string_view(reinterpret_cast<const char*>(digest.data()), digest.size()));
}

}  // namespace vesk

#include "core/platform/sha256.h"

#include <glib.h>

#include <memory>

namespace vesk::glib {

namespace {

struct ChecksumDeleter {
  void operator()(GChecksum* checksum) const { g_checksum_free(checksum); }
};

std::unique_ptr<GChecksum, ChecksumDeleter> digestOf(std::string_view bytes) {
  std::unique_ptr<GChecksum, ChecksumDeleter> checksum(g_checksum_new(G_CHECKSUM_SHA256));
  g_checksum_update(checksum.get(), reinterpret_cast<const guchar*>(bytes.data()), static_cast<gssize>(bytes.size()));
  return checksum;
}

}  // namespace

Sha256Digest sha256(std::string_view bytes) {
  Sha256Stream stream;
  stream.update(bytes);
  return stream.finish();
}

std::string sha256Hex(std::string_view bytes) {
  // GChecksum writes lowercase hex.
  return g_checksum_get_string(digestOf(bytes).get());
}

Sha256Stream::Sha256Stream() : checksum_(g_checksum_new(G_CHECKSUM_SHA256)) {}

void Sha256Stream::update(std::string_view bytes) {
  g_checksum_update(checksum_.get(), reinterpret_cast<const guchar*>(bytes.data()), static_cast<gssize>(bytes.size()));
}

Sha256Digest Sha256Stream::finish() {
  Sha256Digest digest{};
  gsize length = digest.size();
  g_checksum_get_digest(checksum_.get(), digest.data(), &length);
  return digest;
}

}  // namespace vesk::glib

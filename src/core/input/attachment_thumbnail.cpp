#include "core/input/attachment_thumbnail.h"

#include "core/platform/preview_image.h"

#include <glib.h>

namespace vesk {

namespace {

bool isBase64Letter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '+' || c == '/';
}

}  // namespace

std::optional<std::string> strictBase64Decode(std::string_view text) {
  if (text.size() % 4 != 0) return std::nullopt;
  std::size_t padding = 0;
  while (padding < 2 && padding < text.size() && text[text.size() - 1 - padding] == '=') ++padding;
  for (std::size_t i = 0; i + padding < text.size(); ++i) {
    if (!isBase64Letter(text[i])) return std::nullopt;
  }
  if (text.empty()) return std::string();
  const std::string terminated(text);
  gsize length = 0;
  guchar* bytes = g_base64_decode(terminated.c_str(), &length);
  std::string decoded(reinterpret_cast<const char*>(bytes), length);
  g_free(bytes);
  return decoded;
}

glib::ObjectPtr<GdkPixbuf> attachmentThumbnail(const AuditAttachment& attachment) {
  if (!attachment.mediaType.starts_with("image/")) return {};
  const auto bytes = strictBase64Decode(attachment.data);
  if (!bytes) return {};
  try {
    return decodePreviewImage(*bytes, PreviewImagePurpose::attachment);
  } catch (const std::exception&) {
    return {};
  }
}

}  // namespace vesk

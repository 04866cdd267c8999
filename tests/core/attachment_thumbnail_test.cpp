// Chip thumbnails: strict Base64 and only the four image formats.
#include "core/input/attachment_thumbnail.h"

#include <glib.h>
#include <gtest/gtest.h>

using namespace vesk;

namespace {

std::string pngBase64(int width, int height) {
  GdkPixbuf* pixbuf = gdk_pixbuf_new(GDK_COLORSPACE_RGB, FALSE, 8, width, height);
  gdk_pixbuf_fill(pixbuf, 0xC0302000);
  gchar* buffer = nullptr;
  gsize size = 0;
  EXPECT_TRUE(gdk_pixbuf_save_to_buffer(pixbuf, &buffer, &size, "png", nullptr, nullptr));
  gchar* encoded = g_base64_encode(reinterpret_cast<const guchar*>(buffer), size);
  std::string text(encoded);
  g_free(encoded);
  g_free(buffer);
  g_object_unref(pixbuf);
  return text;
}

}  // namespace

TEST(AttachmentThumbnail, StrictBase64) {
  EXPECT_EQ(strictBase64Decode("aGk="), std::optional<std::string>("hi"));
  EXPECT_EQ(strictBase64Decode(""), std::optional<std::string>(""));
  EXPECT_FALSE(strictBase64Decode("aGk"));
  EXPECT_FALSE(strictBase64Decode("aG k="));
  EXPECT_FALSE(strictBase64Decode("aGk=\n"));
  EXPECT_FALSE(strictBase64Decode("a=Gk"));
  EXPECT_FALSE(strictBase64Decode("a==="));
}

TEST(AttachmentThumbnail, OnlyDecodableImagesOfTheFourFormats) {
  const auto png = pngBase64(12, 8);
  const auto thumbnail = attachmentThumbnail(AuditAttachment("shot.png", "image/png", png));
  ASSERT_TRUE(thumbnail.get());
  EXPECT_EQ(gdk_pixbuf_get_width(thumbnail.get()), 12);
  EXPECT_FALSE(attachmentThumbnail(AuditAttachment("shot.pdf", "application/pdf", png)).get()) << "not an image type";
  EXPECT_FALSE(attachmentThumbnail(AuditAttachment("shot.png", "image/png", png + "\n")).get()) << "loose Base64";
  EXPECT_FALSE(attachmentThumbnail(AuditAttachment("shot.png", "image/png", "aGk=")).get()) << "not image bytes";
  // Bytes of another format behind an image type: an SVG is never decoded.
  gchar* svg = g_base64_encode(reinterpret_cast<const guchar*>("<svg xmlns='http://www.w3.org/2000/svg'/>"), 40);
  EXPECT_FALSE(attachmentThumbnail(AuditAttachment("x.svg", "image/svg+xml", svg)).get());
  g_free(svg);
}

// The sides an image declares in its header, and the refusal of a giant before any
// loader exists, for evidence and for attachments alike.
#include "core/platform/image_header.h"
#include "core/input/attachment_thumbnail.h"
#include "core/platform/preview_image.h"
#include "core/records/vesk_error.h"

#include <glib.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using namespace vesk;

namespace {

std::string encoded(int width, int height, const char* type) {
  auto pixbuf = glib::ObjectPtr<GdkPixbuf>::adopt(gdk_pixbuf_new(GDK_COLORSPACE_RGB, FALSE, 8, width, height));
  gdk_pixbuf_fill(pixbuf.get(), 0x336699ff);
  gchar* buffer = nullptr;
  gsize size = 0;
  EXPECT_TRUE(gdk_pixbuf_save_to_buffer(pixbuf.get(), &buffer, &size, type, nullptr, nullptr));
  std::string bytes(buffer, size);
  g_free(buffer);
  return bytes;
}

std::string le16(unsigned value) { return {char(value & 0xFF), char(value >> 8)}; }
std::string be16(unsigned value) { return {char(value >> 8), char(value & 0xFF)}; }
std::string le24(unsigned value) { return {char(value & 0xFF), char((value >> 8) & 0xFF), char(value >> 16)}; }
std::string le32(unsigned value) { return le16(value & 0xFFFF) + le16(value >> 16); }
std::string be32(unsigned value) { return be16(value >> 16) + be16(value & 0xFFFF); }

std::string webp(const std::string& chunk, const std::string& payload) {
  std::string padded = payload + std::string(32, '\0');
  return "RIFF" + le32(static_cast<unsigned>(padded.size() + 12)) + "WEBP" + chunk +
         le32(static_cast<unsigned>(padded.size())) + padded;
}

// Small files that declare `side` × `side` pixels, one per format and WebP kind. The
// simple WebP kinds hold 14 bits a side: they declare the most they can when `side` is
// larger (16,383 and 16,384, each over the limit of pixels).
std::vector<std::pair<std::string, std::string>> declaring(unsigned side) {
  const unsigned lossySide = std::min(side, 16'383u);
  const unsigned losslessSide = std::min(side, 16'384u);
  std::string png = encoded(2, 2, "png");
  png.replace(16, 8, be32(side) + be32(side));
  const std::string jpeg = std::string("\xFF\xD8", 2) + "\xFF\xE0" + be16(16) +
                           std::string("JFIF\0\1\1\0\0\1\0\1\0\0", 14) + "\xFF\xC0" + be16(17) + "\x08" + be16(side) +
                           be16(side) + std::string(12, '\1') + std::string(35'000, '\0');
  const std::string gif = "GIF89a" + le16(side) + le16(side) + std::string("\x80\x00\x00", 3) + std::string(20, '\0');
  const std::string lossy =
      webp("VP8 ", std::string("\x10\x02\x00\x9D\x01\x2A", 6) + le16(lossySide) + le16(lossySide));
  const std::string lossless = webp("VP8L", "\x2F" + le32((losslessSide - 1) | (losslessSide - 1) << 14));
  const std::string extended = webp("VP8X", std::string(4, '\0') + le24(side - 1) + le24(side - 1));
  return {{"png", png},        {"jpeg", jpeg},          {"gif", gif},
          {"webp VP8", lossy}, {"webp VP8L", lossless}, {"webp VP8X", extended}};
}

std::string base64(const std::string& bytes) {
  gchar* text = g_base64_encode(reinterpret_cast<const guchar*>(bytes.data()), bytes.size());
  std::string result(text);
  g_free(text);
  return result;
}

}  // namespace

TEST(ImageHeader, ReadsTheDeclaredSidesOfEveryFormat) {
  for (const auto* type : {"png", "jpeg"}) {
    const auto size = declaredImageSize(encoded(3, 2, type));
    ASSERT_TRUE(size) << type;
    EXPECT_EQ(size->width, 3) << type;
    EXPECT_EQ(size->height, 2) << type;
  }
  const std::int64_t expected[] = {17'000, 17'000, 17'000, 16'383, 16'384, 17'000};
  const auto giants = declaring(17'000);
  for (std::size_t i = 0; i < giants.size(); ++i) {
    const auto size = declaredImageSize(giants[i].second);
    ASSERT_TRUE(size) << giants[i].first;
    EXPECT_EQ(size->width, expected[i]) << giants[i].first;
    EXPECT_EQ(size->height, expected[i]) << giants[i].first;
  }
  for (const auto& [name, bytes] : declaring(300)) EXPECT_EQ(declaredImageSize(bytes)->width, 300) << name;

  EXPECT_FALSE(declaredImageSize(std::string("\x89PNG\r\n\x1a\n\0\0\0\x0dIHD", 15))) << "cut short";
  EXPECT_FALSE(declaredImageSize(std::string("\xFF\xD8\xFF\xDA\0\x08", 6))) << "scan data before any frame";
  EXPECT_FALSE(declaredImageSize(webp("VP8 ", "not a frame"))) << "no start code";
  EXPECT_FALSE(declaredImageSize("GIF89a")) << "no logical screen";
  EXPECT_FALSE(declaredImageSize("<svg/>"));
}

TEST(ImageHeader, AWebPIsReadOnlyAsFarAsItsKindDeclaresItsSides) {
  // A whole 1×1 lossless image of 28 bytes: signature, 1×1, no alpha, version 0, then a
  // bitstream of five one-symbol prefix codes.
  const std::string tiny = "RIFF" + le32(20) + "WEBP" + "VP8L" + le32(8) + std::string("\x2F\0\0\0\0\x88\x88\x08", 8);
  ASSERT_EQ(tiny.size(), 28u);
  const auto size = declaredImageSize(tiny);
  ASSERT_TRUE(size);
  EXPECT_EQ(size->width, 1);
  EXPECT_EQ(size->height, 1);
  EXPECT_TRUE(decodePreviewImage(tiny).get()) << "GTK's loader decodes it, so it is not refused";

  // Each kind is complete at the end of its sides, and refused a byte before.
  const std::pair<const char*, std::size_t> needs[] = {{"webp VP8", 30}, {"webp VP8L", 25}, {"webp VP8X", 30}};
  const auto files = declaring(300);
  for (const auto& [name, length] : needs) {
    const auto file = std::find_if(files.begin(), files.end(), [&](const auto& f) { return f.first == name; });
    ASSERT_NE(file, files.end());
    const auto complete = declaredImageSize(file->second.substr(0, length));
    ASSERT_TRUE(complete) << name;
    EXPECT_EQ(complete->width, 300) << name;
    EXPECT_FALSE(declaredImageSize(file->second.substr(0, length - 1))) << name << " cut short";
  }
  EXPECT_FALSE(declaredImageSize(files.back().second.substr(0, 16))) << "a chunk type and nothing more";
}

TEST(ImageHeader, AGiantIsRefusedBeforeAnyLoaderAsEvidenceAndAsAnAttachment) {
  for (const auto& [name, bytes] : declaring(17'000)) {
    const auto loaders = previewImageLoadersMade();
    try {
      decodePreviewImage(bytes);
      ADD_FAILURE() << name << " decoded";
    } catch (const VeskError& error) {
      EXPECT_STREQ(error.what(), "This image preview is unavailable.") << name;
    }
    EXPECT_FALSE(attachmentThumbnail(AuditAttachment("giant", "image/png", base64(bytes))).get()) << name;
    EXPECT_EQ(previewImageLoadersMade(), loaders) << name << ": no loader may see it";
  }

  const auto loaders = previewImageLoadersMade();
  EXPECT_TRUE(decodePreviewImage(encoded(3, 2, "png")).get());
  EXPECT_TRUE(attachmentThumbnail(AuditAttachment("small.png", "image/png", base64(encoded(3, 2, "png")))).get());
  EXPECT_EQ(previewImageLoadersMade(), loaders + 2) << "an image within the limits is decoded";
}

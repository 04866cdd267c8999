#include "core/platform/preview_image.h"

#include "core/records/vesk_error.h"
#include "core/text/safe_file_name.h"
#include "support/run_loop.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

using vesk::decodePreviewImage;
using vesk::PreviewImageFormat;
using vesk::previewImageFormat;
using vesk::VeskError;

namespace {

std::string encoded(int width, int height, const char* type) {
  auto pixbuf = vesk::glib::ObjectPtr<GdkPixbuf>::adopt(gdk_pixbuf_new(GDK_COLORSPACE_RGB, FALSE, 8, width, height));
  gdk_pixbuf_fill(pixbuf.get(), 0x336699ff);
  gchar* buffer = nullptr;
  gsize size = 0;
  EXPECT_TRUE(gdk_pixbuf_save_to_buffer(pixbuf.get(), &buffer, &size, type, nullptr, nullptr));
  std::string bytes(buffer, size);
  g_free(buffer);
  return bytes;
}

// The smallest GIF: one transparent pixel.
const std::string onePixelGif(
    "GIF89a\x01\x00\x01\x00\x80\x00\x00\x00\x00\x00\xff\xff\xff\x21\xf9\x04\x01\x00\x00\x00"
    "\x00\x2c\x00\x00\x00\x00\x01\x00\x01\x00\x00\x02\x02\x44\x01\x00\x3b",
    43);

bool unavailable(const std::string& bytes) {
  try {
    decodePreviewImage(bytes);
    return false;
  } catch (const VeskError& error) {
    EXPECT_STREQ(error.what(), "This image preview is unavailable.");
    return true;
  }
}

}  // namespace

TEST(PreviewImage, TheFormatComesFromTheMagicBytesAlone) {
  EXPECT_EQ(previewImageFormat(encoded(2, 2, "png")), PreviewImageFormat::png);
  EXPECT_EQ(previewImageFormat(encoded(2, 2, "jpeg")), PreviewImageFormat::jpeg);
  EXPECT_EQ(previewImageFormat(onePixelGif), PreviewImageFormat::gif);
  EXPECT_EQ(previewImageFormat(std::string("RIFF\0\0\0\0WEBPVP8 ", 16)), PreviewImageFormat::webp);
  EXPECT_EQ(previewImageFormat("RIFF\0\0\0\0WAVE"), std::nullopt);
  EXPECT_EQ(previewImageFormat("<svg xmlns=\"http://www.w3.org/2000/svg\"/>"), std::nullopt);
  EXPECT_EQ(previewImageFormat(""), std::nullopt);
  EXPECT_EQ(previewImageFormat("\x89PNG"), std::nullopt) << "a cut signature";
}

TEST(PreviewImage, DecodesTheFourFormatsWithinTheirLimits) {
  for (const auto* type : {"png", "jpeg"}) {
    const auto pixbuf = decodePreviewImage(encoded(3, 2, type));
    EXPECT_EQ(gdk_pixbuf_get_width(pixbuf.get()), 3) << type;
    EXPECT_EQ(gdk_pixbuf_get_height(pixbuf.get()), 2) << type;
  }
  EXPECT_EQ(gdk_pixbuf_get_width(decodePreviewImage(onePixelGif).get()), 1);
  const auto widest = decodePreviewImage(encoded(16'384, 1, "png"));
  EXPECT_EQ(gdk_pixbuf_get_width(widest.get()), 16'384);
}

TEST(PreviewImage, RefusesEverythingElseWithTheOneSentence) {
  EXPECT_TRUE(unavailable(""));
  EXPECT_TRUE(unavailable("<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"4\" height=\"4\"/>"));
  const auto png = encoded(4, 4, "png");
  EXPECT_TRUE(unavailable(png.substr(0, png.size() / 2))) << "cut short";
  EXPECT_TRUE(unavailable(encoded(16'385, 1, "png"))) << "one pixel wider than the widest side";
  EXPECT_TRUE(unavailable(encoded(1, 16'385, "png"))) << "one pixel taller";
  std::string padded = png;
  padded.resize(vesk::largestPreviewImageBytes + 1, '\0');
  EXPECT_TRUE(unavailable(padded)) << "one byte over the limit is refused before decoding";
  auto gifAsPng = onePixelGif;
  gifAsPng.replace(0, 6, "\x89PNG\r\n");
  EXPECT_TRUE(unavailable(gifAsPng)) << "a PNG signature on other bytes";
}

TEST(PreviewImage, VerifyingOffTheMainLoopGivesTheSameVerdicts) {
  vesk::testing::runTask(vesk::verifyPreviewImage(std::make_shared<const std::string>(encoded(5, 5, "png"))));
  try {
    vesk::testing::runTask(vesk::verifyPreviewImage(std::make_shared<const std::string>("GIF89a nonsense")));
    ADD_FAILURE() << "undecodable bytes were accepted";
  } catch (const VeskError& error) {
    EXPECT_STREQ(error.what(), "This image preview is unavailable.");
  }
}

TEST(SafeFileName, KeepsOnePathComponent) {
  EXPECT_EQ(vesk::safeFileName("Acme Café.md", "report.md"), "Acme Café.md");
  EXPECT_EQ(vesk::safeFileName("../../etc/passwd", "x"), "..-..-etc-passwd");
  EXPECT_EQ(vesk::safeFileName("a\nb\tc\x7f", "x"), "a-b-c-");
  EXPECT_EQ(vesk::safeFileName("", "attachment"), "attachment");
  EXPECT_EQ(vesk::safeFileName(".", "attachment"), "attachment");
  EXPECT_EQ(vesk::safeFileName("..", "report.md"), "report.md");
  EXPECT_EQ(vesk::safeFileName("...", "x"), "...");
}

// A proposal is cut to 200 bytes at a character boundary, its extension kept, so that
// the file system (255 bytes a name) takes it and the user may still lengthen it.
TEST(SafeFileName, ALongProposalIsCutBetweenCharactersKeepingItsExtension) {
  std::string cjk;
  for (int i = 0; i < 90; ++i) cjk += "\u8A2D";  // 270 bytes
  const std::string markdown = vesk::safeFileName(cjk + ".md", "report.md");
  EXPECT_EQ(markdown, cjk.substr(0, 65 * 3) + ".md") << "the most whole characters within 200 bytes";
  const std::string pdf = vesk::safeFileName("Vesk \u2014 " + cjk + ".pdf", "Vesk.pdf");
  EXPECT_LE(pdf.size(), 200u);
  EXPECT_TRUE(pdf.ends_with("\u8A2D.pdf")) << pdf;

  std::string accented;
  for (int i = 0; i < 80; ++i) accented += "e\u0301";  // 3 bytes a character, the mark never parted from its letter
  const std::string cut = vesk::safeFileName(accented + ".jpeg", "x");
  EXPECT_EQ(cut, accented.substr(0, 65 * 3) + ".jpeg");
  EXPECT_EQ(vesk::safeFileName(std::string(300, 'a'), "x"), std::string(200, 'a')) << "no extension to keep";
  EXPECT_EQ(vesk::safeFileName("notes." + std::string(250, 'b'), "x"), "notes." + std::string(194, 'b'))
      << "what follows the last dot is too long to be an extension";
  EXPECT_EQ(vesk::safeFileName(std::string(200, 'c'), "x"), std::string(200, 'c')) << "200 bytes fit";

  // One character longer than the room: no stem is left, and a bare extension would be
  // a hidden file, so the plain base name is proposed.
  std::string cluster = "a";
  for (int i = 0; i < 150; ++i) cluster += "\u0301";  // one user-perceived character of 301 bytes
  EXPECT_EQ(vesk::safeFileName(cluster + ".md", "report.md"), "report.md");
  EXPECT_EQ(vesk::safeFileName(cluster + ".png", "evidence.png"), "evidence.png");
  EXPECT_EQ(vesk::safeFileName(cluster, "attachment"), "attachment");
  EXPECT_EQ(vesk::safeFileName("x" + cluster + ".md", "report.md"), "x.md") << "what fits is kept";
}

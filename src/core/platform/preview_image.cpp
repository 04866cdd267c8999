#include "core/platform/preview_image.h"

#include "core/async/background.h"
#include "core/platform/image_header.h"
#include "core/records/vesk_error.h"

#include <atomic>
#include <mutex>

namespace vesk {

namespace {

bool startsWith(std::string_view bytes, std::string_view prefix) { return bytes.substr(0, prefix.size()) == prefix; }

const char* loaderName(PreviewImageFormat format) {
  switch (format) {
    case PreviewImageFormat::png: return "png";
    case PreviewImageFormat::jpeg: return "jpeg";
    case PreviewImageFormat::webp: return "webp";
    case PreviewImageFormat::gif: return "gif";
  }
  return "png";
}

std::atomic<std::size_t> loadersMade{0};

std::mutex& decodingFor(PreviewImagePurpose purpose) {
  static std::mutex evidence;
  static std::mutex attachment;
  return purpose == PreviewImagePurpose::attachment ? attachment : evidence;
}

bool tooLarge(std::int64_t width, std::int64_t height) {
  return width <= 0 || height <= 0 || width > largestPreviewImageSide || height > largestPreviewImageSide ||
         width * height > largestPreviewImagePixels;
}

// A second guard, for a loader that finds other sides than the header declared: the
// decode goes on at 1×1 and the verdict is read afterwards.
void checkAnnouncedSize(GdkPixbufLoader* loader, int width, int height, gpointer refused) {
  if (!tooLarge(width, height)) return;
  *static_cast<bool*>(refused) = true;
  gdk_pixbuf_loader_set_size(loader, 1, 1);
}

[[noreturn]] void unavailable() { throw VeskError(previewUnavailableSentence); }

}  // namespace

std::optional<PreviewImageFormat> previewImageFormat(std::string_view bytes) {
  if (startsWith(bytes, "\x89PNG\r\n\x1a\n")) return PreviewImageFormat::png;
  if (startsWith(bytes, "\xff\xd8\xff")) return PreviewImageFormat::jpeg;
  if (bytes.size() >= 12 && startsWith(bytes, "RIFF") && bytes.substr(8, 4) == "WEBP") return PreviewImageFormat::webp;
  if (startsWith(bytes, "GIF87a") || startsWith(bytes, "GIF89a")) return PreviewImageFormat::gif;
  return std::nullopt;
}

bool declaresAllowedPreviewSize(std::string_view bytes) {
  const auto declared = declaredImageSize(bytes);
  return declared && !tooLarge(declared->width, declared->height);
}

glib::ObjectPtr<GdkPixbuf> decodePreviewImage(std::string_view bytes, PreviewImagePurpose purpose) {
  if (bytes.empty() || bytes.size() > largestPreviewImageBytes) unavailable();
  const auto format = previewImageFormat(bytes);
  if (!format || !declaresAllowedPreviewSize(bytes)) unavailable();
  const std::lock_guard oneAtATime(decodingFor(purpose));
  ++loadersMade;
  glib::ErrorSlot error;
  auto loader =
      glib::ObjectPtr<GdkPixbufLoader>::adopt(gdk_pixbuf_loader_new_with_type(loaderName(*format), error.out()));
  if (!loader) unavailable();
  bool refused = false;
  g_signal_connect(loader.get(), "size-prepared", G_CALLBACK(checkAnnouncedSize), &refused);
  const bool written =
      gdk_pixbuf_loader_write(loader.get(), reinterpret_cast<const guchar*>(bytes.data()), bytes.size(), error.out());
  glib::ErrorSlot closeError;
  const bool closed = gdk_pixbuf_loader_close(loader.get(), closeError.out());
  g_signal_handlers_disconnect_by_data(loader.get(), &refused);
  GdkPixbuf* pixbuf = gdk_pixbuf_loader_get_pixbuf(loader.get());
  if (!written || !closed || refused || !pixbuf) unavailable();
  return glib::ObjectPtr<GdkPixbuf>::retain(pixbuf);
}

async::Task<void> verifyPreviewImage(std::shared_ptr<const std::string> bytes, PreviewImagePurpose purpose) {
  // A named awaiter: GCC 12 mishandles awaiters with owning members built inside the
  // co_await expression.
  auto decoding = async::inBackground([bytes, purpose] { decodePreviewImage(*bytes, purpose); });
  co_await std::move(decoding);
}

std::size_t previewImageLoadersMade() { return loadersMade.load(); }

}  // namespace vesk

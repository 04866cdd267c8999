#pragma once
// Image bytes from the service, checked and decoded as untrusted input: only PNG, JPEG,
// WebP and GIF, picked by their magic bytes (never by the declared type or by content
// sniffing), bounded in bytes and in pixels before any pixel memory is taken.
#include "core/async/task.h"
#include "core/platform/object_ptr.h"

#include <gdk-pixbuf/gdk-pixbuf.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace vesk {

inline constexpr std::size_t largestPreviewImageBytes = 10'485'760;
inline constexpr int largestPreviewImageSide = 16'384;
inline constexpr std::int64_t largestPreviewImagePixels = 64'000'000;
inline constexpr const char* previewUnavailableSentence = "This image preview is unavailable.";

enum class PreviewImageFormat { png, jpeg, webp, gif };

// What an image is decoded for. Decodes of one purpose run one at a time, so several
// large images (attachments added together, an evidence preview and its check) never
// hold their pixels at once.
enum class PreviewImagePurpose { evidence, attachment };

// The format the bytes begin with, if it is one of the four.
std::optional<PreviewImageFormat> previewImageFormat(std::string_view bytes);

// Whether the image's header can be read and declares sides and pixels within the limits
// below; reads the header alone.
bool declaresAllowedPreviewSize(std::string_view bytes);

// Decodes the bytes with the loader of their format. Throws VeskError with
// previewUnavailableSentence for too many bytes, another format, a side over
// largestPreviewImageSide, more than largestPreviewImagePixels, or bytes that do not decode.
// The sides are read from the header first: an image that declares too many pixels, or
// whose header cannot be read, is refused before any loader exists.
// Blocking: call it off the main loop for bytes from the service.
glib::ObjectPtr<GdkPixbuf> decodePreviewImage(std::string_view bytes,
                                              PreviewImagePurpose purpose = PreviewImagePurpose::evidence);

// decodePreviewImage on a worker thread, keeping only the verdict: returns when the bytes
// decode, throws as decodePreviewImage does (or async::Cancelled).
async::Task<void> verifyPreviewImage(std::shared_ptr<const std::string> bytes,
                                     PreviewImagePurpose purpose = PreviewImagePurpose::evidence);

// How many image loaders the process has made so far: a seam for tests that check a
// refusal came before any decoder.
std::size_t previewImageLoadersMade();

}  // namespace vesk

#pragma once
// The width and height an image declares in its header, read from the bytes alone, so an
// image too large to hold can be refused before any decoder allocates a pixel for it.
#include <cstdint>
#include <optional>
#include <string_view>

namespace vesk {

struct ImageDimensions {
  std::int64_t width = 0;
  std::int64_t height = 0;
};

// PNG (IHDR), JPEG (the first start-of-frame segment), GIF (the logical screen) and WebP
// (VP8, VP8L or VP8X); nothing for another format or a header cut short or malformed.
std::optional<ImageDimensions> declaredImageSize(std::string_view bytes);

}  // namespace vesk

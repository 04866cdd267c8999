#include "core/platform/image_header.h"

namespace vesk {

namespace {

std::uint32_t byteAt(std::string_view bytes, std::size_t at) { return static_cast<unsigned char>(bytes[at]); }

std::uint32_t bigEndian16(std::string_view bytes, std::size_t at) {
  return byteAt(bytes, at) << 8 | byteAt(bytes, at + 1);
}

std::uint32_t bigEndian32(std::string_view bytes, std::size_t at) {
  return bigEndian16(bytes, at) << 16 | bigEndian16(bytes, at + 2);
}

std::uint32_t littleEndian(std::string_view bytes, std::size_t at, std::size_t count) {
  std::uint32_t value = 0;
  for (std::size_t i = count; i-- > 0;) value = value << 8 | byteAt(bytes, at + i);
  return value;
}

std::optional<ImageDimensions> png(std::string_view bytes) {
  // Signature (8), then the first chunk must be IHDR: length (4), type (4), width, height.
  if (bytes.size() < 24 || bytes.substr(12, 4) != "IHDR") return std::nullopt;
  return ImageDimensions{bigEndian32(bytes, 16), bigEndian32(bytes, 20)};
}

std::optional<ImageDimensions> gif(std::string_view bytes) {
  if (bytes.size() < 10) return std::nullopt;
  return ImageDimensions{littleEndian(bytes, 6, 2), littleEndian(bytes, 8, 2)};
}

// Start-of-frame markers: C0 to CF except DHT (C4), JPG (C8) and DAC (CC).
bool isStartOfFrame(std::uint32_t marker) {
  return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

std::optional<ImageDimensions> jpeg(std::string_view bytes) {
  std::size_t at = 2;  // after SOI
  while (at + 4 <= bytes.size()) {
    if (byteAt(bytes, at) != 0xFF) return std::nullopt;
    const std::uint32_t marker = byteAt(bytes, at + 1);
    if (marker == 0xFF) {  // fill byte
      ++at;
      continue;
    }
    if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) {  // no length follows
      at += 2;
      continue;
    }
    if (marker == 0xD9 || marker == 0xDA) return std::nullopt;  // image or scan data before any frame
    const std::uint32_t length = bigEndian16(bytes, at + 2);
    if (length < 2) return std::nullopt;
    if (isStartOfFrame(marker)) {
      // Length (2), precision (1), height (2), width (2).
      if (at + 9 > bytes.size()) return std::nullopt;
      return ImageDimensions{bigEndian16(bytes, at + 7), bigEndian16(bytes, at + 5)};
    }
    at += 2 + length;
  }
  return std::nullopt;
}

std::optional<ImageDimensions> webp(std::string_view bytes) {
  // "RIFF", size, "WEBP", then the first chunk's type and size, its payload at 20. Each
  // kind is read only as far as it declares its sides: a whole lossless image may be
  // shorter than the header of a lossy one.
  if (bytes.size() < 20) return std::nullopt;
  const auto chunk = bytes.substr(12, 4);
  if (chunk == "VP8 ") {
    // Frame tag (3), start code 9D 01 2A, then 14-bit width and height with scale bits.
    if (bytes.size() < 30 || bytes.substr(23, 3) != "\x9D\x01\x2A") return std::nullopt;
    return ImageDimensions{littleEndian(bytes, 26, 2) & 0x3FFF, littleEndian(bytes, 28, 2) & 0x3FFF};
  }
  if (chunk == "VP8L") {
    // Signature 2F, then width − 1 and height − 1 in 14 bits each.
    if (bytes.size() < 25 || byteAt(bytes, 20) != 0x2F) return std::nullopt;
    const std::uint32_t bits = littleEndian(bytes, 21, 4);
    return ImageDimensions{(bits & 0x3FFF) + 1, ((bits >> 14) & 0x3FFF) + 1};
  }
  if (chunk == "VP8X") {
    // Flags (4), then canvas width − 1 and height − 1 in 24 bits each.
    if (bytes.size() < 30) return std::nullopt;
    return ImageDimensions{std::int64_t{littleEndian(bytes, 24, 3)} + 1, std::int64_t{littleEndian(bytes, 27, 3)} + 1};
  }
  return std::nullopt;
}

}  // namespace

std::optional<ImageDimensions> declaredImageSize(std::string_view bytes) {
  if (bytes.starts_with("\x89PNG\r\n\x1a\n")) return png(bytes);
  if (bytes.starts_with("\xff\xd8\xff")) return jpeg(bytes);
  if (bytes.starts_with("GIF87a") || bytes.starts_with("GIF89a")) return gif(bytes);
  if (bytes.size() >= 12 && bytes.starts_with("RIFF") && bytes.substr(8, 4) == "WEBP") return webp(bytes);
  return std::nullopt;
}

}  // namespace vesk

#pragma once
// A colour in sRGB: three components and an opacity, each from 0 to 1.
#include <cstdint>
#include <string>

namespace vesk {

// A number as GTK CSS writes it: up to six significant digits, no trailing zeros.
std::string cssNumber(double value);

struct Rgba {
  double red = 0;
  double green = 0;
  double blue = 0;
  double alpha = 1;

  // The opaque colour of a six-digit sRGB code (0xRRGGBB), each component a whole
  // number of 255ths, then faded to `opacity`.
  static constexpr Rgba fromHex(std::uint32_t code, double opacity = 1) {
    return Rgba{((code >> 16) & 0xFF) / 255.0, ((code >> 8) & 0xFF) / 255.0, (code & 0xFF) / 255.0, 1}.faded(opacity);
  }
  static constexpr Rgba white(double opacity = 1) { return Rgba{1, 1, 1, opacity}; }
  static constexpr Rgba clear() { return Rgba{0, 0, 0, 0}; }

  // The same colour with its alpha multiplied by `opacity`.
  constexpr Rgba faded(double opacity) const { return Rgba{red, green, blue, alpha * opacity}; }

  // The colour with `amount` added to each component, as a brightness filter does
  // (positive lightens, negative darkens), kept within 0 to 1; alpha is unchanged.
  constexpr Rgba brightened(double amount) const {
    return Rgba{clampUnit(red + amount), clampUnit(green + amount), clampUnit(blue + amount), alpha};
  }

  // GTK CSS text for the colour, e.g. "rgba(248,246,241,0.7)"; components keep their
  // fractional part so a brightened colour is not rounded.
  std::string cssText() const;

  constexpr bool operator==(const Rgba&) const = default;

 private:
  static constexpr double clampUnit(double v) { return v < 0 ? 0 : (v > 1 ? 1 : v); }
};

}  // namespace vesk

#pragma once
// How legible one colour is on another: the WCAG contrast ratio of sRGB colours, a
// translucent colour first laid over what lies beneath it.
#include "core/style/rgba.h"

#include <algorithm>
#include <cmath>

namespace vesk::testing {

// `top` laid over the opaque `ground`.
inline Rgba over(const Rgba& top, const Rgba& ground) {
  const auto mix = [&](double a, double b) { return a * top.alpha + b * (1 - top.alpha); };
  return {mix(top.red, ground.red), mix(top.green, ground.green), mix(top.blue, ground.blue), 1};
}

inline double relativeLuminance(const Rgba& colour) {
  const auto linear = [](double c) { return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4); };
  return 0.2126 * linear(colour.red) + 0.7152 * linear(colour.green) + 0.0722 * linear(colour.blue);
}

// From 1 (no contrast) to 21 (black on white); `text` may be translucent.
inline double contrast(const Rgba& text, const Rgba& ground) {
  const double a = relativeLuminance(over(text, ground)), b = relativeLuminance(ground);
  return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

}  // namespace vesk::testing

#include "core/style/scroll_veil_geometry.h"

#include "core/style/vesk_web_tokens.h"

#include <algorithm>

namespace vesk {

double ScrollVeilGeometry::sideFadeFraction(double width) {
  if (width < 1) return 0.5;
  return std::min(sideFade / width, 0.5);
}

std::array<GradientStop, 3> ScrollVeilGeometry::tint(bool reduceTransparency) {
  const Rgba warm = VeskWebTokens::scrollVeilWarm;
  return {{{0, warm.faded(0.6)}, {0.46, warm.faded(0.34)}, {1, warm.faded(reduceTransparency ? 1 : 0)}}};
}

std::array<GradientStop, 3> ScrollVeilGeometry::lengthMask(double opaqueFraction) {
  const double held = std::clamp(opaqueFraction, 0.0, 1.0);
  return {{{0, Rgba{}}, {held, Rgba{}}, {1, Rgba::clear()}}};
}

std::array<GradientStop, 4> ScrollVeilGeometry::widthMask(double width) {
  const double f = sideFadeFraction(width);
  return {{{0, Rgba::clear()}, {f, Rgba{}}, {1 - f, Rgba{}}, {1, Rgba::clear()}}};
}

double ScrollVeilGeometry::canvasCover(double distance, double opaqueLength, double length) {
  if (distance <= opaqueLength) return 1;
  if (distance >= length) return 0;
  return (length - distance) / (length - opaqueLength);
}

}  // namespace vesk

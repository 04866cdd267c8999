#pragma once
// The frosted band laid over the top or bottom edge of a scroll area: its tint and the
// two masks that fade it along its length and across its width.
#include "core/style/gradient_stop.h"

#include <array>

namespace vesk {

struct ScrollVeilGeometry {
  ScrollVeilGeometry() = delete;

  // The veil fades in over this many px at its leading and trailing ends.
  static constexpr double sideFade = 32;

  // The fraction of the width over which each end fades: 32 px, at most half the width.
  static double sideFadeFraction(double width);

  // The warm tint, from the anchored edge (0) to the far edge (1).
  static std::array<GradientStop, 3> tint(bool reduceTransparency);

  // Alpha along the length, from the anchored edge: full up to `opaqueFraction`, then
  // fading to nothing at the far edge.
  static std::array<GradientStop, 3> lengthMask(double opaqueFraction);

  // Alpha across the width, leading to trailing.
  static std::array<GradientStop, 4> widthMask(double width);

  // How strongly a veil that paints the window's canvas covers what lies under it, at
  // `distance` px from its anchored edge: fully up to `opaqueLength`, then fading along
  // the length mask's line to nothing at its far edge (`length`).
  static double canvasCover(double distance, double opaqueLength, double length);
};

}  // namespace vesk

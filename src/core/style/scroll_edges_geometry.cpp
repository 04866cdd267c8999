#include "core/style/scroll_edges_geometry.h"

#include <algorithm>

namespace vesk {

ScrollEdgesGeometry::Edges ScrollEdgesGeometry::edges(double offset, double topInset, double visibleHeight,
                                                      double contentHeight, double bottomInset) {
  return Edges{offset + topInset > 1, offset + visibleHeight < contentHeight + bottomInset - 1};
}

double ScrollEdgesGeometry::fadeFraction(double visibleHeight) {
  if (visibleHeight < 1) return maximumFadeFraction;
  return std::min(fadeLength / visibleHeight, maximumFadeFraction);
}

std::array<GradientStop, 4> ScrollEdgesGeometry::mask(Edges edges, double visibleHeight) {
  const double f = fadeFraction(visibleHeight);
  const Rgba opaque{};
  return {{{0, edges.top ? Rgba::clear() : opaque},
           {f, opaque},
           {1 - f, opaque},
           {1, edges.bottom ? Rgba::clear() : opaque}}};
}

}  // namespace vesk

#pragma once
// Where a wrapping row of choice pills puts each pill: left to right like words in a
// paragraph, one spacing between neighbours and between rows, rows aligned at their
// tops (or, for a row of buttons of unlike heights, on their centre line). A pill never gets more than the full width,
// and never less than its own minimum width (the toolkit forbids it), so a pill wider than the row overflows it instead
// of being squeezed.
#include "core/style/geometry.h"

#include <functional>
#include <span>
#include <vector>

namespace vesk {

struct ChoicePillChild {
  double minimumWidth = 0;
  double naturalWidth = 0;
  // The child's height when given this width.
  std::function<double(double width)> heightForWidth;
};

enum class PillRowAlignment { top, centre };

struct ChoicePillArrangement {
  std::vector<Point> points;  // top-left corners, relative to the layout's origin
  std::vector<Size> sizes;
  double height = 0;

  // The width laid out against when none is offered.
  static constexpr double unspecifiedWidth = 760;

  static ChoicePillArrangement arrange(double width, double spacing, std::span<const ChoicePillChild> children,
                                       PillRowAlignment alignment = PillRowAlignment::top);

  // The narrowest the layout may be: its widest child's minimum.
  static double minimumWidth(std::span<const ChoicePillChild> children);
};

}  // namespace vesk

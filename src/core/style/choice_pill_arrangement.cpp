#include "core/style/choice_pill_arrangement.h"

#include <algorithm>

namespace vesk {

ChoicePillArrangement ChoicePillArrangement::arrange(double width, double spacing,
                                                     std::span<const ChoicePillChild> children) {
  ChoicePillArrangement result;
  double x = 0, y = 0, rowHeight = 0;
  for (const auto& child : children) {
    const double w = std::max(child.minimumWidth, std::min(width, child.naturalWidth));
    const Size size{w, child.heightForWidth ? child.heightForWidth(w) : 0};
    // The first child of a row never wraps; one ending exactly at the width stays.
    if (x > 0 && x + size.width > width) {
      y += rowHeight + spacing;
      x = 0;
      rowHeight = 0;
    }
    result.points.push_back({x, y});
    result.sizes.push_back(size);
    x += size.width + spacing;
    rowHeight = std::max(rowHeight, size.height);
  }
  result.height = y + rowHeight;
  return result;
}

double ChoicePillArrangement::minimumWidth(std::span<const ChoicePillChild> children) {
  double widest = 0;
  for (const auto& child : children) widest = std::max(widest, child.minimumWidth);
  return widest;
}

}  // namespace vesk

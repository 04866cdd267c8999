#include "core/style/choice_pill_arrangement.h"

#include <algorithm>

namespace vesk {

ChoicePillArrangement ChoicePillArrangement::arrange(double width, double spacing,
                                                     std::span<const ChoicePillChild> children,
                                                     PillRowAlignment alignment) {
  ChoicePillArrangement result;
  double x = 0, y = 0, rowHeight = 0;
  std::size_t rowStart = 0;
  // Moves each child of the finished row down onto the row's centre line.
  const auto closeRow = [&] {
    if (alignment != PillRowAlignment::centre) return;
    for (std::size_t i = rowStart; i < result.points.size(); ++i)
      result.points[i].y += (rowHeight - result.sizes[i].height) / 2;
  };
  for (const auto& child : children) {
    const double w = std::max(child.minimumWidth, std::min(width, child.naturalWidth));
    const Size size{w, child.heightForWidth ? child.heightForWidth(w) : 0};
    // The first child of a row never wraps; one ending exactly at the width stays.
    if (x > 0 && x + size.width > width) {
      closeRow();
      y += rowHeight + spacing;
      x = 0;
      rowHeight = 0;
      rowStart = result.points.size();
    }
    result.points.push_back({x, y});
    result.sizes.push_back(size);
    x += size.width + spacing;
    rowHeight = std::max(rowHeight, size.height);
  }
  closeRow();
  result.height = y + rowHeight;
  return result;
}

double ChoicePillArrangement::minimumWidth(std::span<const ChoicePillChild> children) {
  double widest = 0;
  for (const auto& child : children) widest = std::max(widest, child.minimumWidth);
  return widest;
}

}  // namespace vesk

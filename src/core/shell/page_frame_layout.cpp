#include "core/shell/page_frame_layout.h"

#include <algorithm>

namespace vesk {

PageFrameLayout::Column PageFrameLayout::column(double width) {
  const double columnWidth = std::clamp(width - 2 * sidePadding, 0.0, maximumWidth);
  // The padded column is centred; in a narrow frame it fills it.
  const double padded = columnWidth + 2 * sidePadding;
  return {std::max(0.0, (width - padded) / 2) + sidePadding, columnWidth};
}

}  // namespace vesk

#pragma once
#include "core/style/rgba.h"

namespace vesk {

// One stop of a linear gradient or mask: where it sits (0 to 1) and its colour. A mask
// uses only the alpha.
struct GradientStop {
  double location;
  Rgba colour;
  bool operator==(const GradientStop&) const = default;
};

}  // namespace vesk

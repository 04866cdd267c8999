#include "core/style/rgba.h"

#include <cmath>
#include <cstdio>

namespace vesk {

std::string cssNumber(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.6g", value);
  return text;
}

namespace {

std::string component(double unit) {
  const double scaled = unit * 255.0;
  const double whole = std::round(scaled);
  return cssNumber(std::fabs(scaled - whole) < 1e-9 ? whole : scaled);
}

}  // namespace

std::string Rgba::cssText() const {
  return "rgba(" + component(red) + "," + component(green) + "," + component(blue) + "," + cssNumber(alpha) + ")";
}

}  // namespace vesk

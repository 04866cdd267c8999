#include "core/style/rgba.h"

#include <cmath>
#include <cstdio>

namespace vesk {

namespace {

std::string number(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.6g", value);
  return text;
}

std::string component(double unit) {
  const double scaled = unit * 255.0;
  const double whole = std::round(scaled);
  return number(std::fabs(scaled - whole) < 1e-9 ? whole : scaled);
}

}  // namespace

std::string Rgba::cssText() const {
  return "rgba(" + component(red) + "," + component(green) + "," + component(blue) + "," + number(alpha) + ")";
}

}  // namespace vesk

#include "core/style/css_rule.h"

#include <cmath>
#include <cstdio>

namespace vesk {

CssRule& CssRule::set(std::string_view property, std::string value) {
  declarations_.emplace_back(std::string(property), std::move(value));
  return *this;
}

CssRule& CssRule::font(const Typeface& typeface, double size, FontWeight weight) {
  const std::string axis = cssNumber(typeface.axisWeight(weight));
  return set("font-family", "\"" + std::string(typeface.family) + "\"")
      .set("font-size", cssPx(size))
      .set("font-style", "normal")
      .set("font-weight", axis)
      .set("font-variation-settings", "\"wght\" " + axis);
}

std::string CssRule::text() const {
  std::string css = selector_ + " {\n";
  for (const auto& [property, value] : declarations_) css += "  " + property + ": " + value + ";\n";
  return css + "}\n";
}

std::string cssPx(double value) { return cssNumber(value) + "px"; }

std::string cssMs(double seconds) { return cssNumber(std::round(seconds * 1000)) + "ms"; }

}  // namespace vesk

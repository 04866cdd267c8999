#pragma once
// A small writer of GTK CSS rules for the generated stylesheet.
#include "core/style/rgba.h"
#include "core/style/typeface.h"

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vesk {

class CssRule {
 public:
  explicit CssRule(std::string selector) : selector_(std::move(selector)) {}

  CssRule& set(std::string_view property, std::string value);
  CssRule& set(std::string_view property, const Rgba& colour) { return set(property, colour.cssText()); }
  // font-family, size, weight (and the weight axis of the variable face), upright.
  CssRule& font(const Typeface& typeface, double size, FontWeight weight);

  std::string text() const;

 private:
  std::string selector_;
  std::vector<std::pair<std::string, std::string>> declarations_;
};

// "12px", "0.8px": lengths keep their fraction.
std::string cssPx(double value);
// "100ms"
std::string cssMs(double seconds);

}  // namespace vesk

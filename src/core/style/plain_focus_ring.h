#pragma once
// The visual system's keyboard-focus ring for the controls that have no capsule recipe of
// their own (plain text and glyph buttons, links, text areas): a gold line 2 wide that lies
// a little outside the control's box, so it never crosses the words or glyph it surrounds.
#include "core/style/css_rule.h"

#include <string>

namespace vesk {

struct PlainFocusRing {
  static constexpr double width = 2;
  // Between the control's box and the inside of the line.
  static constexpr double gap = 2;
  static constexpr double radius = 4;

  // `selector` (already narrowed to the focused state) drawn with the ring.
  static CssRule outside(const std::string& selector, double gapOutside = gap, double cornerRadius = radius);
  // The ring as a box shadow inside the box (a frame whose edge the content does not reach).
  static std::string inset();
};

}  // namespace vesk

#pragma once
// Points, sizes and rectangles of the style rules, in px with y growing downward.

namespace vesk {

struct Point {
  double x = 0;
  double y = 0;
  constexpr bool operator==(const Point&) const = default;
};

struct Size {
  double width = 0;
  double height = 0;
  constexpr bool operator==(const Size&) const = default;
};

struct Rect {
  double x = 0;
  double y = 0;
  double width = 0;
  double height = 0;
  constexpr bool operator==(const Rect&) const = default;
};

}  // namespace vesk

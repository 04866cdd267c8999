#pragma once
// Values handed down the widget tree (header inset, inside a popup) and up it (the
// header's measured height), with their defaults.
#include <algorithm>
#include <initializer_list>

namespace vesk {

// How far content pads below the window header.
struct VeskHeaderInsetKey {
  using Value = double;
  static constexpr Value defaultValue = 112;
};

// Whether a widget sits in a sheet or popup (controls draw their popup variant).
struct VeskPopupKey {
  using Value = bool;
  static constexpr Value defaultValue = false;
};

// The header's measured height, reported upwards; the larger report wins.
struct VeskChromeHeightKey {
  using Value = double;
  static constexpr Value defaultValue = 78;
  static void reduce(Value& value, Value next) { value = std::max(value, next); }

  template <class Range>
  static Value combine(const Range& reports) {
    Value value = defaultValue;
    for (const Value report : reports) reduce(value, report);
    return value;
  }
  static Value combine(std::initializer_list<Value> reports) {
    Value value = defaultValue;
    for (const Value report : reports) reduce(value, report);
    return value;
  }
};

}  // namespace vesk

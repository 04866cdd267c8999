#pragma once
// The frame of the page screens (the composer, discovery, review and progress): a column
// of at most 790 with 40 at either side, centred in wide windows, starting a fixed gap
// below the header inset (see RootMetrics::pageTopForInset) and ending 40 above the
// bottom, under a 32-high bottom veil.
namespace vesk {

struct PageFrameLayout {
  static constexpr double spacing = 24;  // between the column's items
  static constexpr double maximumWidth = 790;
  static constexpr double sidePadding = 40;
  static constexpr double bottomPadding = 40;
  static constexpr double bottomVeilHeight = 32;
  static constexpr double bottomVeilOpaqueFraction = 0.42;

  struct Column {
    double x = 0;
    double width = 0;
    bool operator==(const Column&) const = default;
  };
  // Where the column lies across a frame `width` wide.
  static Column column(double width);
};

}  // namespace vesk

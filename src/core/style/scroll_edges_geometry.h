#pragma once
// Soft edges of scrolling content: the margins that keep the first and last rows clear
// of the faded bands, whether content lies hidden beyond each edge, and the fade mask.
#include "core/style/gradient_stop.h"

#include <array>

namespace vesk {

struct ScrollEdgesGeometry {
  ScrollEdgesGeometry() = delete;

  // Whether content lies hidden above / below the visible area.
  struct Edges {
    bool top = false;
    bool bottom = false;
    bool operator==(const Edges&) const = default;
  };

  // Added above and below the scrolled content.
  static constexpr double contentMargin = 20;
  // Each faded band is this tall, at most `maximumFadeFraction` of the visible height.
  static constexpr double fadeLength = 20;
  static constexpr double maximumFadeFraction = 0.12;

  // The flags for a vertical offset, the visible height and the content height; the
  // insets are those of the scroll view outside the content (zero when the margins are
  // part of the content). A point or less of slack counts as none.
  static Edges edges(double offset, double topInset, double visibleHeight, double contentHeight, double bottomInset);

  // The fraction of the visible height each band covers.
  static double fadeFraction(double visibleHeight);

  // Alpha from top to bottom: an edge is faded only while content lies beyond it.
  static std::array<GradientStop, 4> mask(Edges edges, double visibleHeight);
};

}  // namespace vesk

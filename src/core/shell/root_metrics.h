#pragma once
// The distances the root view derives from the measured height of its header band:
// how far screens pad below the header, where a page's content starts, and how tall the
// top veil is and how far down it hides what scrolls beneath. The band sits 34 below the
// window's top edge, which its measured height does not include.
#include "core/style/vesk_environment_keys.h"

namespace vesk {

struct RootMetrics {
  // Before the band is first measured.
  static constexpr double initialChromeHeight = VeskChromeHeightKey::defaultValue;
  static constexpr double headerTopMargin = 34;
  // Below the header row, inside the band; the error banner, when it shows, follows it.
  static constexpr double headerRowBottomPadding = 12;
  // A page starts this far below the header inset, never above minimumPageTop.
  static constexpr double pageGap = 20;
  static constexpr double minimumPageTop = 132;
  // The top veil reaches this far below the header inset, and at least minimumVeilHeight.
  static constexpr double veilOverhang = 36;
  static constexpr double minimumVeilHeight = 148;

  double chromeHeight = initialChromeHeight;
  double headerInset = 0;
  double pageTop = 0;
  double veilHeight = 0;
  // The veil hides what lies under it completely down to the bottom of the header row, or
  // of the error banner while it shows, and fades out below that.
  double veilOpaqueLength = 0;

  static RootMetrics forChromeHeight(double chromeHeight, bool banner = false);
  // The page top for a screen that knows only the header inset handed down to it.
  static double pageTopForInset(double headerInset);

  bool operator==(const RootMetrics&) const = default;
};

}  // namespace vesk

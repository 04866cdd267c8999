#include "core/shell/root_metrics.h"

#include <algorithm>

namespace vesk {

RootMetrics RootMetrics::forChromeHeight(double chromeHeight, bool banner) {
  RootMetrics metrics;
  metrics.chromeHeight = chromeHeight;
  metrics.headerInset = chromeHeight + headerTopMargin;
  metrics.pageTop = pageTopForInset(metrics.headerInset);
  metrics.veilHeight = std::max(metrics.headerInset + veilOverhang, minimumVeilHeight);
  // The band ends with the banner when it shows, else with the row's padding.
  const double bandContent = metrics.headerInset - (banner ? 0 : headerRowBottomPadding);
  metrics.veilOpaqueLength = std::clamp(bandContent, 0.0, metrics.veilHeight);
  return metrics;
}

double RootMetrics::pageTopForInset(double headerInset) { return std::max(headerInset + pageGap, minimumPageTop); }

}  // namespace vesk

#include "core/shell/root_metrics.h"

#include <algorithm>

namespace vesk {

RootMetrics RootMetrics::forChromeHeight(double chromeHeight) {
  RootMetrics metrics;
  metrics.chromeHeight = chromeHeight;
  metrics.headerInset = chromeHeight + headerTopMargin;
  metrics.pageTop = pageTopForInset(metrics.headerInset);
  metrics.veilHeight = std::max(metrics.headerInset + veilOverhang, minimumVeilHeight);
  return metrics;
}

double RootMetrics::pageTopForInset(double headerInset) { return std::max(headerInset + pageGap, minimumPageTop); }

}  // namespace vesk

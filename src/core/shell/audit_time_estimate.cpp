#include "core/shell/audit_time_estimate.h"

#include <algorithm>
#include <cmath>

namespace vesk {

namespace {

constexpr double modelledSeconds = 660;
constexpr double leastRemaining = 180;
constexpr double leastRemainingWhileWriting = 45;
constexpr double writingPhaseSeconds = 180;
constexpr double overdueAfter = 792;  // 1.2 times the modelled length
constexpr int mostWhileRunning = 98;
// Keeps the arithmetic finite for an infinite input; far beyond any real audit.
constexpr double longestCounted = 1e9;

double counted(double seconds) {
  if (!(seconds >= 0)) return 0;  // negative or NaN
  return std::min(seconds, longestCounted);
}

}  // namespace

AuditTimeEstimate AuditTimeEstimate::make(double elapsed, double phaseElapsed, const std::string& phase) {
  const double e = counted(elapsed);
  const double p = counted(phaseElapsed);
  const double remaining = phase == "writing"
                               ? std::max({modelledSeconds - e, writingPhaseSeconds - p, leastRemainingWhileWriting})
                               : std::max(modelledSeconds - e, leastRemaining);

  AuditTimeEstimate estimate;
  if (phase == "done") {
    estimate.percent = 100;
  } else {
    // std::round takes an exact half away from zero.
    const double share = std::round(e / (e + remaining) * 100);
    estimate.percent = std::min(static_cast<int>(share), mostWhileRunning);
  }

  const long lo = std::max(static_cast<long>(std::floor(remaining * 0.8 / 60)), 1L);
  const long hi = std::max(lo + 1, static_cast<long>(std::ceil(remaining * 1.2 / 60)));
  if (e > overdueAfter) {
    estimate.label = "Taking longer than estimated. Your audit is still in progress.";
  } else if (remaining < 60) {
    estimate.label = "About a minute remaining";
  } else {
    estimate.label = "About " + std::to_string(lo) + "\u2013" + std::to_string(hi) + " min remaining";
  }
  return estimate;
}

}  // namespace vesk

// The time estimate of a running full audit: the rows of its table, the clamps and the
// strict overdue threshold.
#include "core/shell/audit_time_estimate.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using vesk::AuditTimeEstimate;

TEST(AuditTimeEstimate, MatchesTheTable) {
  struct Row {
    double elapsed, phaseElapsed;
    const char* phase;
    int percent;
    const char* label;
  };
  const char* overdue = "Taking longer than estimated. Your audit is still in progress.";
  const Row rows[] = {
      {0, 0, "seating", 0, "About 8\u201314 min remaining"},
      {82.5, 0, "seating", 13, "About 7\u201312 min remaining"},  // exactly 12.5 rounds away from zero
      {330, 10, "reading", 50, "About 4\u20137 min remaining"},
      {330, 10, "seating", 50, "About 4\u20137 min remaining"},
      {600, 0, "seating", 77, "About 2\u20134 min remaining"},
      {480, 130, "writing", 73, "About 2\u20134 min remaining"},
      {700, 100, "writing", 90, "About 1\u20132 min remaining"},
      {700, 150, "writing", 94, "About a minute remaining"},
      {792, 0, "seating", 81, "About 2\u20134 min remaining"},  // the threshold is strict
      {792.5, 0, "seating", 81, overdue},
      {100000, 0, "seating", 98, overdue},
      {100, 0, "done", 100, "About 7\u201312 min remaining"},
      {-5, -3, "seating", 0, "About 8\u201314 min remaining"},
  };
  for (const auto& row : rows) {
    const auto estimate = AuditTimeEstimate::make(row.elapsed, row.phaseElapsed, row.phase);
    EXPECT_EQ(estimate.percent, row.percent) << row.elapsed << " s in " << row.phase;
    EXPECT_EQ(estimate.label, row.label) << row.elapsed << " s in " << row.phase;
  }
}

TEST(AuditTimeEstimate, UndefinedAndEndlessInputsAndPhaseNamesAreExact) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const auto fromNothing = AuditTimeEstimate::make(nan, nan, "seating");
  EXPECT_EQ(fromNothing, AuditTimeEstimate::make(0, 0, "seating"));
  EXPECT_EQ(AuditTimeEstimate::make(nan, nan, "writing"), AuditTimeEstimate::make(0, 0, "writing"));

  const auto endless = AuditTimeEstimate::make(std::numeric_limits<double>::infinity(), 0, "seating");
  EXPECT_EQ(endless.percent, 98);
  EXPECT_EQ(endless.label, "Taking longer than estimated. Your audit is still in progress.");

  // Outside "writing" at least three minutes remain, so the minute sentence never shows.
  EXPECT_EQ(AuditTimeEstimate::make(700, 150, "Writing").label, "About 2\u20134 min remaining");
  EXPECT_EQ(AuditTimeEstimate::make(700, 150, "Writing").percent, 80);
  EXPECT_EQ(AuditTimeEstimate::make(100, 0, "Done").percent, 15);
}

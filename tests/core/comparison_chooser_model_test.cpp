#include "core/report/comparison_chooser_model.h"

#include <gtest/gtest.h>

using vesk::chooserDate;
using vesk::comparisonChooserLook;
using vesk::ReportBaseline;

TEST(ComparisonChooserLook, RowsShowOnlyOnceLoadedWithoutAnError) {
  const std::vector<ReportBaseline> baselines{
      {"a", "2024-03-01T09:30:00Z", "Pricing page"}, {"b", "2024-02", ""}, {"c", "2024-01-15T08:00:00Z", "Onboarding"}};
  auto look = comparisonChooserLook(baselines, std::nullopt, false);
  ASSERT_EQ(look.rows.size(), 3u);
  EXPECT_EQ(look.rows[0].subject, "Pricing page");
  EXPECT_EQ(look.rows[0].date, "2024-03-01");
  EXPECT_EQ(look.rows[1].subject, "Full audit") << "an empty subject";
  EXPECT_EQ(look.rows[1].date, "2024-02") << "a date shorter than ten characters shows whole";
  EXPECT_EQ(look.rows[2].baseline.id, "c") << "the service's order";
  EXPECT_FALSE(look.loading);
  EXPECT_FALSE(look.empty);

  // Loading, or failed: no rows, even with old baselines still held.
  look = comparisonChooserLook(baselines, std::nullopt, true);
  EXPECT_TRUE(look.loading);
  EXPECT_TRUE(look.rows.empty());
  EXPECT_FALSE(look.empty);
  look = comparisonChooserLook(baselines, std::string("Vesk could not load earlier audits."), false);
  EXPECT_EQ(look.error, "Vesk could not load earlier audits.");
  EXPECT_TRUE(look.rows.empty());
  EXPECT_FALSE(look.empty);

  // Loaded and empty.
  look = comparisonChooserLook({}, std::nullopt, false);
  EXPECT_TRUE(look.empty);
}

TEST(ComparisonChooserLook, TheDateIsCutByCharactersNeverInsideOne) {
  EXPECT_EQ(chooserDate("2024-03-01T09:30:00Z"), "2024-03-01");
  EXPECT_EQ(chooserDate(""), "");
  EXPECT_EQ(chooserDate("2024-03-0é1"), "2024-03-0é") << "a two-byte character is kept whole";
}

#include "core/style/scroll_edges_geometry.h"
#include "core/style/scroll_veil_geometry.h"
#include "core/style/vesk_environment_keys.h"
#include "core/style/vesk_web_tokens.h"

#include <gtest/gtest.h>

#include <vector>

using vesk::GradientStop;
using vesk::Rgba;
using vesk::ScrollEdgesGeometry;
using vesk::ScrollVeilGeometry;
using Edges = vesk::ScrollEdgesGeometry::Edges;

TEST(ScrollVeilGeometry, EndsFadeOverThirtyTwoPixelsOrHalfTheWidth) {
  // 150 wide: 32 px at either end, an opaque middle.
  auto mask = ScrollVeilGeometry::widthMask(150);
  EXPECT_DOUBLE_EQ(mask[1].location * 150, 32);
  EXPECT_DOUBLE_EQ((1 - mask[2].location) * 150, 32);
  EXPECT_EQ(mask[0].colour.alpha, 0);
  EXPECT_EQ(mask[1].colour.alpha, 1);
  EXPECT_EQ(mask[3].colour.alpha, 0);
  // 40 wide: 20 px at either end and no opaque middle.
  mask = ScrollVeilGeometry::widthMask(40);
  EXPECT_DOUBLE_EQ(mask[1].location * 40, 20);
  EXPECT_DOUBLE_EQ(mask[1].location, mask[2].location);
  EXPECT_EQ(ScrollVeilGeometry::sideFadeFraction(0.5), 0.5);
  EXPECT_EQ(ScrollVeilGeometry::sideFadeFraction(64), 0.5);
  EXPECT_DOUBLE_EQ(ScrollVeilGeometry::sideFadeFraction(640), 0.05);
}

TEST(ScrollVeilGeometry, TintAndLengthMask) {
  const Rgba warm = vesk::VeskWebTokens::scrollVeilWarm;
  // Warm throughout, strongest at the anchored edge, clear at the far one unless
  // transparency is reduced.
  const auto tint = ScrollVeilGeometry::tint(false);
  for (const auto& stop : tint) EXPECT_EQ(stop.colour, warm.faded(stop.colour.alpha));
  for (std::size_t i = 1; i < tint.size(); ++i) EXPECT_LT(tint[i].colour.alpha, tint[i - 1].colour.alpha);
  EXPECT_EQ(tint.back(), (GradientStop{1, warm.faded(0)}));
  EXPECT_EQ(ScrollVeilGeometry::tint(true).back(), (GradientStop{1, warm}));

  const auto length = ScrollVeilGeometry::lengthMask(0.4);
  EXPECT_EQ(length[0].colour.alpha, 1);
  EXPECT_EQ(length[1].location, 0.4);
  EXPECT_EQ(length[1].colour.alpha, 1);
  EXPECT_EQ(length[2].location, 1);
  EXPECT_EQ(length[2].colour.alpha, 0);
}

TEST(ScrollVeilGeometry, ACanvasVeilCoversFullyThenFadesToItsFarEdge) {
  EXPECT_EQ(ScrollVeilGeometry::canvasCover(0, 100, 148), 1);
  EXPECT_EQ(ScrollVeilGeometry::canvasCover(100, 100, 148), 1);
  EXPECT_DOUBLE_EQ(ScrollVeilGeometry::canvasCover(124, 100, 148), 0.5);
  EXPECT_EQ(ScrollVeilGeometry::canvasCover(148, 100, 148), 0);
  EXPECT_EQ(ScrollVeilGeometry::canvasCover(300, 100, 148), 0);
  // Opaque throughout: no fade, and no division by its empty length.
  EXPECT_EQ(ScrollVeilGeometry::canvasCover(147.5, 148, 148), 1);
  EXPECT_EQ(ScrollVeilGeometry::canvasCover(148, 148, 148), 1);
}

TEST(ScrollEdgesGeometry, EdgesFadeOnlyWhereContentIsHidden) {
  struct Row {
    double offset, visible, content;
    Edges expected;
  };
  const std::vector<Row> rows{
      {0, 400, 300, {false, false}},                                       // shorter than the view: never fades
      {1, 400, 1000, {false, true}},                                       // a point from the top is still the top
      {1.5, 400, 1000, {true, true}},    {600, 400, 1000, {true, false}},  // resting at the end
      {599.5, 400, 1000, {true, false}},                                   // within a point of the end
      {598, 400, 1000, {true, true}},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(ScrollEdgesGeometry::edges(row.offset, 0, row.visible, row.content, 0), row.expected)
        << row.offset << " " << row.content;
  }
  // Insets outside the content count towards the slack.
  EXPECT_EQ(ScrollEdgesGeometry::edges(-20, 20, 400, 1000, 20), (Edges{false, true}));
}

TEST(ScrollEdgesGeometry, FadeBandIsTwentyPixelsAtMostTwelvePercent) {
  EXPECT_DOUBLE_EQ(ScrollEdgesGeometry::fadeFraction(100) * 100, 12);
  EXPECT_DOUBLE_EQ(ScrollEdgesGeometry::fadeFraction(400) * 400, 20);
  EXPECT_EQ(ScrollEdgesGeometry::fadeFraction(0.5), 0.12);

  const auto both = ScrollEdgesGeometry::mask({true, true}, 400);
  EXPECT_EQ(both[0].colour.alpha, 0);
  EXPECT_DOUBLE_EQ(both[1].location, 0.05);
  EXPECT_DOUBLE_EQ(both[2].location, 0.95);
  EXPECT_EQ(both[3].colour.alpha, 0);
  const auto none = ScrollEdgesGeometry::mask({false, false}, 400);
  EXPECT_EQ(none[0].colour.alpha, 1);
  EXPECT_EQ(none[3].colour.alpha, 1);
}

TEST(EnvironmentKeys, DefaultsAndTheLargerChromeHeightWins) {
  EXPECT_EQ(vesk::VeskHeaderInsetKey::defaultValue, 112);
  EXPECT_FALSE(vesk::VeskPopupKey::defaultValue);
  using Chrome = vesk::VeskChromeHeightKey;
  EXPECT_EQ(Chrome::combine({}), 78);
  EXPECT_EQ(Chrome::combine({60, 90}), 90);
  EXPECT_EQ(Chrome::combine({90, 60}), 90);
  EXPECT_EQ(Chrome::combine({60}), 78);
}

#include "core/style/shared_control_recipe.h"
#include "core/style/hover_tracker.h"
#include "core/style/symbol_icons.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <string_view>

using vesk::Bloom;
using vesk::CheckboxRecipe;
using vesk::HoverTracker;
using vesk::WorkspaceCanvasRecipe;
using T = vesk::VeskWebTokens;

TEST(HoverTracker, OnlyAnEnterWhileEnabledHovers) {
  HoverTracker hover;
  EXPECT_FALSE(hover.pointerEntered(false));
  EXPECT_FALSE(hover.hovered());
  EXPECT_TRUE(hover.pointerEntered(true));
  EXPECT_TRUE(hover.hovered());
  // Disabled under the pointer: the hover ends, and enabling again does not restore it.
  EXPECT_TRUE(hover.enabledChanged(false));
  EXPECT_FALSE(hover.enabledChanged(true));
  EXPECT_FALSE(hover.hovered());
  EXPECT_TRUE(hover.pointerEntered(true));
  EXPECT_TRUE(hover.pointerLeft());
  EXPECT_FALSE(hover.hovered());
}

TEST(WorkspaceCanvasRecipe, BloomsFollowTheCanvasProportions) {
  // Where they lie is checked in pixels; here, that they scale with the canvas, in order.
  const auto blooms = WorkspaceCanvasRecipe::blooms(1000, 800);
  const auto larger = WorkspaceCanvasRecipe::blooms(2000, 1600);
  const vesk::Rgba colours[] = {T::bloom1, T::bloom2, T::bloom3};
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(blooms[i].colour, colours[i]);
    const auto& [x, y, width, height] = blooms[i].frame;
    EXPECT_EQ(larger[i].frame, (vesk::Rect{2 * x, 2 * y, 2 * width, 2 * height})) << i;
  }
}

TEST(CheckboxRecipe, TheBoxSitsOnTheLabelsFirstBaseline) {
  // A label whose baseline lies 15 px down: box and label both start at the top.
  EXPECT_EQ(CheckboxRecipe::place(20, 15), (CheckboxRecipe::RowPlacement{0, 0, 20}));
  // A taller first line pushes the box down so its bottom is 3 px below the baseline.
  EXPECT_EQ(CheckboxRecipe::place(48, 19), (CheckboxRecipe::RowPlacement{4, 0, 48}));
  // A small label moves down to the box's baseline.
  EXPECT_EQ(CheckboxRecipe::place(12, 10), (CheckboxRecipe::RowPlacement{0, 5, 18}));
  // Without a baseline the label's bottom serves.
  EXPECT_EQ(CheckboxRecipe::place(10, std::nullopt), (CheckboxRecipe::RowPlacement{0, 5, 18}));
}

TEST(SymbolIcons, EachSymbolHasOneStandInAndIsFoundByName) {
  std::set<std::string_view> names;
  for (const auto& symbol : vesk::SymbolIcons::all()) {
    EXPECT_TRUE(names.insert(symbol.symbol).second) << symbol.symbol << " twice";
    EXPECT_NE(symbol.iconName.empty(), !symbol.glyph.has_value()) << symbol.symbol;
    const auto found = vesk::SymbolIcons::find(symbol.symbol);
    ASSERT_TRUE(found) << symbol.symbol;
    EXPECT_EQ(found->iconName, symbol.iconName);
  }
  EXPECT_EQ(vesk::SymbolIcons::find("sparkle")->glyph, vesk::VeskGlyphKind::audit);
  EXPECT_FALSE(vesk::SymbolIcons::find("no.such.symbol"));
}

TEST(WorkspaceCanvasRecipe, ABlurredBloomFadesAsTheGaussianSays) {
  // The centre of a blurred disc keeps 1 - exp(-R^2 / 2s^2) of its strength.
  for (const double radius : {60.0, 120.0, 300.0})
    EXPECT_NEAR(WorkspaceCanvasRecipe::blurredDisc(0, radius, 120), 1 - std::exp(-radius * radius / (2 * 120.0 * 120)),
                1e-6);
  // A disc much larger than the blur is half as strong at its rim and gone 4 s beyond.
  EXPECT_NEAR(WorkspaceCanvasRecipe::blurredDisc(5000, 5000, 120), 0.5, 0.01);
  EXPECT_LT(WorkspaceCanvasRecipe::blurredDisc(300 + 4 * 120, 300, 120), 0.002);
  EXPECT_EQ(WorkspaceCanvasRecipe::blurredDisc(10, 20, 0), 1);

  const Bloom bloom{T::bloom1, {100, 50, 400, 200}};
  const auto blurred = WorkspaceCanvasRecipe::blurred(bloom, 120);
  ASSERT_TRUE(blurred);
  EXPECT_EQ(blurred->centre.x, 300);
  EXPECT_EQ(blurred->centre.y, 150);
  EXPECT_NEAR(blurred->horizontalRadius / blurred->verticalRadius, 2, 1e-9);  // the ellipse's shape
  ASSERT_GE(blurred->stops.size(), 2u);
  EXPECT_NEAR(blurred->stops.front().colour.alpha,
              T::bloom1.alpha * WorkspaceCanvasRecipe::blurredDisc(0, std::sqrt(200.0 * 100), 120), 1e-9);
  EXPECT_LT(blurred->stops.back().colour.alpha, 0.001);
  for (std::size_t i = 1; i < blurred->stops.size(); ++i)
    EXPECT_LE(blurred->stops[i].colour.alpha, blurred->stops[i - 1].colour.alpha + 1e-12);
  EXPECT_FALSE(WorkspaceCanvasRecipe::blurred({T::bloom1, {0, 0, 0, 300}}, 120));
}

#include "core/style/shared_control_recipe.h"
#include "core/style/hover_tracker.h"
#include "core/style/symbol_icons.h"

#include <gtest/gtest.h>

#include <cmath>

using vesk::Bloom;
using vesk::CheckboxRecipe;
using vesk::HoverTracker;
using vesk::Rect;
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
  const auto blooms = WorkspaceCanvasRecipe::blooms(1000, 800);
  EXPECT_EQ(blooms[0].colour, T::bloom1);
  EXPECT_EQ(blooms[1].colour, T::bloom2);
  EXPECT_EQ(blooms[2].colour, T::bloom3);
  const Rect expected[] = {
      {870 - 230, 72 - 184, 460, 368}, {100 - 220, 768 - 176, 440, 352}, {550 - 270, 424 - 216, 540, 432}};
  for (int i = 0; i < 3; ++i) {
    EXPECT_NEAR(blooms[i].frame.x, expected[i].x, 1e-9) << i;
    EXPECT_NEAR(blooms[i].frame.y, expected[i].y, 1e-9) << i;
    EXPECT_NEAR(blooms[i].frame.width, expected[i].width, 1e-9) << i;
    EXPECT_NEAR(blooms[i].frame.height, expected[i].height, 1e-9) << i;
  }
  // Twice the canvas: every size and position doubles.
  const auto larger = WorkspaceCanvasRecipe::blooms(2000, 1600);
  for (int i = 0; i < 3; ++i) {
    EXPECT_NEAR(larger[i].frame.x, 2 * blooms[i].frame.x, 1e-9);
    EXPECT_NEAR(larger[i].frame.height, 2 * blooms[i].frame.height, 1e-9);
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

TEST(SymbolIcons, EverySymbolTheScreensNameHasOneStandIn) {
  for (const auto* name :
       {"arrow.right", "sparkle", "chevron.left", "chevron.down", "checkmark", "checkmark.circle.fill",
        "circle.inset.filled", "circle", "doc", "link", "paperclip", "slider.vertical.3", "power", "trash"}) {
    const auto icon = vesk::SymbolIcons::find(name);
    ASSERT_TRUE(icon) << name;
    EXPECT_NE(icon->iconName.empty(), !icon->glyph.has_value()) << name;
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

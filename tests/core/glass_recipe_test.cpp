#include "core/style/glass_recipe.h"
#include "core/style/vesk_web_tokens.h"

#include <gtest/gtest.h>

#include <algorithm>

using vesk::GlassRecipe;
using vesk::Rgba;
using Role = vesk::VeskGlassRole;
using T = vesk::VeskWebTokens;

namespace {
// From the flattest to the most raised.
constexpr Role byElevation[] = {Role::toolbar, Role::sidebar, Role::composer, Role::panel};
}  // namespace

TEST(GlassRecipe, ShadowsFallFaintlyDownwardAndDeepenWithElevation) {
  double previous = 0;
  for (const auto role : byElevation) {
    double deepest = 0;
    for (const auto& layer : GlassRecipe::shadows(role)) {
      EXPECT_EQ(layer.offsetX, 0);
      EXPECT_GT(layer.offsetY, 0);
      EXPECT_LE(layer.colour.alpha, 0.12);
      deepest = std::max(deepest, layer.blurRadius);
    }
    EXPECT_GT(deepest, previous) << static_cast<int>(role);
    previous = deepest;
  }
}

TEST(GlassRecipe, FillsRimsAndBackingFollowTheAccessibilitySettings) {
  for (const auto role : byElevation) {
    const Rgba fill = GlassRecipe::fill(role, false);
    EXPECT_EQ(fill, T::ivory.faded(fill.alpha)) << "a translucent ivory wash";
    EXPECT_LT(fill.alpha, 1);
    EXPECT_EQ(GlassRecipe::fill(role, true), T::ivory);
    EXPECT_FALSE(GlassRecipe::hasMaterialBacking(role, true));
    // Increase Contrast: a stronger ink rim.
    const Rgba rim = GlassRecipe::rim(role, false), strong = GlassRecipe::rim(role, true);
    EXPECT_EQ(rim, T::ink.faded(rim.alpha));
    EXPECT_EQ(strong, T::ink.faded(strong.alpha));
    EXPECT_GT(strong.alpha, rim.alpha);
  }
  EXPECT_GT(GlassRecipe::rimWidth(true), GlassRecipe::rimWidth(false));
  // What floats over content has the frosted backing; the sidebar and composer lie on the canvas.
  EXPECT_TRUE(GlassRecipe::hasMaterialBacking(Role::panel, false));
  EXPECT_TRUE(GlassRecipe::hasMaterialBacking(Role::toolbar, false));
  EXPECT_FALSE(GlassRecipe::hasMaterialBacking(Role::sidebar, false));
  EXPECT_FALSE(GlassRecipe::hasMaterialBacking(Role::composer, false));
}

TEST(GlassRecipe, LightFromAboveAndLinesWhereTheSurfaceHasNeighbours) {
  EXPECT_FALSE(GlassRecipe::directionalLight(Role::toolbar)) << "a plain wash instead";
  for (const auto role : {Role::sidebar, Role::composer, Role::panel}) {
    ASSERT_TRUE(GlassRecipe::directionalLight(role));
    EXPECT_GE(GlassRecipe::directionalLight(role)->sheenCentreX, 0.5) << "centred or towards the trailing side";
    EXPECT_TRUE(GlassRecipe::lines(role).bottomAmbient);
    EXPECT_GT(GlassRecipe::lines(role).topWhiteOpacity, GlassRecipe::lines(role).trailingWhiteOpacity);
  }
  EXPECT_FALSE(GlassRecipe::lines(Role::sidebar).leadingAmbient) << "it lies against the window's edge";
  EXPECT_TRUE(GlassRecipe::lines(Role::composer).leadingAmbient);
  EXPECT_FALSE(GlassRecipe::lines(Role::toolbar).bottomAmbient);
  EXPECT_FALSE(GlassRecipe::lines(Role::toolbar).leadingAmbient);
}

TEST(GlassRecipe, CornerRadiusBecomesACapsuleBeyondHalfTheShorterSide) {
  EXPECT_EQ(GlassRecipe::cornerRadius(1000, 240, 44), 22);
  EXPECT_EQ(GlassRecipe::cornerRadius(1000, 30, 200), 15);
  EXPECT_EQ(GlassRecipe::cornerRadius(26, 400, 300), 26);
  EXPECT_EQ(GlassRecipe::cornerRadius(26, 0, 0), 0);
}

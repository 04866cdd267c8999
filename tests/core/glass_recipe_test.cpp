#include "core/style/glass_recipe.h"
#include "core/style/vesk_web_tokens.h"

#include <gtest/gtest.h>

#include <vector>

using vesk::GlassRecipe;
using vesk::Rgba;
using vesk::ShadowLayer;
using vesk::VeskGlassRole;
using T = vesk::VeskWebTokens;

namespace {
const std::vector<VeskGlassRole> allRoles{VeskGlassRole::sidebar, VeskGlassRole::composer, VeskGlassRole::panel,
                                          VeskGlassRole::toolbar};
std::vector<ShadowLayer> shadowsOf(VeskGlassRole role) {
  const auto layers = GlassRecipe::shadows(role);
  return {layers.begin(), layers.end()};
}
}  // namespace

TEST(GlassRecipe, ShadowsFillsAndBackingPerRole) {
  EXPECT_EQ(shadowsOf(VeskGlassRole::sidebar), (std::vector<ShadowLayer>{{T::shadowColor.faded(0.10), 14, 0, 8}}));
  EXPECT_EQ(shadowsOf(VeskGlassRole::composer),
            (std::vector<ShadowLayer>{{T::ink.faded(0.08), 16, 0, 8}, {T::ink.faded(0.05), 4, 0, 2}}));
  EXPECT_EQ(shadowsOf(VeskGlassRole::panel), (std::vector<ShadowLayer>{{T::shadowColor.faded(0.12), 20, 0, 16}}));
  EXPECT_EQ(shadowsOf(VeskGlassRole::toolbar), (std::vector<ShadowLayer>{{T::shadowColor.faded(0.05), 1.5, 0, 1}}));

  EXPECT_EQ(GlassRecipe::fill(VeskGlassRole::sidebar, false), T::sidebarSurface);
  EXPECT_EQ(GlassRecipe::fill(VeskGlassRole::composer, false), T::composerSurface);
  EXPECT_EQ(GlassRecipe::fill(VeskGlassRole::panel, false), T::heroSurface);
  EXPECT_EQ(GlassRecipe::fill(VeskGlassRole::toolbar, false), T::controlBackground);
  for (const auto role : allRoles) {
    EXPECT_EQ(GlassRecipe::fill(role, true), T::ivory);
    EXPECT_FALSE(GlassRecipe::hasMaterialBacking(role, true));
  }
  EXPECT_FALSE(GlassRecipe::hasMaterialBacking(VeskGlassRole::sidebar, false));
  EXPECT_FALSE(GlassRecipe::hasMaterialBacking(VeskGlassRole::composer, false));
  EXPECT_TRUE(GlassRecipe::hasMaterialBacking(VeskGlassRole::panel, false));
  EXPECT_TRUE(GlassRecipe::hasMaterialBacking(VeskGlassRole::toolbar, false));
}

TEST(GlassRecipe, RimLightAndLines) {
  EXPECT_EQ(GlassRecipe::rim(VeskGlassRole::toolbar, false), T::controlEdge);
  EXPECT_EQ(GlassRecipe::rim(VeskGlassRole::panel, false), T::glassEdge);
  for (const auto role : allRoles) EXPECT_EQ(GlassRecipe::rim(role, true), T::ink.faded(0.18));
  EXPECT_EQ(GlassRecipe::rimWidth(false), 1.0);
  EXPECT_EQ(GlassRecipe::rimWidth(true), 1.5);

  EXPECT_FALSE(GlassRecipe::directionalLight(VeskGlassRole::toolbar));
  const auto panel = GlassRecipe::directionalLight(VeskGlassRole::panel);
  ASSERT_TRUE(panel);
  EXPECT_EQ(panel->refractionEnd, 0.45);
  EXPECT_EQ(panel->sheenCentreX, 0.82);
  EXPECT_EQ(panel->ambientMultiplier, 0.5);
  const auto sidebar = GlassRecipe::directionalLight(VeskGlassRole::sidebar);
  ASSERT_TRUE(sidebar);
  EXPECT_EQ(sidebar->sheenCentreX, 0.5);
  EXPECT_EQ(sidebar->shadeClearStop, 0.35);

  // Sidebar: bottom ambient line but no leading one; toolbar: neither.
  EXPECT_TRUE(GlassRecipe::lines(VeskGlassRole::sidebar).bottomAmbient);
  EXPECT_FALSE(GlassRecipe::lines(VeskGlassRole::sidebar).leadingAmbient);
  EXPECT_TRUE(GlassRecipe::lines(VeskGlassRole::composer).leadingAmbient);
  EXPECT_FALSE(GlassRecipe::lines(VeskGlassRole::toolbar).bottomAmbient);
  EXPECT_FALSE(GlassRecipe::lines(VeskGlassRole::toolbar).leadingAmbient);
  EXPECT_EQ(GlassRecipe::lines(VeskGlassRole::panel).topWhiteOpacity, 0.66);
  EXPECT_EQ(GlassRecipe::lines(VeskGlassRole::toolbar).trailingWhiteOpacity, 0.14);
}

TEST(GlassRecipe, CornerRadiusBecomesACapsuleBeyondHalfTheShorterSide) {
  EXPECT_EQ(GlassRecipe::cornerRadius(1000, 240, 44), 22);
  EXPECT_EQ(GlassRecipe::cornerRadius(1000, 30, 200), 15);
  EXPECT_EQ(GlassRecipe::cornerRadius(26, 400, 300), 26);
  EXPECT_EQ(GlassRecipe::cornerRadius(26, 0, 0), 0);
}

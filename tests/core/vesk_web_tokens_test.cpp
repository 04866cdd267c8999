#include "core/style/vesk_web_tokens.h"
#include "core/style/vesk_stylesheet.h"
#include "support/colour_contrast.h"

#include <gtest/gtest.h>

#include <cctype>
#include <iterator>
#include <set>
#include <string>
#include <string_view>

using vesk::Rgba;
using vesk::VeskStylesheet;
using vesk::testing::contrast;
using vesk::testing::relativeLuminance;
using T = vesk::VeskWebTokens;

TEST(VeskWebTokens, AFewAnchorsAndWhatDerivesFromThem) {
  EXPECT_EQ(T::ivory, Rgba::fromHex(0xF8F6F1));
  EXPECT_EQ(T::ink, Rgba::fromHex(0x1A1814));
  EXPECT_EQ(T::gold, Rgba::fromHex(0xC9A84C));
  EXPECT_EQ(T::red, Rgba::fromHex(0xE8503A));
  // Edges and highlights are faint ink; the glass and control surfaces are ivory washes.
  EXPECT_EQ(T::border, T::ivory3);
  EXPECT_EQ(T::glassRefract, T::gold.faded(0.14));
  EXPECT_EQ(T::sidebarFooter, T::ink.faded(0.05));
  for (const Rgba& edge : {T::glassEdge, T::controlEdge, T::accountMenuBorder, T::accountMenuHighlight}) {
    EXPECT_EQ(edge, T::ink.faded(edge.alpha));
    EXPECT_LE(edge.alpha, 0.2);
  }
  for (const Rgba& surface : {T::composerSurface, T::sidebarSurface, T::heroSurface, T::controlBackground}) {
    EXPECT_EQ(surface, T::ivory.faded(surface.alpha));
    EXPECT_LT(surface.alpha, 1);
  }
  EXPECT_EQ(T::inputBackground, Rgba::white(0.6)) << "an input field is white, not ivory";
}

TEST(VeskWebTokens, TextStaysLegibleOnItsGround) {
  // Three strengths of text on the canvas, each clearly readable, strongest first.
  const double ink = contrast(T::ink, T::ivory);
  const double secondary = contrast(T::secondaryInk, T::ivory);
  const double muted = contrast(T::muted, T::ivory);
  EXPECT_GT(ink, secondary);
  EXPECT_GT(secondary, muted);
  EXPECT_GE(muted, 7);
  // A field's prompt is weaker than any text yet still visible.
  const Rgba field = vesk::testing::over(T::inputBackground, T::ivory);
  EXPECT_LT(contrast(T::placeholder, field), contrast(T::muted, field));
  EXPECT_GE(contrast(T::placeholder, field), 2);
  EXPECT_GE(contrast(T::critical, T::criticalBackground), 7);
  // Button labels in ivory on the ink and red fills.
  EXPECT_GE(contrast(T::ivory, T::ink), 7);
  EXPECT_GE(contrast(T::ivory, T::red), 3);
}

TEST(VeskWebTokens, NamesAreDistinctIdentifiers) {
  std::set<std::string_view> names;
  for (const auto& token : T::colours()) {
    EXPECT_TRUE(names.insert(token.name).second) << token.name << " twice";
    EXPECT_TRUE(std::isalpha(static_cast<unsigned char>(token.name.at(0)))) << token.name;
    for (const char c : token.name) EXPECT_TRUE(std::isalnum(static_cast<unsigned char>(c))) << token.name;
  }
}

TEST(VeskWebTokens, TheSidebarActionDeepensOnHoverAndItsGoldRimShows) {
  const auto darker = [](const Rgba& a, const Rgba& b) { return relativeLuminance(a) <= relativeLuminance(b); };
  for (std::size_t i = 0; i < T::sidebarActionFill.size(); ++i)
    EXPECT_TRUE(darker(T::sidebarActionHoverFill.at(i), T::sidebarActionFill[i])) << i;
  for (std::size_t i = 0; i < T::sidebarActionBorder.size(); ++i) {
    EXPECT_TRUE(darker(T::sidebarActionHoverBorder.at(i), T::sidebarActionBorder[i])) << i;
    for (const auto& fill : T::sidebarActionFill) EXPECT_TRUE(darker(T::sidebarActionBorder[i], fill));
  }
}

TEST(VeskWebTokens, TipsInOrderWithTypographicPunctuation) {
  const char* titles[] = {"Audit a website", "Audit a private product", "Give useful context", "Choose the depth",
                          "Know the limits"};
  ASSERT_EQ(T::tips.size(), std::size(titles));
  for (std::size_t i = 0; i < T::tips.size(); ++i) {
    EXPECT_EQ(T::tips[i].title, titles[i]);
    EXPECT_EQ(T::tips[i].body.find_first_of("'\""), std::string_view::npos) << T::tips[i].body;
    EXPECT_EQ(T::tips[i].body.back(), '.');
  }
  EXPECT_EQ(T::tips[0].body, "Add related URLs\u2014home, product, pricing\u2014to give Vesk a fuller picture.");
  EXPECT_EQ(T::tips[2].body, "Say who it\u2019s for, what they should accomplish, and what feels off.");
}

TEST(Rgba, BrightnessAndCssText) {
  // Brightness adds to every component and stays within range; alpha is kept.
  const Rgba pressed = T::ink.brightened(-0.035);
  EXPECT_DOUBLE_EQ(pressed.red, 0x1A / 255.0 - 0.035);
  EXPECT_DOUBLE_EQ(pressed.blue, 0x14 / 255.0 - 0.035);
  EXPECT_EQ(Rgba::fromHex(0x000000, 0.5).brightened(-0.2), Rgba::fromHex(0x000000, 0.5));
  EXPECT_EQ(Rgba::white().brightened(0.3), Rgba::white());
  EXPECT_EQ(T::glassEdge.cssText(), "rgba(26,24,20,0.12)");
  EXPECT_EQ(T::ivory.cssText(), "rgba(248,246,241,1)");
  EXPECT_EQ(Rgba::fromHex(0x000000).brightened(0.01).cssText(), "rgba(2.55,2.55,2.55,1)");
}

TEST(VeskStylesheet, DefinesEveryTokenOnceFromItsValue) {
  const std::string css = VeskStylesheet::text();
  for (const auto& token : T::colours()) {
    const std::string definition = "@define-color " + std::string(token.name) + " " + token.colour.cssText() + ";";
    const auto at = css.find(definition);
    EXPECT_NE(at, std::string::npos) << token.name;
    EXPECT_EQ(css.find("@define-color " + std::string(token.name) + " ", at + 1), std::string::npos) << token.name;
  }
  EXPECT_NE(css.find("@define-color sidebarActionHoverBorder_4 rgba(165,125,55,1);"), std::string::npos);
}

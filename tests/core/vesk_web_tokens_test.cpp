#include "core/style/vesk_web_tokens.h"
#include "core/style/atelier.h"
#include "core/style/vesk_stylesheet.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

using vesk::Atelier;
using vesk::Rgba;
using vesk::VeskStylesheet;
using vesk::VeskWebTokens;

namespace {

struct Expected {
  std::string name;
  std::uint32_t code;
  double opacity;
};

// The published token table, in order.
const std::vector<Expected> tokenTable{
    {"ivory", 0xF8F6F1, 1},
    {"ivory3", 0xE8E4DA, 1},
    {"ink", 0x1A1814, 1},
    {"secondaryInk", 0x4A4640, 1},
    {"muted", 0x555148, 1},
    {"gold", 0xC9A84C, 1},
    {"red", 0xE8503A, 1},
    {"border", 0xE8E4DA, 1},
    {"critical", 0x8B0000, 1},
    {"criticalBackground", 0xFDF2F2, 1},
    {"bloom1", 0xD8B468, 0.30},
    {"bloom2", 0xD2B07A, 0.16},
    {"bloom3", 0xE2C696, 0.10},
    {"glassEdge", 0x1A1814, 0.12},
    {"glassAmbient", 0x14120E, 0.05},
    {"glassRefract", 0xC9A84C, 0.14},
    {"controlBackground", 0xF8F6F1, 0.70},
    {"inputBackground", 0xFFFFFF, 0.60},
    {"controlEdge", 0x1A1814, 0.14},
    {"accountMenuSurface", 0xFFFDF8, 1},
    {"accountMenuBorder", 0x1A1814, 0.10},
    {"accountMenuHighlight", 0x1A1814, 0.05},
    {"placeholder", 0x9CA3AF, 1},
    {"runErrorBorder", 0xB43232, 0.20},
    {"composerSurface", 0xF8F6F1, 0.48},
    {"sidebarSurface", 0xF8F6F1, 0.62},
    {"heroSurface", 0xF8F6F1, 0.44},
    {"shadowColor", 0x322316, 1},
    {"scrollVeilWarm", 0xF7F3EA, 1},
    {"sidebarFooter", 0x1A1814, 0.05},
};

// Each component must be exactly a whole number of 255ths.
void expectColour(const Rgba& colour, std::uint32_t code, double opacity, const std::string& what) {
  const auto expectComponent = [&](double component, int shift) {
    const double scaled = component * 255;
    EXPECT_NEAR(scaled, std::round(scaled), 1e-9) << what;
    EXPECT_EQ(static_cast<std::uint32_t>(std::lround(scaled)), (code >> shift) & 0xFF) << what;
  };
  expectComponent(colour.red, 16);
  expectComponent(colour.green, 8);
  expectComponent(colour.blue, 0);
  EXPECT_DOUBLE_EQ(colour.alpha, opacity) << what;
}

}  // namespace

TEST(VeskWebTokens, EveryTokenHasThePublishedValueInOrder) {
  const auto colours = VeskWebTokens::colours();
  ASSERT_EQ(colours.size(), tokenTable.size());
  for (std::size_t i = 0; i < tokenTable.size(); ++i) {
    EXPECT_EQ(colours[i].name, tokenTable[i].name) << "position " << i;
    expectColour(colours[i].colour, tokenTable[i].code, tokenTable[i].opacity, tokenTable[i].name);
  }
  // Same components, separate tokens.
  EXPECT_EQ(VeskWebTokens::border, VeskWebTokens::ivory3);
  EXPECT_EQ(VeskWebTokens::glassRefract, VeskWebTokens::gold.faded(0.14));
  EXPECT_EQ(VeskWebTokens::sidebarFooter, VeskWebTokens::ink.faded(0.05));
  expectColour(VeskWebTokens::inputBackground, 0xFFFFFF, 0.60, "inputBackground is white, not ivory");
}

TEST(VeskWebTokens, GradientListsKeepEveryStop) {
  const auto expectList = [](auto list, std::vector<std::uint32_t> codes, const std::string& name) {
    ASSERT_EQ(list.size(), codes.size()) << name;
    for (std::size_t i = 0; i < codes.size(); ++i) expectColour(list[i], codes[i], 1, name);
  };
  expectList(VeskWebTokens::sidebarActionFill, {0xFAF8F3, 0xF5F0E5}, "sidebarActionFill");
  expectList(VeskWebTokens::sidebarActionBorder, {0xB18A42, 0xE7D6A7, 0xC19A50, 0xA57D37}, "sidebarActionBorder");
  expectList(VeskWebTokens::sidebarActionHoverFill, {0xF8F3E6, 0xF0E7D2}, "sidebarActionHoverFill");
  expectList(VeskWebTokens::sidebarActionHoverBorder, {0xA57D37, 0xDFC88E, 0xB38A3F, 0xA57D37},
             "sidebarActionHoverBorder");
}

TEST(VeskWebTokens, TipsKeepTheirTypographicCharacters) {
  ASSERT_EQ(VeskWebTokens::tips.size(), 5u);
  EXPECT_EQ(VeskWebTokens::tips[0].title, "Audit a website");
  EXPECT_EQ(VeskWebTokens::tips[0].body,
            "Add related URLs\xE2\x80\x94home, product, pricing\xE2\x80\x94to give Vesk a fuller picture.");
  EXPECT_EQ(VeskWebTokens::tips[1].title, "Audit a private product");
  EXPECT_EQ(VeskWebTokens::tips[1].body,
            "Upload up to five screenshots in journey order. Include important steps and error or empty states.");
  EXPECT_EQ(VeskWebTokens::tips[2].title, "Give useful context");
  EXPECT_EQ(VeskWebTokens::tips[2].body,
            "Say who it\xE2\x80\x99s for, what they should accomplish, and what feels off.");
  EXPECT_EQ(VeskWebTokens::tips[3].title, "Choose the depth");
  EXPECT_EQ(VeskWebTokens::tips[3].body,
            "Quick read gives a focused second opinion. Full audit brings eight expert angles and a detailed report.");
  EXPECT_EQ(VeskWebTokens::tips[4].title, "Know the limits");
  EXPECT_EQ(
      VeskWebTokens::tips[4].body,
      "Vesk audits what you provide. It doesn\xE2\x80\x99t sign in, automatically explore the whole site, or test "
      "whether buttons work.");
}

TEST(Atelier, PaletteEqualsTheSameNamedTokens) {
  EXPECT_EQ(Atelier::ivory, VeskWebTokens::ivory);
  EXPECT_EQ(Atelier::ink, VeskWebTokens::ink);
  EXPECT_EQ(Atelier::secondaryInk, VeskWebTokens::secondaryInk);
  EXPECT_EQ(Atelier::muted, VeskWebTokens::muted);
  EXPECT_EQ(Atelier::gold, VeskWebTokens::gold);
  EXPECT_EQ(Atelier::red, VeskWebTokens::red);
  EXPECT_EQ(Atelier::border, VeskWebTokens::border);
}

TEST(Rgba, BrightnessAndCssText) {
  // Brightness adds to every component and stays within range; alpha is kept.
  const Rgba ink = VeskWebTokens::ink;
  const Rgba pressed = ink.brightened(-0.035);
  EXPECT_DOUBLE_EQ(pressed.red, 0x1A / 255.0 - 0.035);
  EXPECT_DOUBLE_EQ(pressed.blue, 0x14 / 255.0 - 0.035);
  EXPECT_EQ(Rgba::fromHex(0x000000, 0.5).brightened(-0.2), Rgba::fromHex(0x000000, 0.5));
  EXPECT_EQ(Rgba::white().brightened(0.3), Rgba::white());
  EXPECT_EQ(VeskWebTokens::glassEdge.cssText(), "rgba(26,24,20,0.12)");
  EXPECT_EQ(VeskWebTokens::ivory.cssText(), "rgba(248,246,241,1)");
  EXPECT_EQ(Rgba::fromHex(0x000000).brightened(0.01).cssText(), "rgba(2.55,2.55,2.55,1)");
}

TEST(VeskStylesheet, DefinesEveryTokenOnceFromItsValue) {
  const std::string css = VeskStylesheet::text();
  for (const auto& token : VeskWebTokens::colours()) {
    const std::string definition = "@define-color " + std::string(token.name) + " " + token.colour.cssText() + ";";
    const auto at = css.find(definition);
    EXPECT_NE(at, std::string::npos) << token.name;
    EXPECT_EQ(css.find("@define-color " + std::string(token.name) + " ", at + 1), std::string::npos) << token.name;
  }
  EXPECT_NE(css.find("@define-color sidebarActionHoverBorder_4 rgba(165,125,55,1);"), std::string::npos);
}

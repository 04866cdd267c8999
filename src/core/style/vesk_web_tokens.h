#pragma once
// The web design tokens: every colour the window draws, the sidebar action gradients
// and the tips. Process-wide constants; there is no dark variant.
#include "core/style/rgba.h"

#include <array>
#include <span>
#include <string_view>

namespace vesk {

struct NamedColour {
  std::string_view name;
  Rgba colour;
};

struct Tip {
  std::string_view title;
  std::string_view body;
};

struct VeskWebTokens {
  VeskWebTokens() = delete;

  static constexpr Rgba ivory = Rgba::fromHex(0xF8F6F1);
  static constexpr Rgba ivory3 = Rgba::fromHex(0xE8E4DA);
  static constexpr Rgba ink = Rgba::fromHex(0x1A1814);
  static constexpr Rgba secondaryInk = Rgba::fromHex(0x4A4640);
  static constexpr Rgba muted = Rgba::fromHex(0x555148);
  static constexpr Rgba gold = Rgba::fromHex(0xC9A84C);
  static constexpr Rgba red = Rgba::fromHex(0xE8503A);
  static constexpr Rgba border = Rgba::fromHex(0xE8E4DA);
  static constexpr Rgba critical = Rgba::fromHex(0x8B0000);
  static constexpr Rgba criticalBackground = Rgba::fromHex(0xFDF2F2);
  static constexpr Rgba bloom1 = Rgba::fromHex(0xD8B468, 0.30);
  static constexpr Rgba bloom2 = Rgba::fromHex(0xD2B07A, 0.16);
  static constexpr Rgba bloom3 = Rgba::fromHex(0xE2C696, 0.10);
  static constexpr Rgba glassEdge = Rgba::fromHex(0x1A1814, 0.12);
  static constexpr Rgba glassAmbient = Rgba::fromHex(0x14120E, 0.05);
  static constexpr Rgba glassRefract = Rgba::fromHex(0xC9A84C, 0.14);
  static constexpr Rgba controlBackground = Rgba::fromHex(0xF8F6F1, 0.70);
  static constexpr Rgba inputBackground = Rgba::fromHex(0xFFFFFF, 0.60);
  static constexpr Rgba controlEdge = Rgba::fromHex(0x1A1814, 0.14);
  static constexpr Rgba accountMenuSurface = Rgba::fromHex(0xFFFDF8);
  static constexpr Rgba accountMenuBorder = Rgba::fromHex(0x1A1814, 0.10);
  static constexpr Rgba accountMenuHighlight = Rgba::fromHex(0x1A1814, 0.05);
  static constexpr Rgba placeholder = Rgba::fromHex(0x9CA3AF);
  static constexpr Rgba runErrorBorder = Rgba::fromHex(0xB43232, 0.20);
  static constexpr Rgba composerSurface = Rgba::fromHex(0xF8F6F1, 0.48);
  static constexpr Rgba sidebarSurface = Rgba::fromHex(0xF8F6F1, 0.62);
  static constexpr Rgba heroSurface = Rgba::fromHex(0xF8F6F1, 0.44);
  static constexpr Rgba shadowColor = Rgba::fromHex(0x322316);
  static constexpr Rgba scrollVeilWarm = Rgba::fromHex(0xF7F3EA);
  static constexpr Rgba sidebarFooter = Rgba::fromHex(0x1A1814, 0.05);

  static constexpr std::array<Rgba, 2> sidebarActionFill{Rgba::fromHex(0xFAF8F3), Rgba::fromHex(0xF5F0E5)};
  static constexpr std::array<Rgba, 4> sidebarActionBorder{Rgba::fromHex(0xB18A42), Rgba::fromHex(0xE7D6A7),
                                                           Rgba::fromHex(0xC19A50), Rgba::fromHex(0xA57D37)};
  static constexpr std::array<Rgba, 2> sidebarActionHoverFill{Rgba::fromHex(0xF8F3E6), Rgba::fromHex(0xF0E7D2)};
  static constexpr std::array<Rgba, 4> sidebarActionHoverBorder{Rgba::fromHex(0xA57D37), Rgba::fromHex(0xDFC88E),
                                                                Rgba::fromHex(0xB38A3F), Rgba::fromHex(0xA57D37)};

  static constexpr std::array<Tip, 5> tips{{
      {"Audit a website", "Add related URLs\u2014home, product, pricing\u2014to give Vesk a fuller picture."},
      {"Audit a private product",
       "Upload up to five screenshots in journey order. Include important steps and error or empty states."},
      {"Give useful context", "Say who it\u2019s for, what they should accomplish, and what feels off."},
      {"Choose the depth",
       "Quick read gives a focused second opinion. Full audit brings eight expert angles and a detailed report."},
      {"Know the limits",
       "Vesk audits what you provide. It doesn\u2019t sign in, automatically explore the whole site, or test "
       "whether buttons work."},
  }};

  // Every colour token with its name, in the order above (the stylesheet defines one
  // named colour for each).
  static std::span<const NamedColour> colours();
};

}  // namespace vesk

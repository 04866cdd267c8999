#include "core/style/vesk_web_tokens.h"

namespace vesk {

std::span<const NamedColour> VeskWebTokens::colours() {
  using T = VeskWebTokens;
  static constexpr std::array<NamedColour, 30> all{{
      {"ivory", T::ivory},
      {"ivory3", T::ivory3},
      {"ink", T::ink},
      {"secondaryInk", T::secondaryInk},
      {"muted", T::muted},
      {"gold", T::gold},
      {"red", T::red},
      {"border", T::border},
      {"critical", T::critical},
      {"criticalBackground", T::criticalBackground},
      {"bloom1", T::bloom1},
      {"bloom2", T::bloom2},
      {"bloom3", T::bloom3},
      {"glassEdge", T::glassEdge},
      {"glassAmbient", T::glassAmbient},
      {"glassRefract", T::glassRefract},
      {"controlBackground", T::controlBackground},
      {"inputBackground", T::inputBackground},
      {"controlEdge", T::controlEdge},
      {"accountMenuSurface", T::accountMenuSurface},
      {"accountMenuBorder", T::accountMenuBorder},
      {"accountMenuHighlight", T::accountMenuHighlight},
      {"placeholder", T::placeholder},
      {"runErrorBorder", T::runErrorBorder},
      {"composerSurface", T::composerSurface},
      {"sidebarSurface", T::sidebarSurface},
      {"heroSurface", T::heroSurface},
      {"shadowColor", T::shadowColor},
      {"scrollVeilWarm", T::scrollVeilWarm},
      {"sidebarFooter", T::sidebarFooter},
  }};
  return all;
}

}  // namespace vesk

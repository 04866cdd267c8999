#include "core/style/glass_recipe.h"

#include "core/style/vesk_web_tokens.h"

#include <algorithm>
#include <array>

namespace vesk {

namespace {

using T = VeskWebTokens;

constexpr std::array<ShadowLayer, 1> sidebarShadows{{{T::shadowColor.faded(0.10), 14, 0, 8}}};
constexpr std::array<ShadowLayer, 2> composerShadows{{{T::ink.faded(0.08), 16, 0, 8}, {T::ink.faded(0.05), 4, 0, 2}}};
constexpr std::array<ShadowLayer, 1> panelShadows{{{T::shadowColor.faded(0.12), 20, 0, 16}}};
constexpr std::array<ShadowLayer, 1> toolbarShadows{{{T::shadowColor.faded(0.05), 1.5, 0, 1}}};

}  // namespace

std::span<const ShadowLayer> GlassRecipe::shadows(VeskGlassRole role) {
  switch (role) {
    case VeskGlassRole::sidebar: return sidebarShadows;
    case VeskGlassRole::composer: return composerShadows;
    case VeskGlassRole::panel: return panelShadows;
    case VeskGlassRole::toolbar: return toolbarShadows;
  }
  return {};
}

bool GlassRecipe::hasMaterialBacking(VeskGlassRole role, bool reduceTransparency) {
  if (reduceTransparency) return false;
  return role == VeskGlassRole::panel || role == VeskGlassRole::toolbar;
}

Rgba GlassRecipe::fill(VeskGlassRole role, bool reduceTransparency) {
  if (reduceTransparency) return T::ivory;
  switch (role) {
    case VeskGlassRole::sidebar: return T::sidebarSurface;
    case VeskGlassRole::composer: return T::composerSurface;
    case VeskGlassRole::panel: return T::heroSurface;
    case VeskGlassRole::toolbar: return T::controlBackground;
  }
  return T::heroSurface;
}

Rgba GlassRecipe::rim(VeskGlassRole role, bool increaseContrast) {
  if (increaseContrast) return T::ink.faded(0.18);
  return role == VeskGlassRole::toolbar ? T::controlEdge : T::glassEdge;
}

std::optional<DirectionalLight> GlassRecipe::directionalLight(VeskGlassRole role) {
  switch (role) {
    case VeskGlassRole::sidebar: return DirectionalLight{0.38, 0.5, 0.14, 0.50, 0.05, 0.35, 0.4};
    case VeskGlassRole::composer: return DirectionalLight{0.42, 0.78, 0.20, 0.55, 0.07, 0.40, 0.4};
    case VeskGlassRole::panel: return DirectionalLight{0.45, 0.82, 0.22, 0.55, 0.08, 0.40, 0.5};
    case VeskGlassRole::toolbar: break;
  }
  return std::nullopt;
}

GlassLines GlassRecipe::lines(VeskGlassRole role) {
  switch (role) {
    case VeskGlassRole::sidebar: return {0.60, 0.30, true, false};
    case VeskGlassRole::composer: return {0.50, 0.28, true, true};
    case VeskGlassRole::panel: return {0.66, 0.32, true, true};
    case VeskGlassRole::toolbar: break;
  }
  return {0.24, 0.14, false, false};
}

double GlassRecipe::cornerRadius(double radius, double width, double height) {
  return std::clamp(radius, 0.0, std::max(0.0, std::min(width, height) / 2));
}

}  // namespace vesk

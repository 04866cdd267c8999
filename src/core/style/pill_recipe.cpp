#include "core/style/pill_recipe.h"

#include "core/style/atelier.h"

#include <algorithm>

namespace vesk {

namespace {

bool animates(const PillState& state) { return state.enabled && !state.reduceMotion; }

Rgba textColour(VeskButtonRole role, const PillState& state) {
  if (PillRecipe::filled(role)) return Atelier::ivory;
  if (role == VeskButtonRole::tertiary) return state.enabled && state.hovered ? Atelier::ink : Atelier::secondaryInk;
  return Atelier::ink;
}

std::optional<ShadowLayer> filledShadow(const PillState& state) {
  if (!state.enabled || state.insidePopup) return std::nullopt;
  if (state.hovered) return ShadowLayer{Atelier::ink.faded(0.18), 10, 0, 4};
  return ShadowLayer{Atelier::ink.faded(0.14), 8, 0, 2};
}

void dressBackground(PillLook& look, VeskButtonRole role, const PillState& state) {
  const bool hovered = state.enabled && state.hovered;
  switch (role) {
    case VeskButtonRole::primary:
    case VeskButtonRole::accent:
    case VeskButtonRole::destructive:
      look.fill = role == VeskButtonRole::primary ? Atelier::ink : Atelier::red;
      look.rim = state.insidePopup ? PillRim::none : PillRim::gradient;
      look.shadow = filledShadow(state);
      break;
    case VeskButtonRole::secondary:
      look.fill = Rgba::white(hovered ? 0.82 : 0.6);
      look.rim = PillRim::solid;
      look.rimColour = Atelier::ink.faded(hovered ? 0.22 : 0.14);
      break;
    case VeskButtonRole::tertiary: look.fill = Rgba::clear(); break;
  }
}

}  // namespace

bool PillRecipe::filled(VeskButtonRole role) {
  return role == VeskButtonRole::primary || role == VeskButtonRole::accent || role == VeskButtonRole::destructive;
}

PillMetrics PillRecipe::metrics(VeskButtonRole role, PillSize size) {
  if (role == VeskButtonRole::tertiary) return {4, 6, 30};
  return size == PillSize::compact ? PillMetrics{12, 10, 42} : PillMetrics{21, 12, 44};
}

double PillRecipe::height(VeskButtonRole role, PillSize size, double textHeight) {
  const PillMetrics m = metrics(role, size);
  return std::max(m.minimumHeight, textHeight + 2 * m.verticalPadding);
}

double PillRecipe::rimWidth(VeskButtonRole role) {
  if (filled(role)) return 0.8;
  return role == VeskButtonRole::secondary ? 1 : 0;
}

PillLook PillRecipe::look(VeskButtonRole role, const PillState& state) {
  PillLook look;
  look.text = textColour(role, state);
  dressBackground(look, role, state);
  if (state.enabled && state.focused) look.focusRing = FocusRing{Atelier::gold, 2, 3};
  if (state.enabled && state.pressed) {
    look.brightness = pressedBrightness;
  } else if (state.enabled && state.hovered) {
    look.brightness = hoveredBrightness;
  }
  look.scale = state.enabled && state.pressed && !state.reduceMotion ? pressedScale : 1;
  look.opacity = state.enabled ? 1 : disabledOpacity;
  return look;
}

double PillRecipe::hoverAnimation(const PillState& state) { return animates(state) ? hoverAnimationSeconds : 0; }

double PillRecipe::pressAnimation(const PillState& state) { return animates(state) ? pressAnimationSeconds : 0; }

}  // namespace vesk

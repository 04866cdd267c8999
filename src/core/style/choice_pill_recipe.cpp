#include "core/style/choice_pill_recipe.h"

#include "core/style/atelier.h"

namespace vesk {

namespace {

Rgba textColour(VeskChoicePillTreatment treatment, const Rgba& ink, const ChoicePillState& state) {
  if (!state.selected) return state.dimmed ? Atelier::muted : Atelier::secondaryInk;
  if (treatment == VeskChoicePillTreatment::filter) return ink;
  return Atelier::ivory.faded(0.96);
}

double rimOpacity(VeskChoicePillTreatment treatment, bool selected) {
  switch (treatment) {
    case VeskChoicePillTreatment::answer: return selected ? 0.85 : 0.16;
    case VeskChoicePillTreatment::filter: return selected ? 0.3 : 0.12;
    case VeskChoicePillTreatment::project: return selected ? 0.85 : 0.14;
  }
  return 1;
}

}  // namespace

Rgba ChoicePillRecipe::fill(VeskChoicePillTreatment treatment, const Rgba& ink, bool selected) {
  switch (treatment) {
    case VeskChoicePillTreatment::answer: return selected ? ink.faded(0.85) : Rgba::white(0.6);
    case VeskChoicePillTreatment::filter: return Rgba::white(selected ? 0.75 : 0.4);
    case VeskChoicePillTreatment::project: return selected ? ink.faded(0.85) : Atelier::ivory.faded(0.7);
  }
  return Rgba::clear();
}

ChoicePillLook ChoicePillRecipe::look(VeskChoicePillTreatment treatment, const Rgba& ink,
                                      const ChoicePillState& state) {
  ChoicePillLook look;
  look.text = textColour(treatment, ink, state);
  look.weight = state.selected ? FontWeight::medium : FontWeight::regular;
  look.fill = fill(treatment, ink, state.selected);
  look.rim = ink.faded(rimOpacity(treatment, state.selected));
  if (state.focused) look.focusRing = FocusRing{ink.faded(0.85), 2, 3};
  look.brightness = state.pressed ? pressedBrightness : 0;
  look.opacity = state.dimmed ? dimmedOpacity : 1;
  return look;
}

}  // namespace vesk

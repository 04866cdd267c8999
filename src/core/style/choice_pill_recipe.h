#pragma once
// The numbers of the selectable capsule chip in its three treatments: the discovery
// answers, the library filters and the project editor's choices. A chip has a selected
// and an unselected look, can be dimmed, and has no hover, press scale, animation or
// disabled look of its own.
#include "core/style/pill_recipe.h"
#include "core/style/rgba.h"
#include "core/style/typeface.h"

#include <array>
#include <optional>

namespace vesk {

enum class VeskChoicePillTreatment { answer, filter, project };

inline constexpr std::array<VeskChoicePillTreatment, 3> allChoicePillTreatments{
    VeskChoicePillTreatment::answer, VeskChoicePillTreatment::filter, VeskChoicePillTreatment::project};

struct ChoicePillState {
  bool selected = false;
  bool dimmed = false;
  bool pressed = false;
  bool focused = false;  // keyboard focus
};

struct ChoicePillLook {
  Rgba text;
  FontWeight weight = FontWeight::regular;
  Rgba fill;
  Rgba rim;  // a border of `ChoicePillRecipe::rimWidth` inside the capsule
  std::optional<FocusRing> focusRing;
  double brightness = 0;  // added to every colour of the chip, label included
  double opacity = 1;
};

struct ChoicePillRecipe {
  ChoicePillRecipe() = delete;

  static constexpr double fontSize = 15;
  static constexpr PillMetrics metrics{16, 8, 36};
  static constexpr double rimWidth = 1;
  static constexpr double dimmedOpacity = 0.75;
  static constexpr double pressedBrightness = -0.035;

  // `ink` colours the rim, the focus ring, a selected fill and a selected filter's text.
  static ChoicePillLook look(VeskChoicePillTreatment treatment, const Rgba& ink, const ChoicePillState& state);
  static Rgba fill(VeskChoicePillTreatment treatment, const Rgba& ink, bool selected);
};

}  // namespace vesk

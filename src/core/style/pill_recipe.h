#pragma once
// The numbers of the capsule text button in its five roles: font, paddings and minimum
// height, and for every state (hovered, pressed, keyboard focus, disabled, inside a
// popup, Reduce Motion) its colours, rim, shadow, focus ring, brightness, scale,
// opacity and animation. The generated stylesheet is written from here.
#include "core/style/glass_recipe.h"
#include "core/style/gradient_stop.h"
#include "core/style/rgba.h"
#include "core/style/typeface.h"
#include "core/style/vesk_button_role.h"

#include <array>
#include <optional>

namespace vesk {

struct PillMetrics {
  double horizontalPadding;
  double verticalPadding;
  double minimumHeight;  // of the padded label
  bool operator==(const PillMetrics&) const = default;
};

// A ring laid over a control: `width` px wide, its outer edge `outset` px beyond the
// control's outline.
struct FocusRing {
  Rgba colour;
  double width;
  double outset;
  bool operator==(const FocusRing&) const = default;
};

// What a button's state is made of. `hovered` is the outcome of the hover rule (see
// HoverTracker); `focused` means keyboard focus.
struct PillState {
  bool enabled = true;
  bool hovered = false;
  bool pressed = false;
  bool focused = false;
  bool insidePopup = false;
  bool reduceMotion = false;
};

enum class PillRim { none, gradient, solid };

struct PillLook {
  Rgba text;
  Rgba fill;  // clear when the role has none
  PillRim rim = PillRim::none;
  Rgba rimColour;  // of a solid rim
  std::optional<ShadowLayer> shadow;
  std::optional<FocusRing> focusRing;
  double brightness = 0;  // added to every colour of the button, label included
  double scale = 1;       // about the centre
  double opacity = 1;
};

struct PillRecipe {
  PillRecipe() = delete;

  static constexpr double fontSize = 15;
  static constexpr FontWeight fontWeight = FontWeight::medium;

  static constexpr double disabledOpacity = 0.45;
  static constexpr double hoveredBrightness = 0.014;
  static constexpr double pressedBrightness = -0.035;
  static constexpr double pressedScale = 0.975;
  static constexpr double hoverAnimationSeconds = 0.18;
  static constexpr double pressAnimationSeconds = 0.1;

  // The light rim of the filled roles, top to bottom.
  static constexpr std::array<GradientStop, 2> gradientRim{{{0, Rgba::white(0.2)}, {1, Rgba::white(0)}}};

  // primary, accent and destructive share text, rim and shadow; only the fill differs.
  static bool filled(VeskButtonRole role);

  static PillMetrics metrics(VeskButtonRole role, PillSize size);
  // The button's height for a label `textHeight` px tall.
  static double height(VeskButtonRole role, PillSize size, double textHeight);
  // The width of the rim where one is drawn (the gradient rim or the solid border).
  static double rimWidth(VeskButtonRole role);

  static PillLook look(VeskButtonRole role, const PillState& state);

  // How long a change of the hover or pressed state animates (ease-out); 0: at once.
  static double hoverAnimation(const PillState& state);
  static double pressAnimation(const PillState& state);
};

}  // namespace vesk

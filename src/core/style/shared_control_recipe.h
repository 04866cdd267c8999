#pragma once
// The numbers of the shared furniture of the screens: the round glyph button of the
// window header, the window's canvas with its warm blooms, the checkbox, the labelled
// text field and the hairline above a row of actions.
#include "core/style/atelier.h"
#include "core/style/geometry.h"
#include "core/style/gradient_stop.h"
#include "core/style/rgba.h"
#include "core/style/typeface.h"
#include "core/style/vesk_web_tokens.h"

#include <array>
#include <optional>
#include <vector>

namespace vesk {

struct ChromeButtonRecipe {
  ChromeButtonRecipe() = delete;
  static constexpr double frameSize = 40;
  static constexpr double glyphSize = 21;
  static constexpr Rgba hoverFill = Atelier::gold.faded(0.12);
  static constexpr Rgba focusRing = Atelier::gold;
  static constexpr double focusRingWidth = 2;  // inside the circle
  static constexpr Rgba ink = Atelier::ink;
  static constexpr double disabledOpacity = 0.35;
};

// One blurred ellipse of the canvas.
struct Bloom {
  Rgba colour;
  Rect frame;
  bool operator==(const Bloom&) const = default;
};

struct WorkspaceCanvasRecipe {
  WorkspaceCanvasRecipe() = delete;
  static constexpr Rgba ground = Atelier::ivory;
  // The Gaussian's standard deviation, in px.
  static constexpr double blurRadius = 120;
  // The blurred group grows by this about the canvas's centre, then is drawn at `opacity`.
  static constexpr double scale = 1.15;
  static constexpr double opacity = 0.5;

  // The three ellipses, in drawing order, for a canvas `width` x `height`: each follows
  // the window's proportions.
  static std::array<Bloom, 3> blooms(double width, double height);

  // How much of a disc of `radius` remains at `distance` from its centre once blurred
  // with a Gaussian of standard deviation `sigma` (0 to 1).
  static double blurredDisc(double distance, double radius, double sigma);

  // A blurred bloom drawn as an elliptical gradient instead of blurring pixels (which
  // bands and streaks at this radius): centred on the ellipse, reaching `horizontalRadius`
  // and `verticalRadius`, with stops from the centre (0) to the reach (1). The ellipse is
  // treated as a disc of the same area stretched to its shape.
  struct BlurredBloom {
    Point centre;
    double horizontalRadius;
    double verticalRadius;
    std::vector<GradientStop> stops;
  };
  static std::optional<BlurredBloom> blurred(const Bloom& bloom, double sigma);
};

struct CheckboxRecipe {
  CheckboxRecipe() = delete;
  static constexpr double boxSize = 18;
  static constexpr double cornerRadius = 4;
  static constexpr double borderWidth = 1;
  static constexpr double spacing = 10;  // between the box and its label
  // The label's first baseline lies this far above the box's bottom edge.
  static constexpr double baselineAboveBottom = 3;
  static constexpr double checkmarkSize = 11;

  static constexpr Rgba onFill = Atelier::red;
  static constexpr Rgba onBorder = Atelier::red;
  static constexpr Rgba offFill = Rgba::white(0.9);
  static constexpr Rgba offBorder = Atelier::gold.faded(0.55);
  static constexpr Rgba checkmark = Rgba::white();

  // Vertical positions in a row whose label is `labelHeight` tall with its first
  // baseline `labelBaseline` below its top (none: the label's bottom serves).
  struct RowPlacement {
    double boxTop;
    double labelTop;
    double height;
    bool operator==(const RowPlacement&) const = default;
  };
  static RowPlacement place(double labelHeight, std::optional<double> labelBaseline);
};

struct TextFieldRecipe {
  TextFieldRecipe() = delete;
  static constexpr double spacing = 8;  // caption to field
  static constexpr double captionSize = 15;
  static constexpr FontWeight captionWeight = FontWeight::medium;
  static constexpr Rgba captionColour = Atelier::secondaryInk;
  static constexpr double fieldSize = 16;
  static constexpr double horizontalPadding = 16;
  static constexpr double verticalPadding = 12;
  static constexpr double cornerRadius = 10;
  static constexpr Rgba fill = VeskWebTokens::inputBackground;
  static constexpr Rgba border = Atelier::ink.faded(0.14);
  static constexpr double borderWidth = 1;
  // The prompt of an empty field, in the application's placeholder colour.
  static constexpr Rgba prompt = VeskWebTokens::placeholder;
  // A disabled field's text and prompt fade to this.
  static constexpr double disabledOpacity = 0.5;
  static constexpr Rgba focusedBorder = Atelier::gold;
  static constexpr double focusedBorderWidth = 2;
  // A vertical field shows at least `minimumLines` and grows to `maximumLines`, then
  // scrolls; a horizontal field is one line.
  static constexpr int minimumLines = 2;
  static constexpr int maximumLines = 4;
};

struct ActionFooterRecipe {
  ActionFooterRecipe() = delete;
  static constexpr Rgba hairline = Atelier::ink.faded(0.1);
  static constexpr double hairlineHeight = 1;
  static constexpr double spacing = 20;
};

}  // namespace vesk

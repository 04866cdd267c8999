#include "core/style/shared_control_recipe.h"

#include <algorithm>

namespace vesk {

std::array<Bloom, 3> WorkspaceCanvasRecipe::blooms(double width, double height) {
  // Size and centre as fractions of the canvas.
  struct Fractions {
    Rgba colour;
    double width, height, centreX, centreY;
  };
  constexpr std::array<Fractions, 3> fractions{{{VeskWebTokens::bloom1, 0.46, 0.46, 0.87, 0.09},
                                                {VeskWebTokens::bloom2, 0.44, 0.44, 0.10, 0.96},
                                                {VeskWebTokens::bloom3, 0.54, 0.54, 0.55, 0.53}}};
  std::array<Bloom, 3> blooms;
  for (std::size_t i = 0; i < fractions.size(); ++i) {
    const auto& f = fractions[i];
    const double w = f.width * width, h = f.height * height;
    blooms[i] = {f.colour, {f.centreX * width - w / 2, f.centreY * height - h / 2, w, h}};
  }
  return blooms;
}

CheckboxRecipe::RowPlacement CheckboxRecipe::place(double labelHeight, std::optional<double> labelBaseline) {
  const double baseline = labelBaseline.value_or(labelHeight);
  const double boxBaseline = boxSize - baselineAboveBottom;
  // Whichever reaches further above the shared baseline sits at the top.
  const double above = std::max(baseline, boxBaseline);
  RowPlacement placement{above - boxBaseline, above - baseline, 0};
  placement.height = std::max(placement.boxTop + boxSize, placement.labelTop + labelHeight);
  return placement;
}

}  // namespace vesk

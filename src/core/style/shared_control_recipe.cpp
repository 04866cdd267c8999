#include "core/style/shared_control_recipe.h"

#include <algorithm>
#include <cmath>
#include <numbers>

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

double WorkspaceCanvasRecipe::blurredDisc(double distance, double radius, double sigma) {
  if (radius <= 0) return 0;
  if (sigma <= 0) return distance <= radius ? 1 : 0;
  // The Gaussian's mass over the disc, summed ring by ring: a ring of radius p at
  // distance r from the Gaussian's centre holds p / s^2 * exp(-(p^2 + r^2) / 2s^2) * I0(r p / s^2).
  // Written with the scaled Bessel function so nothing overflows.
  const double s2 = sigma * sigma;
  const auto scaledBessel = [](double x) {  // I0(x) * exp(-x)
    if (x < 500) return std::cyl_bessel_i(0.0, x) * std::exp(-x);
    return (1 + 1 / (8 * x) + 9 / (128 * x * x)) / std::sqrt(2 * std::numbers::pi * x);
  };
  const auto ring = [&](double p) {
    return p / s2 * std::exp(-(p - distance) * (p - distance) / (2 * s2)) * scaledBessel(distance * p / s2);
  };
  constexpr int steps = 64;  // Simpson's rule, even; the integrand is smooth at this scale
  const double h = radius / steps;
  double sum = ring(0) + ring(radius);
  for (int i = 1; i < steps; ++i) sum += (i % 2 ? 4 : 2) * ring(i * h);
  return std::clamp(sum * h / 3, 0.0, 1.0);
}

std::optional<WorkspaceCanvasRecipe::BlurredBloom> WorkspaceCanvasRecipe::blurred(const Bloom& bloom, double sigma) {
  const double a = bloom.frame.width / 2, b = bloom.frame.height / 2;
  const double radius = std::sqrt(a * b);
  if (radius < 0.5) return std::nullopt;
  // Far enough out that what remains is invisible.
  const double reach = (radius + 4 * sigma) / radius;
  BlurredBloom result{{bloom.frame.x + a, bloom.frame.y + b}, a * reach, b * reach, {}};
  constexpr int stops = 32;
  for (int i = 0; i < stops; ++i) {
    const double t = static_cast<double>(i) / (stops - 1);
    result.stops.push_back({t, bloom.colour.faded(blurredDisc(t * reach * radius, radius, sigma))});
  }
  return result;
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

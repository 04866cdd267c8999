#pragma once
// Conversions from the style values to GDK and GSK drawing types.
#include "core/style/gradient_stop.h"
#include "core/style/rgba.h"

#include <gtk/gtk.h>

#include <span>
#include <vector>

namespace vesk::ui {

inline GdkRGBA gdkColour(const Rgba& colour) {
  return GdkRGBA{static_cast<float>(colour.red), static_cast<float>(colour.green), static_cast<float>(colour.blue),
                 static_cast<float>(colour.alpha)};
}

// A gradient stop for GSK.
inline GskColorStop colourStop(double location, const Rgba& colour) {
  return GskColorStop{static_cast<float>(location), gdkColour(colour)};
}

inline std::vector<GskColorStop> colourStops(std::span<const GradientStop> stops) {
  std::vector<GskColorStop> result;
  for (const auto& stop : stops) result.push_back(colourStop(stop.location, stop.colour));
  return result;
}

// A rounded rectangle with one radius at every corner, clamped to half the shorter side.
GskRoundedRect roundedRect(const graphene_rect_t& bounds, double radius);

}  // namespace vesk::ui

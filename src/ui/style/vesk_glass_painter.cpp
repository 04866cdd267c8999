#include "ui/style/vesk_glass_painter.h"

#include "core/style/vesk_web_tokens.h"
#include "ui/style/gsk_colour.h"
#include "ui/style/vesk_outer_shadow.h"

#include <array>

namespace vesk::ui {

namespace {

enum class Edge { top, bottom, leading, trailing };

void appendColour(GtkSnapshot* snapshot, const graphene_rect_t& bounds, const Rgba& colour) {
  const GdkRGBA c = gdkColour(colour);
  gtk_snapshot_append_color(snapshot, &c, &bounds);
}

void appendVertical(GtkSnapshot* snapshot, const graphene_rect_t& b, const std::vector<GskColorStop>& stops) {
  const graphene_point_t top = GRAPHENE_POINT_INIT(b.origin.x, b.origin.y);
  const graphene_point_t bottom = GRAPHENE_POINT_INIT(b.origin.x, b.origin.y + b.size.height);
  gtk_snapshot_append_linear_gradient(snapshot, &b, &top, &bottom, stops.data(), stops.size());
}

// An elliptical gradient centred at (x, top), reaching the full width and height.
void appendFromTop(GtkSnapshot* snapshot, const graphene_rect_t& b, float x, const std::vector<GskColorStop>& stops) {
  const graphene_point_t centre = GRAPHENE_POINT_INIT(x, b.origin.y);
  gtk_snapshot_append_radial_gradient(snapshot, &b, &centre, b.size.width, b.size.height, 0, 1, stops.data(),
                                      stops.size());
}

// Gradients fade to the transparent form of their own colour, so no grey creeps in.
void appendDirectionalLight(GtkSnapshot* snapshot, const graphene_rect_t& b, const GlassAppearance& glass) {
  const auto light = GlassRecipe::directionalLight(glass.role);
  if (!light) {
    appendVertical(snapshot, b,
                   {colourStop(0, Rgba::white(GlassRecipe::toolbarWashOpacity)), colourStop(1, Rgba::white(0))});
    return;
  }
  const auto across = [&](double fraction) {
    return static_cast<float>(b.origin.x + (glass.rightToLeft ? 1 - fraction : fraction) * b.size.width);
  };
  const Rgba refract = VeskWebTokens::glassRefract;
  appendFromTop(snapshot, b, across(1), {colourStop(0, refract), colourStop(light->refractionEnd, refract.faded(0))});
  appendFromTop(snapshot, b, across(light->sheenCentreX),
                {colourStop(0, Rgba::white(light->sheenOpacity)), colourStop(light->sheenEnd, Rgba::white(0))});
  const Rgba ambient = VeskWebTokens::glassAmbient;
  appendVertical(
      snapshot, b,
      {colourStop(0, Rgba::white(light->shadeTopOpacity)), colourStop(light->shadeClearStop, Rgba::white(0)),
       colourStop(light->shadeClearStop, ambient.faded(0)), colourStop(1, ambient.faded(light->ambientMultiplier))});
}

void appendStroke(GtkSnapshot* snapshot, const GskRoundedRect& shape, double width, const Rgba& colour) {
  const auto w = static_cast<float>(width);
  const std::array<float, 4> widths{w, w, w, w};
  const GdkRGBA c = gdkColour(colour);
  const std::array<GdkRGBA, 4> colours{c, c, c, c};
  gtk_snapshot_append_border(snapshot, &shape, widths.data(), colours.data());
}

// A 1 px line one px inside the outline, showing only within 2 px of one edge.
void appendInsetLine(GtkSnapshot* snapshot, const GskRoundedRect& shape, Edge edge, bool rightToLeft,
                     const Rgba& colour) {
  const graphene_rect_t& b = shape.bounds;
  const bool left = (edge == Edge::leading) != rightToLeft;
  graphene_rect_t band = b;
  switch (edge) {
    case Edge::top: band.size.height = 2; break;
    case Edge::bottom:
      band.origin.y += b.size.height - 2;
      band.size.height = 2;
      break;
    case Edge::leading:
    case Edge::trailing:
      if (!left) band.origin.x += b.size.width - 2;
      band.size.width = 2;
      break;
  }
  GskRoundedRect inset = shape;
  gsk_rounded_rect_shrink(&inset, 1, 1, 1, 1);
  gtk_snapshot_push_clip(snapshot, &band);
  appendStroke(snapshot, inset, 1, colour);
  gtk_snapshot_pop(snapshot);
}

}  // namespace

void appendVeskGlass(GtkSnapshot* snapshot, const graphene_rect_t& bounds, const GlassAppearance& glass) {
  if (bounds.size.width <= 0 || bounds.size.height <= 0) return;
  const GskRoundedRect shape = roundedRect(bounds, glass.radius);
  const auto& access = glass.accessibility;
  for (const auto& layer : GlassRecipe::shadows(glass.role)) appendVeskOuterShadow(snapshot, shape, layer);

  gtk_snapshot_push_rounded_clip(snapshot, &shape);
  if (GlassRecipe::hasMaterialBacking(glass.role, access.reduceTransparency))
    appendColour(snapshot, bounds, GlassRecipe::frostedMaterial);
  appendColour(snapshot, bounds, GlassRecipe::fill(glass.role, access.reduceTransparency));
  appendDirectionalLight(snapshot, bounds, glass);
  appendStroke(snapshot, shape, GlassRecipe::rimWidth(access.increaseContrast),
               GlassRecipe::rim(glass.role, access.increaseContrast));
  const GlassLines lines = GlassRecipe::lines(glass.role);
  appendInsetLine(snapshot, shape, Edge::top, glass.rightToLeft, Rgba::white(lines.topWhiteOpacity));
  appendInsetLine(snapshot, shape, Edge::trailing, glass.rightToLeft, Rgba::white(lines.trailingWhiteOpacity));
  if (lines.bottomAmbient)
    appendInsetLine(snapshot, shape, Edge::bottom, glass.rightToLeft, VeskWebTokens::glassAmbient);
  if (lines.leadingAmbient)
    appendInsetLine(snapshot, shape, Edge::leading, glass.rightToLeft, VeskWebTokens::glassAmbient);
  gtk_snapshot_pop(snapshot);
}

}  // namespace vesk::ui

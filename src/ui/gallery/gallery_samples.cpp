#include "ui/gallery/gallery_samples.h"

#include "core/style/atelier.h"
#include "ui/style/gsk_colour.h"
#include "ui/style/vesk_outer_shadow.h"

#include <gtkmm/snapshot.h>

namespace vesk::ui {

namespace {

void appendColour(GtkSnapshot* snapshot, const Rgba& colour, float x, float y, float w, float h) {
  const GdkRGBA c = gdkColour(colour);
  const graphene_rect_t r = GRAPHENE_RECT_INIT(x, y, w, h);
  gtk_snapshot_append_color(snapshot, &c, &r);
}

void measureFixed(Gtk::Orientation orientation, int width, int height, int& minimum, int& natural, int& minimumBaseline,
                  int& naturalBaseline) {
  minimum = natural = orientation == Gtk::Orientation::HORIZONTAL ? width : height;
  minimumBaseline = naturalBaseline = -1;
}

}  // namespace

GallerySwatch::GallerySwatch(std::vector<Rgba> colours, int width, int height)
    : colours_(std::move(colours)), width_(width), height_(height) {}

void GallerySwatch::measure_vfunc(Gtk::Orientation orientation, int, int& minimum, int& natural, int& minimumBaseline,
                                  int& naturalBaseline) const {
  measureFixed(orientation, width_, height_, minimum, natural, minimumBaseline, naturalBaseline);
}

void GallerySwatch::snapshot_vfunc(const Glib::RefPtr<Gtk::Snapshot>& snapshot) {
  GtkSnapshot* s = snapshot->gobj();
  const auto w = static_cast<float>(get_width());
  const auto h = static_cast<float>(get_height());
  constexpr float cell = 8;
  appendColour(s, Rgba::white(), 0, 0, w, h);
  for (float y = 0; y < h; y += cell)
    for (float x = static_cast<int>(y / cell) % 2 ? cell : 0; x < w; x += 2 * cell)
      appendColour(s, Atelier::border, x, y, std::min(cell, w - x), std::min(cell, h - y));
  const graphene_rect_t bounds = GRAPHENE_RECT_INIT(0, 0, w, h);
  if (colours_.size() == 1) {
    appendColour(s, colours_.front(), 0, 0, w, h);
  } else if (colours_.size() > 1) {
    std::vector<GskColorStop> stops;
    for (std::size_t i = 0; i < colours_.size(); ++i)
      stops.push_back(colourStop(static_cast<double>(i) / static_cast<double>(colours_.size() - 1), colours_[i]));
    const graphene_point_t start = GRAPHENE_POINT_INIT(0, 0);
    const graphene_point_t end = GRAPHENE_POINT_INIT(w, 0);
    gtk_snapshot_append_linear_gradient(s, &bounds, &start, &end, stops.data(), stops.size());
  }
  const GskRoundedRect outline = roundedRect(bounds, 0);
  const std::array<float, 4> widths{1, 1, 1, 1};
  const GdkRGBA edge = gdkColour(Atelier::border);
  const std::array<GdkRGBA, 4> edges{edge, edge, edge, edge};
  gtk_snapshot_append_border(s, &outline, widths.data(), edges.data());
}

void StripedBackdrop::snapshot_vfunc(const Glib::RefPtr<Gtk::Snapshot>& snapshot) {
  const auto w = static_cast<float>(get_width());
  const auto h = static_cast<float>(get_height());
  appendColour(snapshot->gobj(), Rgba::white(), 0, 0, w, h);
  for (float x = 0; x < w; x += 2 * stripeWidth)
    appendColour(snapshot->gobj(), Atelier::ink, x, 0, std::min<float>(stripeWidth, w - x), h);
  SingleChildWidget::snapshot_vfunc(snapshot);
}

ShadowSample::ShadowSample(VeskGlassRole role, double radius, int width, int height)
    : role_(role), radius_(radius), width_(width), height_(height) {}

void ShadowSample::measure_vfunc(Gtk::Orientation orientation, int, int& minimum, int& natural, int& minimumBaseline,
                                 int& naturalBaseline) const {
  measureFixed(orientation, width_, height_, minimum, natural, minimumBaseline, naturalBaseline);
}

void ShadowSample::snapshot_vfunc(const Glib::RefPtr<Gtk::Snapshot>& snapshot) {
  const graphene_rect_t bounds =
      GRAPHENE_RECT_INIT(0, 0, static_cast<float>(get_width()), static_cast<float>(get_height()));
  const GskRoundedRect shape = roundedRect(bounds, radius_);
  for (const auto& layer : GlassRecipe::shadows(role_)) appendVeskOuterShadow(snapshot->gobj(), shape, layer);
}

}  // namespace vesk::ui

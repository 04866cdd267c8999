#include "ui/style/vesk_scroll_veil.h"

#include "core/style/glass_recipe.h"
#include "core/style/scroll_veil_geometry.h"
#include "core/style/vesk_web_tokens.h"
#include "ui/style/accessibility_settings.h"
#include "ui/style/gsk_colour.h"
#include "ui/style/vesk_environment.h"
#include "ui/style/workspace_canvas.h"

#include <cairomm/context.h>
#include <cairomm/pattern.h>
#include <gtkmm/snapshot.h>

#include <algorithm>
#include <cmath>
#include <span>

namespace vesk::ui {

namespace {

Cairo::RefPtr<Cairo::LinearGradient> gradient(double x0, double y0, double x1, double y1,
                                              std::span<const GradientStop> stops) {
  auto pattern = Cairo::LinearGradient::create(x0, y0, x1, y1);
  for (const auto& stop : stops)
    pattern->add_color_stop_rgba(stop.location, stop.colour.red, stop.colour.green, stop.colour.blue,
                                 stop.colour.alpha);
  return pattern;
}

// Keeps only as much of what is drawn as the mask's alpha allows.
void maskWith(const Cairo::RefPtr<Cairo::Context>& cr, const Cairo::RefPtr<Cairo::Pattern>& mask) {
  cr->set_operator(Cairo::Context::Operator::DEST_IN);
  cr->set_source(mask);
  cr->paint();
}

}  // namespace

VeskScrollVeil::VeskScrollVeil(double height, bool bottom, double opaqueFraction, Backdrop backdrop)
    : height_(height), bottom_(bottom), opaqueFraction_(opaqueFraction), backdrop_(backdrop) {
  set_can_target(false);
  set_can_focus(false);
  set_focusable(false);
  property_accessible_role() = Gtk::Accessible::Role::PRESENTATION;
  set_valign(bottom ? Gtk::Align::END : Gtk::Align::START);
  AccessibilitySettings::shared().signalChanged().connect(sigc::mem_fun(*this, &VeskScrollVeil::queue_draw));
}

void VeskScrollVeil::setHeight(double height) {
  if (height == height_) return;
  height_ = height;
  queue_resize();
}

void VeskScrollVeil::setOpaqueFraction(double fraction) {
  if (fraction == opaqueFraction_) return;
  opaqueFraction_ = fraction;
  queue_draw();
}

Gtk::SizeRequestMode VeskScrollVeil::get_request_mode_vfunc() const { return Gtk::SizeRequestMode::CONSTANT_SIZE; }

void VeskScrollVeil::measure_vfunc(Gtk::Orientation orientation, int, int& minimum, int& natural, int& minimumBaseline,
                                   int& naturalBaseline) const {
  minimum = natural = orientation == Gtk::Orientation::VERTICAL ? static_cast<int>(std::ceil(height_)) : 0;
  minimumBaseline = naturalBaseline = -1;
}

void VeskScrollVeil::snapshot_vfunc(const Glib::RefPtr<Gtk::Snapshot>& snapshot) {
  const double w = get_width();
  const double h = get_height();
  if (w <= 0 || h <= 0) return;
  if (backdrop_ == Backdrop::canvas) {
    snapshotCanvas(snapshot->gobj(), w, h);
  } else {
    snapshotFrosted(snapshot, w, h);
  }
}

void VeskScrollVeil::snapshotFrosted(const Glib::RefPtr<Gtk::Snapshot>& snapshot, double w, double h) {
  const bool reduceTransparency = veskAccessibility(*this).reduceTransparency;
  const graphene_rect_t bounds = GRAPHENE_RECT_INIT(0, 0, static_cast<float>(w), static_cast<float>(h));
  const auto cr = snapshot->append_cairo(&bounds);

  // From the anchored edge to the far edge.
  const double fromY = bottom_ ? h : 0;
  const double toY = bottom_ ? 0 : h;

  cr->push_group();
  const Rgba backdrop = reduceTransparency ? VeskWebTokens::ivory : GlassRecipe::frostedMaterial;
  cr->set_source_rgba(backdrop.red, backdrop.green, backdrop.blue, backdrop.alpha);
  cr->paint();
  cr->set_source(gradient(0, fromY, 0, toY, ScrollVeilGeometry::tint(reduceTransparency)));
  cr->paint();
  maskWith(cr, gradient(0, fromY, 0, toY, ScrollVeilGeometry::lengthMask(opaqueFraction_)));
  maskWith(cr, gradient(0, 0, w, 0, ScrollVeilGeometry::widthMask(w)));
  cr->pop_group_to_source();
  cr->set_operator(Cairo::Context::Operator::OVER);
  cr->paint();
}

// The canvas where the veil lies over it, full strength down to the opaque length and
// fading after it; without a canvas behind it, the canvas's ground.
void VeskScrollVeil::snapshotCanvas(GtkSnapshot* s, double w, double h) {
  WorkspaceCanvas* canvas = WorkspaceCanvas::behind(*this);
  graphene_point_t origin = GRAPHENE_POINT_INIT(0, 0);
  const graphene_point_t zero = GRAPHENE_POINT_INIT(0, 0);
  if (canvas && !gtk_widget_compute_point(gobj(), canvas->gobj(), &zero, &origin)) canvas = nullptr;
  // The blooms follow the canvas's size, which may change while the veil's stays.
  if (canvas && !canvasResized_.connected())
    canvasResized_ = canvas->signalResized().connect(sigc::mem_fun(*this, &VeskScrollVeil::queue_draw));

  const CanvasVeilTexture::Look look{static_cast<int>(w),
                                     static_cast<int>(h),
                                     get_scale_factor(),
                                     opaqueFraction_,
                                     bottom_,
                                     canvas != nullptr,
                                     canvas ? origin.x : 0.0,
                                     canvas ? origin.y : 0.0,
                                     canvas ? canvas->get_width() : 0,
                                     canvas ? canvas->get_height() : 0};
  const graphene_rect_t bounds = GRAPHENE_RECT_INIT(0, 0, static_cast<float>(w), static_cast<float>(h));
  if (auto& image = canvasImage_.pictureFor(*this, canvas, look)) {
    image.append(GTK_WIDGET(gobj()), s, bounds);
  } else {
    const GdkRGBA ground = gdkColour(WorkspaceCanvasRecipe::ground);
    gtk_snapshot_append_color(s, &ground, &bounds);
  }
}

}  // namespace vesk::ui

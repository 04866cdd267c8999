#include "ui/style/workspace_canvas.h"

#include "core/style/control_stylesheet.h"
#include "core/style/shared_control_recipe.h"
#include "ui/style/gsk_colour.h"

#include <gtkmm/snapshot.h>

namespace vesk::ui {

namespace {

void appendBloom(GtkSnapshot* snapshot, const WorkspaceCanvasRecipe::BlurredBloom& bloom, const graphene_rect_t& area) {
  const graphene_point_t centre =
      GRAPHENE_POINT_INIT(static_cast<float>(bloom.centre.x), static_cast<float>(bloom.centre.y));
  const auto stops = colourStops(bloom.stops);
  gtk_snapshot_append_radial_gradient(snapshot, &area, &centre, static_cast<float>(bloom.horizontalRadius),
                                      static_cast<float>(bloom.verticalRadius), 0, 1, stops.data(), stops.size());
}

}  // namespace

WorkspaceCanvas::WorkspaceCanvas() {
  add_css_class(ControlClasses::workspaceCanvas);
  set_hexpand(true);
  set_vexpand(true);
  set_can_target(false);
  set_focusable(false);
  property_accessible_role() = Gtk::Accessible::Role::PRESENTATION;
}

const std::vector<WorkspaceCanvasRecipe::BlurredBloom>& WorkspaceCanvas::bloomsFor(const Size& size) {
  if (bloomSize_ == size) return blooms_;
  bloomSize_ = size;
  blooms_.clear();
  for (const auto& bloom : WorkspaceCanvasRecipe::blooms(size.width, size.height))
    if (auto blurred = WorkspaceCanvasRecipe::blurred(bloom, WorkspaceCanvasRecipe::blurRadius))
      blooms_.push_back(std::move(*blurred));
  return blooms_;
}

WorkspaceCanvas* WorkspaceCanvas::behind(const Gtk::Widget& widget) {
  for (GtkWidget* w = gtk_widget_get_parent(const_cast<GtkWidget*>(widget.gobj())); w; w = gtk_widget_get_parent(w)) {
    GtkWidget* first = gtk_widget_get_first_child(w);
    if (!first) continue;
    // Only widgets made here have a C++ side to look at; none is made for the others.
    auto* object = Glib::ObjectBase::_get_current_wrapper(G_OBJECT(first));
    if (auto* canvas = dynamic_cast<WorkspaceCanvas*>(object)) return canvas;
  }
  return nullptr;
}

void WorkspaceCanvas::size_allocate_vfunc(int width, int height, int) {
  const Size size{static_cast<double>(width), static_cast<double>(height)};
  if (allocated_ == size) return;
  allocated_ = size;
  resized_.emit();
}

void WorkspaceCanvas::snapshot_vfunc(const Glib::RefPtr<Gtk::Snapshot>& snapshot) { paint(snapshot->gobj()); }

void WorkspaceCanvas::paint(GtkSnapshot* s) {
  using R = WorkspaceCanvasRecipe;
  const float w = static_cast<float>(get_width());
  const float h = static_cast<float>(get_height());
  if (w <= 0 || h <= 0) return;
  const graphene_rect_t bounds = GRAPHENE_RECT_INIT(0, 0, w, h);
  const GdkRGBA ground = gdkColour(R::ground);
  gtk_snapshot_append_color(s, &ground, &bounds);

  // The blurred group, grown about the centre and faded, never spills out of the canvas.
  // Each blurred ellipse is drawn as the gradient the blur would leave.
  gtk_snapshot_push_clip(s, &bounds);
  gtk_snapshot_push_opacity(s, R::opacity);
  gtk_snapshot_save(s);
  const graphene_point_t centre = GRAPHENE_POINT_INIT(w / 2, h / 2);
  const graphene_point_t back = GRAPHENE_POINT_INIT(-w / 2, -h / 2);
  gtk_snapshot_translate(s, &centre);
  gtk_snapshot_scale(s, static_cast<float>(R::scale), static_cast<float>(R::scale));
  gtk_snapshot_translate(s, &back);
  // The scaled group still covers the canvas.
  const graphene_rect_t area = GRAPHENE_RECT_INIT(0, 0, w, h);
  for (const auto& bloom : bloomsFor({w, h})) appendBloom(s, bloom, area);
  gtk_snapshot_restore(s);
  gtk_snapshot_pop(s);
  gtk_snapshot_pop(s);
}

}  // namespace vesk::ui

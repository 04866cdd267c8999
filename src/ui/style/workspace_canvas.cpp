#include "ui/style/workspace_canvas.h"

#include "core/style/control_stylesheet.h"
#include "core/style/shared_control_recipe.h"
#include "ui/style/gsk_colour.h"

#include <gtkmm/snapshot.h>

namespace vesk::ui {

namespace {

void appendEllipse(GtkSnapshot* snapshot, const Bloom& bloom) {
  const graphene_rect_t frame = GRAPHENE_RECT_INIT(static_cast<float>(bloom.frame.x), static_cast<float>(bloom.frame.y),
                                                   static_cast<float>(bloom.frame.width),
                                                   static_cast<float>(bloom.frame.height));
  GskRoundedRect ellipse;
  const graphene_size_t radius = GRAPHENE_SIZE_INIT(frame.size.width / 2, frame.size.height / 2);
  gsk_rounded_rect_init(&ellipse, &frame, &radius, &radius, &radius, &radius);
  const GdkRGBA colour = gdkColour(bloom.colour);
  gtk_snapshot_push_rounded_clip(snapshot, &ellipse);
  gtk_snapshot_append_color(snapshot, &colour, &frame);
  gtk_snapshot_pop(snapshot);
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

void WorkspaceCanvas::snapshot_vfunc(const Glib::RefPtr<Gtk::Snapshot>& snapshot) {
  using R = WorkspaceCanvasRecipe;
  const float w = static_cast<float>(get_width());
  const float h = static_cast<float>(get_height());
  if (w <= 0 || h <= 0) return;
  GtkSnapshot* s = snapshot->gobj();
  const graphene_rect_t bounds = GRAPHENE_RECT_INIT(0, 0, w, h);
  const GdkRGBA ground = gdkColour(R::ground);
  gtk_snapshot_append_color(s, &ground, &bounds);

  // The blurred group, grown about the centre and faded, never spills out of the canvas.
  gtk_snapshot_push_clip(s, &bounds);
  gtk_snapshot_push_opacity(s, R::opacity);
  gtk_snapshot_save(s);
  const graphene_point_t centre = GRAPHENE_POINT_INIT(w / 2, h / 2);
  const graphene_point_t back = GRAPHENE_POINT_INIT(-w / 2, -h / 2);
  gtk_snapshot_translate(s, &centre);
  gtk_snapshot_scale(s, static_cast<float>(R::scale), static_cast<float>(R::scale));
  gtk_snapshot_translate(s, &back);
  gtk_snapshot_push_blur(s, R::blurRadius);
  for (const auto& bloom : R::blooms(w, h)) appendEllipse(s, bloom);
  gtk_snapshot_pop(s);
  gtk_snapshot_restore(s);
  gtk_snapshot_pop(s);
  gtk_snapshot_pop(s);
}

}  // namespace vesk::ui

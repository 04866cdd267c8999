#include "ui/style/workspace_canvas.h"

#include "core/style/control_stylesheet.h"
#include "core/style/shared_control_recipe.h"
#include "ui/style/gsk_colour.h"

#include <gtkmm/snapshot.h>

#include <algorithm>
#include <cmath>

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

// The canvas at full size, as nodes: the ground, then the blurred group, grown about the
// centre and faded, which never spills out of the canvas. Each blurred ellipse is drawn as
// the gradient the blur would leave.
void WorkspaceCanvas::appendCanvas(GtkSnapshot* s, float w, float h) {
  using R = WorkspaceCanvasRecipe;
  const graphene_rect_t bounds = GRAPHENE_RECT_INIT(0, 0, w, h);
  const GdkRGBA ground = gdkColour(R::ground);
  gtk_snapshot_append_color(s, &ground, &bounds);
  gtk_snapshot_push_clip(s, &bounds);
  gtk_snapshot_push_opacity(s, R::opacity);
  gtk_snapshot_save(s);
  const graphene_point_t centre = GRAPHENE_POINT_INIT(w / 2, h / 2);
  const graphene_point_t back = GRAPHENE_POINT_INIT(-w / 2, -h / 2);
  gtk_snapshot_translate(s, &centre);
  gtk_snapshot_scale(s, static_cast<float>(R::scale), static_cast<float>(R::scale));
  gtk_snapshot_translate(s, &back);
  // The scaled group still covers the canvas.
  for (const auto& bloom : bloomsFor({w, h})) appendBloom(s, bloom, bounds);
  gtk_snapshot_restore(s);
  gtk_snapshot_pop(s);
  gtk_snapshot_pop(s);
}

Glib::RefPtr<Gdk::Texture> WorkspaceCanvas::textureFor(const Size& size) {
  if (textureSize_ == size && texture_) return texture_;
  textureSize_ = size;
  const int width = std::max(1, static_cast<int>(std::ceil(size.width * textureScale)));
  const int height = std::max(1, static_cast<int>(std::ceil(size.height * textureScale)));
  GtkSnapshot* small = gtk_snapshot_new();
  gtk_snapshot_scale(small, static_cast<float>(width / size.width), static_cast<float>(height / size.height));
  appendCanvas(small, static_cast<float>(size.width), static_cast<float>(size.height));
  GskRenderNode* node = gtk_snapshot_free_to_node(small);
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
  cairo_t* cr = cairo_create(surface);
  if (node) gsk_render_node_draw(node, cr);
  cairo_destroy(cr);
  cairo_surface_flush(surface);
  const auto stride = static_cast<gsize>(cairo_image_surface_get_stride(surface));
  GBytes* bytes = g_bytes_new(cairo_image_surface_get_data(surface), stride * static_cast<gsize>(height));
  // Cairo's ARGB32 is premultiplied BGRA in memory on a little-endian machine, and
  // premultiplied ARGB on a big-endian one.
  const auto format =
      G_BYTE_ORDER == G_LITTLE_ENDIAN ? GDK_MEMORY_B8G8R8A8_PREMULTIPLIED : GDK_MEMORY_A8R8G8B8_PREMULTIPLIED;
  texture_ = Glib::wrap(gdk_memory_texture_new(width, height, format, bytes, stride));
  g_bytes_unref(bytes);
  cairo_surface_destroy(surface);
  if (node) gsk_render_node_unref(node);
  return texture_;
}

void WorkspaceCanvas::snapshot_vfunc(const Glib::RefPtr<Gtk::Snapshot>& snapshot) {
  const float w = static_cast<float>(get_width());
  const float h = static_cast<float>(get_height());
  if (w <= 0 || h <= 0) return;
  GtkSnapshot* s = snapshot->gobj();
  const graphene_rect_t bounds = GRAPHENE_RECT_INIT(0, 0, w, h);
  // The ground under the texture, so that its stretched edges never let anything through.
  const GdkRGBA ground = gdkColour(WorkspaceCanvasRecipe::ground);
  gtk_snapshot_append_color(s, &ground, &bounds);
  gtk_snapshot_append_texture(s, textureFor({w, h})->gobj(), &bounds);
}

}  // namespace vesk::ui

#include "ui/base/widget_snapshot.h"

#include "core/platform/object_ptr.h"

#include <gtk/gtk.h>

#include <memory>

namespace vesk::ui {

namespace {

struct RenderNodeUnref {
  void operator()(GskRenderNode* node) const { gsk_render_node_unref(node); }
};

// Unrealises the renderer before the last reference goes.
struct RendererDone {
  void operator()(GskRenderer* renderer) const {
    gsk_renderer_unrealize(renderer);
    g_object_unref(renderer);
  }
};

// The widget as it looks now, in its own coordinates. Drawn through its parent, which
// draws it afresh if anything changed since the last frame; the toolkit's widget
// paintable would only show what the last frame drew, or nothing before it.
GskRenderNode* drawNow(GtkWidget* widget, int width, int height) {
  GtkSnapshot* snapshot = gtk_snapshot_new();
  if (GtkWidget* parent = gtk_widget_get_parent(widget)) {
    graphene_point_t origin;
    const graphene_point_t zero = GRAPHENE_POINT_INIT(0, 0);
    if (gtk_widget_compute_point(widget, parent, &zero, &origin)) {
      const graphene_point_t back = GRAPHENE_POINT_INIT(-origin.x, -origin.y);
      gtk_snapshot_translate(snapshot, &back);
      gtk_widget_snapshot_child(parent, widget, snapshot);
    }
  } else {
    const auto paintable = glib::ObjectPtr<GdkPaintable>::adopt(gtk_widget_paintable_new(widget));
    gdk_paintable_snapshot(paintable.get(), snapshot, width, height);
  }
  return gtk_snapshot_free_to_node(snapshot);
}

}  // namespace

Glib::RefPtr<Gdk::Texture> renderWidget(Gtk::Widget& widget) {
  const int width = widget.get_width();
  const int height = widget.get_height();
  if (width <= 0 || height <= 0) return {};

  const std::unique_ptr<GskRenderNode, RenderNodeUnref> node(drawNow(widget.gobj(), width, height));
  if (!node) return {};

  glib::ErrorSlot error;
  GskRenderer* raw = gsk_cairo_renderer_new();
  if (!gsk_renderer_realize(raw, nullptr, error.out())) {
    g_object_unref(raw);
    return {};
  }
  const std::unique_ptr<GskRenderer, RendererDone> renderer(raw);
  const graphene_rect_t viewport = GRAPHENE_RECT_INIT(0, 0, static_cast<float>(width), static_cast<float>(height));
  GdkTexture* texture = gsk_renderer_render_texture(renderer.get(), node.get(), &viewport);
  return Glib::wrap(texture);  // takes over the returned reference
}

bool saveWidgetPng(Gtk::Widget& widget, const std::string& path) {
  const auto texture = renderWidget(widget);
  return texture && gdk_texture_save_to_png(texture->gobj(), path.c_str());
}

}  // namespace vesk::ui

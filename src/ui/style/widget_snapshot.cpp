#include "ui/style/widget_snapshot.h"

#include "core/glib/object_ptr.h"

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

}  // namespace

Glib::RefPtr<Gdk::Texture> renderWidget(Gtk::Widget& widget) {
  const int width = widget.get_width();
  const int height = widget.get_height();
  if (width <= 0 || height <= 0) return {};

  const auto paintable = glib::ObjectPtr<GdkPaintable>::adopt(gtk_widget_paintable_new(widget.gobj()));
  GtkSnapshot* snapshot = gtk_snapshot_new();
  gdk_paintable_snapshot(paintable.get(), snapshot, width, height);
  const std::unique_ptr<GskRenderNode, RenderNodeUnref> node(gtk_snapshot_free_to_node(snapshot));
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

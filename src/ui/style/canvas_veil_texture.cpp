#include "ui/style/canvas_veil_texture.h"

#include "core/platform/object_ptr.h"
#include "core/style/shared_control_recipe.h"
#include "ui/style/gsk_colour.h"

#include <cairomm/context.h>
#include <cairomm/pattern.h>
#include <cairomm/surface.h>

#include <algorithm>
#include <cmath>
#include <memory>

namespace vesk::ui {

namespace {

struct RenderNodeUnref {
  void operator()(GskRenderNode* node) const { gsk_render_node_unref(node); }
};

}  // namespace

FramePicture& CanvasVeilTexture::pictureFor(Gtk::Widget& veil, WorkspaceCanvas* canvas, const Look& look) {
  if (look_ == look && picture_) return picture_;
  picture_ = make(veil, canvas, look);
  look_ = look;
  ++made_;
  return picture_;
}

// The canvas is drawn once by the window's own renderer, so it looks exactly as the window
// shows it, and then faded row by row: each row keeps the share of the canvas the fade
// allows at its centre.
FramePicture CanvasVeilTexture::make(Gtk::Widget& veil, WorkspaceCanvas* canvas, const Look& look) {
  GtkNative* native = gtk_widget_get_native(veil.gobj());
  GskRenderer* renderer = native ? gtk_native_get_renderer(native) : nullptr;
  if (!renderer || look.width <= 0 || look.height <= 0) return {};
  const int scale = std::max(1, look.scale);
  const int width = look.width * scale;
  const int height = look.height * scale;

  GtkSnapshot* s = gtk_snapshot_new();
  gtk_snapshot_scale(s, static_cast<float>(scale), static_cast<float>(scale));
  const graphene_rect_t area =
      GRAPHENE_RECT_INIT(0, 0, static_cast<float>(look.width), static_cast<float>(look.height));
  gtk_snapshot_push_clip(s, &area);
  if (canvas && look.onCanvas) {
    const graphene_point_t back =
        GRAPHENE_POINT_INIT(static_cast<float>(-look.originX), static_cast<float>(-look.originY));
    gtk_snapshot_translate(s, &back);
    canvas->paint(s);
  } else {
    const GdkRGBA ground = gdkColour(WorkspaceCanvasRecipe::ground);
    gtk_snapshot_append_color(s, &ground, &area);
  }
  gtk_snapshot_pop(s);
  const std::unique_ptr<GskRenderNode, RenderNodeUnref> node(gtk_snapshot_free_to_node(s));
  if (!node) return {};
  const graphene_rect_t viewport = GRAPHENE_RECT_INIT(0, 0, static_cast<float>(width), static_cast<float>(height));
  const auto drawn = glib::ObjectPtr<GdkTexture>::adopt(gsk_renderer_render_texture(renderer, node.get(), &viewport));
  if (!drawn) return {};

  const auto surface = Cairo::ImageSurface::create(Cairo::Surface::Format::ARGB32, width, height);
  surface->flush();
  gdk_texture_download(drawn.get(), surface->get_data(), static_cast<gsize>(surface->get_stride()));
  surface->mark_dirty();

  // From full strength at the opaque length to nothing at the far edge, in device pixels.
  const double opaque = std::round(std::clamp(look.opaqueFraction, 0.0, 1.0) * look.height) * scale;
  if (opaque < height) {
    const double fromY = look.bottom ? height - opaque : opaque;
    const double toY = look.bottom ? 0 : height;
    auto fade = Cairo::LinearGradient::create(0, fromY, 0, toY);
    fade->add_color_stop_rgba(0, 0, 0, 0, 1);
    fade->add_color_stop_rgba(1, 0, 0, 0, 0);
    const auto cr = Cairo::Context::create(surface);
    cr->set_operator(Cairo::Context::Operator::DEST_IN);
    cr->set_source(fade);
    cr->paint();
  }
  return FramePicture(surface);
}

}  // namespace vesk::ui

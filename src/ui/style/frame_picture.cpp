#include "ui/style/frame_picture.h"

#include <glibmm/bytes.h>

#include <memory>
#include <utility>

namespace vesk::ui {

namespace {

bool drawnByCairo(GtkWidget* widget) {
  GtkNative* native = gtk_widget_get_native(widget);
  GskRenderer* renderer = native ? gtk_native_get_renderer(native) : nullptr;
  return renderer && GSK_IS_CAIRO_RENDERER(renderer);
}

}  // namespace

FramePicture::FramePicture(Cairo::RefPtr<Cairo::ImageSurface> pixels) : pixels_(std::move(pixels)) {
  if (pixels_) pixels_->flush();
}

void FramePicture::append(GtkWidget* widget, GtkSnapshot* snapshot, const graphene_rect_t& bounds) {
  if (!pixels_ || bounds.size.width <= 0 || bounds.size.height <= 0) return;
  if (drawnByCairo(widget)) {
    appendPainted(snapshot, bounds);
  } else if (const auto picture = texture()) {
    gtk_snapshot_append_texture(snapshot, picture->gobj(), &bounds);
  }
}

Glib::RefPtr<Gdk::Texture> FramePicture::texture() {
  if (texture_) return texture_;
  const int height = pixels_->get_height();
  const auto stride = static_cast<gsize>(pixels_->get_stride());
  const auto bytes = Glib::Bytes::create(pixels_->get_data(), stride * static_cast<gsize>(height));
  // Cairo's ARGB32 is the renderers' own default format: no conversion on upload.
  texture_ = Glib::wrap(
      GDK_TEXTURE(gdk_memory_texture_new(pixels_->get_width(), height, GDK_MEMORY_DEFAULT, bytes->gobj(), stride)));
  return texture_;
}

// The same placement, edge padding and filter as the software renderer's texture node.
void FramePicture::appendPainted(GtkSnapshot* snapshot, const graphene_rect_t& bounds) const {
  const std::unique_ptr<cairo_t, decltype(&cairo_destroy)> cr(gtk_snapshot_append_cairo(snapshot, &bounds),
                                                              &cairo_destroy);
  const std::unique_ptr<cairo_pattern_t, decltype(&cairo_pattern_destroy)> pattern(
      cairo_pattern_create_for_surface(pixels_->cobj()), &cairo_pattern_destroy);
  cairo_pattern_set_extend(pattern.get(), CAIRO_EXTEND_PAD);
  cairo_matrix_t matrix;
  cairo_matrix_init_scale(&matrix, pixels_->get_width() / bounds.size.width,
                          pixels_->get_height() / bounds.size.height);
  cairo_matrix_translate(&matrix, -bounds.origin.x, -bounds.origin.y);
  cairo_pattern_set_matrix(pattern.get(), &matrix);
  cairo_set_source(cr.get(), pattern.get());
  cairo_rectangle(cr.get(), bounds.origin.x, bounds.origin.y, bounds.size.width, bounds.size.height);
  cairo_fill(cr.get());
}

}  // namespace vesk::ui

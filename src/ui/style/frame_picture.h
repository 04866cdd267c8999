#pragma once
// A picture made once and drawn in every frame after it. The GL renderer keeps a texture
// on the GPU, but GTK's software (cairo) renderer converts a texture's pixels afresh each
// time it draws one; for that renderer the same pixels are painted from a cairo image,
// which costs only the pixels the frame redraws.
#include <cairomm/surface.h>
#include <gdkmm/texture.h>
#include <gtk/gtk.h>

namespace vesk::ui {

class FramePicture {
 public:
  FramePicture() = default;
  // `pixels`: premultiplied ARGB32, as cairo keeps them; no longer drawn into.
  explicit FramePicture(Cairo::RefPtr<Cairo::ImageSurface> pixels);

  explicit operator bool() const { return static_cast<bool>(pixels_); }
  // Stretched over `bounds`, as a texture node draws, with the renderer of `widget`'s window.
  void append(GtkWidget* widget, GtkSnapshot* snapshot, const graphene_rect_t& bounds);

 private:
  Glib::RefPtr<Gdk::Texture> texture();
  void appendPainted(GtkSnapshot* snapshot, const graphene_rect_t& bounds) const;

  Cairo::RefPtr<Cairo::ImageSurface> pixels_;
  Glib::RefPtr<Gdk::Texture> texture_;  // made for the first renderer that is not cairo
};

}  // namespace vesk::ui

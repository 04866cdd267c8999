#pragma once
// A band laid over the top or bottom edge of a scroll area (the caller places it, for
// example in an overlay), full strength up to `opaqueFraction` of its length and fading
// out after it. It never takes pointer events and is hidden from assistive technologies.
//
// Its backdrop is either a warm frosted material, which also fades in over 32 px at
// either end, or the window's canvas itself: GTK has no backdrop blur, so a veil under
// the window header paints the very canvas the window shows there and hides what scrolls
// beneath it without showing as a band of its own. That piece of the canvas, faded, is
// made into one image per size and kept, so a redraw costs one image.
#include "ui/style/canvas_veil_texture.h"

#include <gtkmm/widget.h>
#include <sigc++/connection.h>

namespace vesk::ui {

class VeskScrollVeil : public Gtk::Widget {
 public:
  enum class Backdrop { frosted, canvas };

  VeskScrollVeil(double height, bool bottom, double opaqueFraction, Backdrop backdrop = Backdrop::frosted);

  double height() const { return height_; }
  void setHeight(double height);
  bool bottom() const { return bottom_; }
  double opaqueFraction() const { return opaqueFraction_; }
  void setOpaqueFraction(double fraction);
  Backdrop backdrop() const { return backdrop_; }
  // How many times a canvas veil has drawn the canvas: once per size, scale and look.
  int canvasImagesMade() const { return canvasImage_.made(); }

 protected:
  Gtk::SizeRequestMode get_request_mode_vfunc() const override;
  void measure_vfunc(Gtk::Orientation orientation, int forSize, int& minimum, int& natural, int& minimumBaseline,
                     int& naturalBaseline) const override;
  void snapshot_vfunc(const Glib::RefPtr<Gtk::Snapshot>& snapshot) override;

 private:
  void snapshotFrosted(const Glib::RefPtr<Gtk::Snapshot>& snapshot, double width, double height);
  void snapshotCanvas(GtkSnapshot* snapshot, double width, double height);

  double height_;
  bool bottom_;
  double opaqueFraction_;
  Backdrop backdrop_;
  sigc::connection canvasResized_;
  CanvasVeilTexture canvasImage_;
};

}  // namespace vesk::ui

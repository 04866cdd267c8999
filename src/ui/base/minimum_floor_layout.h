#pragma once
// Lays each child over the whole widget, as GTK's bin layout does, but never smaller than
// the child's minimum size: a window manager may give a window less than its minimum (a
// tiling one does), and what does not fit is cut at the window's edges instead of every
// widget inside being squeezed below what it can lay out.
#include <gtkmm/layoutmanager.h>

namespace vesk::ui {

class MinimumFloorLayout : public Gtk::LayoutManager {
 public:
  static Glib::RefPtr<MinimumFloorLayout> create();

 protected:
  MinimumFloorLayout() = default;
  void measure_vfunc(const Gtk::Widget& widget, Gtk::Orientation orientation, int forSize, int& minimum, int& natural,
                     int& minimumBaseline, int& naturalBaseline) const override;
  void allocate_vfunc(const Gtk::Widget& widget, int width, int height, int baseline) override;
};

}  // namespace vesk::ui

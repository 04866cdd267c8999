#pragma once
// Holds one child at one width, whatever the child's natural width: a column that must
// not move when its text changes. The child's content ellipsizes or wraps inside it; only
// a child that cannot be narrower than its own minimum widens the bin to that minimum.
#include <gtkmm/widget.h>

namespace vesk::ui {

class FixedWidthBin : public Gtk::Widget {
 public:
  // `child` becomes this widget's child (make it managed or keep it alive).
  FixedWidthBin(Gtk::Widget& child, int width);
  ~FixedWidthBin() override;

 protected:
  Gtk::SizeRequestMode get_request_mode_vfunc() const override;
  void measure_vfunc(Gtk::Orientation orientation, int forSize, int& minimum, int& natural, int& minimumBaseline,
                     int& naturalBaseline) const override;
  void size_allocate_vfunc(int width, int height, int baseline) override;

 private:
  void release();

  Gtk::Widget* child_;
  int width_;
};

}  // namespace vesk::ui

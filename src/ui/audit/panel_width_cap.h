#pragma once
// Holds one panel of the progress screen at most `maxWidth` px wide, at the leading
// edge of a wider column; a narrower column lets it shrink.
#include <gtkmm/widget.h>

namespace vesk::ui {

class PanelWidthCap : public Gtk::Widget {
 public:
  // `child` becomes this widget's child (make it managed or keep it alive).
  PanelWidthCap(Gtk::Widget& child, int maxWidth);
  ~PanelWidthCap() override;

 protected:
  Gtk::SizeRequestMode get_request_mode_vfunc() const override;
  void measure_vfunc(Gtk::Orientation orientation, int forSize, int& minimum, int& natural, int& minimumBaseline,
                     int& naturalBaseline) const override;
  void size_allocate_vfunc(int width, int height, int baseline) override;

 private:
  void release();

  Gtk::Widget* child_;
  int maxWidth_;
};

}  // namespace vesk::ui

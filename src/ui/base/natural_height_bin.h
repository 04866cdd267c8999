#pragma once
// Holds one child and asks for the child's natural height as its minimum too. A
// scrolling page hands its content only the minimum height; through this, a field that
// grows with its text still grows there.
#include <gtkmm/widget.h>

namespace vesk::ui {

class NaturalHeightBin : public Gtk::Widget {
 public:
  // `child` becomes this widget's child (make it managed or keep it alive).
  explicit NaturalHeightBin(Gtk::Widget& child);
  ~NaturalHeightBin() override;

 protected:
  Gtk::SizeRequestMode get_request_mode_vfunc() const override;
  void measure_vfunc(Gtk::Orientation orientation, int forSize, int& minimum, int& natural, int& minimumBaseline,
                     int& naturalBaseline) const override;
  void size_allocate_vfunc(int width, int height, int baseline) override;

 private:
  void release();

  Gtk::Widget* child_;
};

}  // namespace vesk::ui

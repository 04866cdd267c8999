#pragma once
// Lays out a checkbox row: the box first (last in right-to-left text), 10 px of space,
// then the label, with the box's bottom 3 px below the label's first baseline.
#include <gtkmm/layoutmanager.h>

namespace vesk::ui {

class CheckboxRowLayout : public Gtk::LayoutManager {
 public:
  static Glib::RefPtr<CheckboxRowLayout> create();

 protected:
  CheckboxRowLayout();
  Gtk::SizeRequestMode get_request_mode_vfunc(const Gtk::Widget& widget) const override;
  void measure_vfunc(const Gtk::Widget& widget, Gtk::Orientation orientation, int forSize, int& minimum, int& natural,
                     int& minimumBaseline, int& naturalBaseline) const override;
  void allocate_vfunc(const Gtk::Widget& widget, int width, int height, int baseline) override;
};

}  // namespace vesk::ui

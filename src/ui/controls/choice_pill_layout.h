#pragma once
// Lines up choice pills left to right (right to left in right-to-left text) and wraps
// them onto further rows like words in a paragraph, with one spacing between
// neighbours and between rows. Offered no width, it lays out against 760 px. A pill is
// never given less than its own minimum width, so the layout's minimum width is its
// widest pill's minimum. Rows align at their tops, or on their centre line when the
// pills of a row differ in height.
#include "core/style/choice_pill_arrangement.h"

#include <gtkmm/layoutmanager.h>

namespace vesk::ui {

class ChoicePillLayout : public Gtk::LayoutManager {
 public:
  static Glib::RefPtr<ChoicePillLayout> create(double spacing, PillRowAlignment alignment = PillRowAlignment::top);

  double spacing() const { return spacing_; }
  void set_spacing(double spacing);

 protected:
  ChoicePillLayout(double spacing, PillRowAlignment alignment);
  Gtk::SizeRequestMode get_request_mode_vfunc(const Gtk::Widget& widget) const override;
  void measure_vfunc(const Gtk::Widget& widget, Gtk::Orientation orientation, int forSize, int& minimum, int& natural,
                     int& minimumBaseline, int& naturalBaseline) const override;
  void allocate_vfunc(const Gtk::Widget& widget, int width, int height, int baseline) override;

 private:
  double spacing_;
  PillRowAlignment alignment_;
};

}  // namespace vesk::ui

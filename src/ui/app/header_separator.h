#pragma once
// The thin gold rule between the groups of the header's toolbar.
#include <gtkmm/widget.h>

namespace vesk::ui {

class HeaderSeparator : public Gtk::Widget {
 public:
  static constexpr int width = 1;
  static constexpr int height = 19;
  static constexpr int sidePadding = 6;
  static constexpr double opacity = 0.2;

  HeaderSeparator();

 protected:
  void measure_vfunc(Gtk::Orientation orientation, int forSize, int& minimum, int& natural, int& minimumBaseline,
                     int& naturalBaseline) const override;
  void snapshot_vfunc(const Glib::RefPtr<Gtk::Snapshot>& snapshot) override;
};

}  // namespace vesk::ui

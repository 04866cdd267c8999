#pragma once
// A warm frosted band laid over the top or bottom edge of a scroll area (the caller
// places it, for example in an overlay). It fades out along its length after
// `opaqueFraction` and over 32 px at either end, never takes pointer events, and is
// hidden from assistive technologies.
#include <gtkmm/widget.h>

namespace vesk::ui {

class VeskScrollVeil : public Gtk::Widget {
 public:
  VeskScrollVeil(double height, bool bottom, double opaqueFraction);

  double height() const { return height_; }
  void setHeight(double height);
  bool bottom() const { return bottom_; }
  double opaqueFraction() const { return opaqueFraction_; }

 protected:
  Gtk::SizeRequestMode get_request_mode_vfunc() const override;
  void measure_vfunc(Gtk::Orientation orientation, int forSize, int& minimum, int& natural, int& minimumBaseline,
                     int& naturalBaseline) const override;
  void snapshot_vfunc(const Glib::RefPtr<Gtk::Snapshot>& snapshot) override;

 private:
  double height_;
  bool bottom_;
  double opaqueFraction_;
};

}  // namespace vesk::ui

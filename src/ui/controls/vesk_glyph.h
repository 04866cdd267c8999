#pragma once
// One of the application's line icons, stroked (never filled) in the foreground colour
// where it is placed, in a square of `size` px. Hidden from assistive technologies:
// the control that shows it carries the label.
#include "core/style/vesk_glyph_shape.h"

#include <gtkmm/widget.h>

namespace vesk::ui {

class VeskGlyph : public Gtk::Widget {
 public:
  using Kind = VeskGlyphKind;

  VeskGlyph(Kind kind, double size);

  Kind kind() const { return kind_; }
  double size() const { return size_; }
  void set_kind(Kind kind);

 protected:
  Gtk::SizeRequestMode get_request_mode_vfunc() const override;
  void measure_vfunc(Gtk::Orientation orientation, int forSize, int& minimum, int& natural, int& minimumBaseline,
                     int& naturalBaseline) const override;
  void snapshot_vfunc(const Glib::RefPtr<Gtk::Snapshot>& snapshot) override;

 private:
  Kind kind_;
  double size_;
};

}  // namespace vesk::ui

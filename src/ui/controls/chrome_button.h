#pragma once
// The round glyph button of the window header: a 21 px glyph in a 40 px circle that
// warms with gold while hovered, a gold ring inside the circle under keyboard focus,
// drawn at 0.35 opacity when disabled. Its label is both the tooltip and the name
// assistive technologies read.
#include "ui/controls/vesk_glyph.h"

#include <gtkmm/button.h>

#include <functional>

namespace vesk::ui {

class ChromeButton : public Gtk::Button {
 public:
  ChromeButton(VeskGlyph::Kind kind, const Glib::ustring& label, std::function<void()> action);

  VeskGlyph::Kind kind() const { return glyph_->kind(); }
  const Glib::ustring& label() const { return label_; }
  bool hovered() const;

 protected:
  // Only the circle takes the pointer, not the corners of its square.
  bool contains_vfunc(double x, double y) const override;

 private:
  VeskGlyph* glyph_;  // managed, owned by the button
  Glib::ustring label_;
};

}  // namespace vesk::ui

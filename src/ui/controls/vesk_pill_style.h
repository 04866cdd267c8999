#pragma once
// The capsule look of a text button in one of five roles, regular or compact: hover,
// press, keyboard focus ring, disabled and popup looks, animated unless the user asked
// for reduced motion. The look itself lives in the generated stylesheet; applying the
// style gives the button its classes and keeps its hover, popup and motion states.
#include "core/style/vesk_button_role.h"

#include <gtkmm/button.h>

namespace vesk::ui {

class VeskPillStyle {
 public:
  VeskPillStyle(VeskButtonRole role, PillSize size) : role_(role), size_(size) {}

  VeskButtonRole role() const { return role_; }
  PillSize size() const { return size_; }

  // Dresses `button`, replacing any pill style applied before.
  void apply(Gtk::Button& button) const;

 private:
  VeskButtonRole role_;
  PillSize size_;
};

}  // namespace vesk::ui

#pragma once
// The look of every checkbox: an 18 px rounded box, white with a gold rim when off, red
// with a white checkmark when on, 10 px before its label and sitting on the label's
// first line. The whole row takes clicks, so a click on the label toggles too, and
// assistive technologies read a checkbox with its checked state.
#include <gtkmm/checkbutton.h>

namespace vesk::ui {

class AtelierCheckboxStyle {
 public:
  void apply(Gtk::CheckButton& checkbox) const;
};

}  // namespace vesk::ui

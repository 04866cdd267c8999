#include "ui/controls/vesk_pill_style.h"

#include "core/style/control_stylesheet.h"
#include "ui/controls/control_state_binding.h"

namespace vesk::ui {

void VeskPillStyle::apply(Gtk::Button& button) const {
  for (const auto role : allButtonRoles) button.remove_css_class(ControlClasses::role(role));
  button.add_css_class(ControlClasses::pill);
  button.add_css_class(ControlClasses::role(role_));
  if (size_ == PillSize::compact) {
    button.add_css_class(ControlClasses::compact);
  } else {
    button.remove_css_class(ControlClasses::compact);
  }
  ControlStateBinding::of(button);
}

}  // namespace vesk::ui

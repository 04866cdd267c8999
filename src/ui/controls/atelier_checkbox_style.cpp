#include "ui/controls/atelier_checkbox_style.h"

#include "core/style/control_stylesheet.h"
#include "ui/controls/checkbox_row_layout.h"

namespace vesk::ui {

void AtelierCheckboxStyle::apply(Gtk::CheckButton& checkbox) const {
  checkbox.add_css_class(ControlClasses::checkbox);
  if (!dynamic_cast<CheckboxRowLayout*>(checkbox.get_layout_manager().get()))
    checkbox.set_layout_manager(CheckboxRowLayout::create());
}

}  // namespace vesk::ui

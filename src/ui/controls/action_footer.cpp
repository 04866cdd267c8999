#include "ui/controls/action_footer.h"

#include "core/style/control_stylesheet.h"
#include "core/style/shared_control_recipe.h"

namespace vesk::ui {

ActionFooter::ActionFooter(Gtk::Widget& content)
    : Gtk::Box(Gtk::Orientation::VERTICAL, static_cast<int>(ActionFooterRecipe::spacing)),
      hairline_(Gtk::make_managed<Gtk::Box>()),
      content_(content) {
  add_css_class(ControlClasses::actionFooter);
  hairline_->add_css_class(ControlClasses::actionFooterHairline);
  hairline_->set_hexpand(true);
  hairline_->property_accessible_role() = Gtk::Accessible::Role::PRESENTATION;
  append(*hairline_);
  append(content);
}

}  // namespace vesk::ui

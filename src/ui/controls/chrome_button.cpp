#include "ui/controls/chrome_button.h"

#include "core/style/control_stylesheet.h"
#include "core/style/shared_control_recipe.h"
#include "ui/controls/accessible_label.h"
#include "ui/controls/control_state_binding.h"

namespace vesk::ui {

ChromeButton::ChromeButton(VeskGlyph::Kind kind, const Glib::ustring& label, std::function<void()> action)
    : glyph_(Gtk::make_managed<VeskGlyph>(kind, ChromeButtonRecipe::glyphSize)), label_(label) {
  add_css_class(ControlClasses::chromeButton);
  glyph_->set_halign(Gtk::Align::CENTER);
  glyph_->set_valign(Gtk::Align::CENTER);
  set_child(*glyph_);
  set_tooltip_text(label);
  setAccessibleLabel(*this, label);
  ControlStateBinding::of(*this);
  if (action) signal_clicked().connect(std::move(action));
}

bool ChromeButton::contains_vfunc(double x, double y) const {
  const double rx = get_width() / 2.0, ry = get_height() / 2.0;
  if (rx <= 0 || ry <= 0) return false;
  const double dx = (x - rx) / rx, dy = (y - ry) / ry;
  return dx * dx + dy * dy <= 1;
}

bool ChromeButton::hovered() const { return ControlStateBinding::of(const_cast<ChromeButton&>(*this)).hovered(); }

}  // namespace vesk::ui

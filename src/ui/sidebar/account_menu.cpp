#include "ui/sidebar/account_menu.h"

#include "core/style/sidebar_stylesheet.h"
#include "ui/controls/accessible_label.h"

#include <gdk/gdkkeysyms.h>
#include <gtkmm/eventcontrollerkey.h>

namespace vesk::ui {

AccountMenu::AccountMenu(Actions actions) : Gtk::Box(Gtk::Orientation::VERTICAL, 0), actions_(std::move(actions)) {
  add_css_class(SidebarClasses::menu);
  set_size_request(SidebarStylesheet::menuWidth, -1);
  setAccessibleLabel(*this, "Account menu");
  pricing_ = makeItem("", [this] { actions_.pricing(); });
  about_ = makeItem("About Vesk", [this] { actions_.about(); });
  error_ = Gtk::make_managed<Gtk::Label>();
  error_->add_css_class(SidebarClasses::menuError);
  error_->set_wrap(true);
  error_->set_wrap_mode(Pango::WrapMode::WORD_CHAR);
  error_->set_xalign(0);
  error_->set_max_width_chars(1);  // wraps within the menu's width instead of widening it
  error_->set_hexpand(true);
  error_->set_visible(false);
  append(*error_);

  // Ahead of the items and of the popover's own focus keys.
  auto keys = Gtk::EventControllerKey::create();
  keys->set_propagation_phase(Gtk::PropagationPhase::CAPTURE);
  keys->signal_key_pressed().connect([this](guint keyval, guint, Gdk::ModifierType) { return keyPressed(keyval); },
                                     false);
  add_controller(keys);
}

Gtk::Button* AccountMenu::makeItem(const std::string& title, std::function<void()> action) {
  auto* item = Gtk::make_managed<Gtk::Button>();
  item->add_css_class(SidebarClasses::menuItem);
  auto* label = Gtk::make_managed<Gtk::Label>(title);
  label->set_xalign(0);
  label->set_hexpand(true);
  item->set_child(*label);
  item->set_focusable(true);
  item->set_focus_on_click(true);
  item->signal_clicked().connect(std::move(action));
  append(*item);
  return item;
}

void AccountMenu::show(const std::string& pricingLabel, bool loading, const std::optional<std::string>& error) {
  static_cast<Gtk::Label*>(pricing_->get_child())->set_text(pricingLabel);
  pricing_->set_sensitive(!loading);
  error_->set_text(error.value_or(""));
  error_->set_visible(error.has_value());
}

void AccountMenu::focusFirst() { pricing_->grab_focus(); }

std::optional<int> AccountMenu::focusedIndex() const {
  if (pricing_->has_focus()) return 0;
  if (about_->has_focus()) return 1;
  return std::nullopt;
}

bool AccountMenu::keyPressed(guint keyval) {
  switch (keyval) {
    case GDK_KEY_Down:
    case GDK_KEY_KP_Down: item(focusedIndex() == 0 ? 1 : 0).grab_focus(); return true;
    case GDK_KEY_Up:
    case GDK_KEY_KP_Up: item(focusedIndex() == 1 ? 0 : 1).grab_focus(); return true;
    case GDK_KEY_Escape: actions_.dismiss(); return true;
    default: return false;
  }
}

}  // namespace vesk::ui

#include "ui/account/account_switch.h"

#include "core/style/account_stylesheet.h"
#include "ui/controls/accessible_label.h"

#include <gtkmm/gestureclick.h>

#include <cmath>

namespace vesk::ui {

AccountSwitch::AccountSwitch(const Glib::ustring& label) : toggle_(Gtk::make_managed<Gtk::Switch>()) {
  using R = AccountKitRecipe;
  add_css_class(AccountClasses::toggleHitArea);
  set_size_request(static_cast<int>(R::hitWidth), static_cast<int>(R::hitHeight));
  toggle_->add_css_class(AccountClasses::toggle);
  toggle_->set_size_request(static_cast<int>(R::trackWidth), static_cast<int>(R::trackHeight));
  toggle_->set_halign(Gtk::Align::CENTER);
  toggle_->set_valign(Gtk::Align::CENTER);
  toggle_->set_hexpand(true);
  setAccessibleLabel(*toggle_, label);
  toggle_->property_active().signal_changed().connect(sigc::mem_fun(*this, &AccountSwitch::activeChanged));
  append(*toggle_);

  // The margin around the track flips the switch too; a click on the track is the
  // switch's own.
  auto click = Gtk::GestureClick::create();
  click->signal_released().connect([this](int, double x, double y) {
    double tx = 0, ty = 0;
    if (translate_coordinates(*toggle_, x, y, tx, ty) && toggle_->contains(tx, ty)) return;
    if (contains(x, y)) flipRequested_.emit();
  });
  add_controller(click);
}

void AccountSwitch::setOn(bool on) {
  showing_ = on;
  settingOn_ = true;
  toggle_->set_active(on);
  toggle_->set_state(on);
  settingOn_ = false;
}

// The switch moved itself under a click or a key: put it back and pass the request on.
void AccountSwitch::activeChanged() {
  if (settingOn_ || toggle_->get_active() == showing_) return;
  setOn(showing_);
  flipRequested_.emit();
}

}  // namespace vesk::ui

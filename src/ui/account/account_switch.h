#pragma once
// The account side's on/off switch: a real switch, so assistive technologies announce a
// switch with its label and value, drawn as a 42 by 25 track with a 17 px knob and
// centred in a 52 by 44 hit area that flips it too. It shows what the caller sets; a
// click only asks (signalFlipRequested) and the caller decides what the switch shows.
#include <gtkmm/box.h>
#include <gtkmm/switch.h>

namespace vesk::ui {

class AccountSwitch : public Gtk::Box {
 public:
  explicit AccountSwitch(const Glib::ustring& label);

  bool on() const { return toggle_->get_active(); }
  void setOn(bool on);
  // Disabled: drawn at 0.65 and deaf to clicks and keys.
  void setEnabled(bool enabled) { set_sensitive(enabled); }

  // The user asked for the other position.
  sigc::signal<void()>& signalFlipRequested() { return flipRequested_; }

  Gtk::Switch& toggle() { return *toggle_; }

 private:
  void activeChanged();

  Gtk::Switch* toggle_;   // managed, owned by the hit area
  bool showing_ = false;  // what the caller set
  bool settingOn_ = false;
  sigc::signal<void()> flipRequested_;
};

}  // namespace vesk::ui

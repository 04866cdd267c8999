#pragma once
// The outcome line of one settings section: the error in the critical colour
// (selectable), or else the feedback in the display face; nothing takes room when there
// is neither. Both are announced as status updates.
#include "core/account/account_screen_rules.h"
#include "core/style/vesk_button_role.h"

#include <gtkmm/box.h>
#include <gtkmm/button.h>
#include <gtkmm/label.h>

#include <optional>

namespace vesk::ui {

class AccountNotice : public Gtk::Box {
 public:
  AccountNotice();

  void show(const std::optional<account_rules::Notice>& notice);

  Gtk::Label& errorLabel() { return *error_; }
  Gtk::Label& feedbackLabel() { return *feedback_; }

 private:
  // Managed, owned by the notice.
  Gtk::Label* error_;
  Gtk::Label* feedback_;
};

// A capsule text button in `role`, regular size.
Gtk::Button* accountPill(const Glib::ustring& label, VeskButtonRole role);

}  // namespace vesk::ui

#pragma once
// The composer's row for typing web addresses: the field, "Add" and a close glyph.
// Return and "Add" add the typed addresses; Escape hides the row and keeps the text for
// its next opening; the close glyph hides it and empties it. The field follows the
// root's address draft both ways and takes the keyboard focus once the row is laid out.
#include "core/shell/composer_actions.h"
#include "core/shell/root_view_state.h"

#include <gtkmm/box.h>
#include <gtkmm/button.h>
#include <gtkmm/entry.h>

namespace vesk::ui {

class AddressRow : public Gtk::Box {
 public:
  AddressRow(RootViewState& root, ComposerActions& actions);
  ~AddressRow() override;

  // Busy: the whole row is disabled. `canAdd`: something besides white space is typed.
  void show(bool busy, bool canAdd);
  // Asks for the focus on the next main-loop turn, after the row has been laid out.
  void focusSoon();

  Gtk::Entry& field() { return field_; }
  Gtk::Button& addButton() { return add_; }
  Gtk::Button& cancelButton() { return cancel_; }

 private:
  void draftChanged();

  RootViewState& root_;
  Gtk::Entry field_;
  Gtk::Button add_{"Add"};
  Gtk::Button cancel_;
  bool busy_ = false;
  sigc::connection draftConnection_;
  sigc::connection focusRequest_;
};

}  // namespace vesk::ui

#pragma once
// The composer card's footer: "Attach file" (opens the file panel), "Add URL" (opens or
// closes the address row), and at the trailing end a small spinner while busy and the
// submit pill.
#include "core/shell/composer_actions.h"
#include "core/shell/composer_presentation.h"
#include "ui/controls/vesk_spinner.h"

#include <gtkmm/box.h>
#include <gtkmm/button.h>
#include <gtkmm/label.h>
#include <gtkmm/spinner.h>

namespace vesk::ui {

class ComposerFooter : public Gtk::Box {
 public:
  ComposerFooter(RootViewState& root, ComposerActions& actions);

  void show(const ComposerPresentation::State& state);

  Gtk::Button& attachButton() { return attach_; }
  Gtk::Button& addURLButton() { return addURL_; }
  Gtk::Button& submitButton() { return submit_; }
  Gtk::Spinner& spinner() { return spinner_; }

 private:
  Gtk::Button attach_;
  Gtk::Button addURL_;
  VeskSpinner spinner_;
  Gtk::Button submit_;
};

}  // namespace vesk::ui

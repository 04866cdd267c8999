#pragma once
// The composer's block for the chosen comparison baseline: its heading, the baseline's
// subject (or "Previous full audit"), its date when it can be read, "Change audit",
// "Clear comparison" and a hint.
#include "core/shell/composer_actions.h"
#include "core/shell/composer_presentation.h"

#include <gtkmm/box.h>
#include <gtkmm/button.h>
#include <gtkmm/label.h>

namespace vesk::ui {

class ComparisonBlock : public Gtk::Box {
 public:
  explicit ComparisonBlock(ComposerActions& actions);

  void show(const ComposerPresentation::Comparison& comparison);

  Gtk::Label& title() { return title_; }
  Gtk::Label& date() { return date_; }
  Gtk::Button& changeButton() { return change_; }
  Gtk::Button& clearButton() { return clear_; }

 private:
  Gtk::Label heading_{"Compare with a previous audit"};
  Gtk::Label title_;
  Gtk::Label date_;
  Gtk::Button change_{"Change audit"};
  Gtk::Button clear_{"Clear comparison"};
  Gtk::Label hint_{"Add the current URL or screenshots and tell Vesk what changed."};
};

}  // namespace vesk::ui

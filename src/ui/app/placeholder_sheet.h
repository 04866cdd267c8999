#pragma once
// A sheet that holds only its title and a Cancel button: it stands in for the feedback
// sheet and the comparison chooser until they are built.
#include <gtkmm/box.h>
#include <gtkmm/button.h>
#include <gtkmm/label.h>

#include <functional>

namespace vesk::ui {

class PlaceholderSheet : public Gtk::Box {
 public:
  PlaceholderSheet(const Glib::ustring& title, std::function<void()> cancel);

  Gtk::Label& title() { return *title_; }
  Gtk::Button& cancelButton() { return *cancel_; }

 private:
  // Managed, owned by the sheet.
  Gtk::Label* title_;
  Gtk::Button* cancel_;
};

}  // namespace vesk::ui

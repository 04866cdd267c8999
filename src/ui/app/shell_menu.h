#pragma once
// The window's primary menu: one button in the header row whose popover holds every menu
// command, in sections (GNOME has no global menu bar). The popover is built when the menu
// first opens.
#include <giomm/menu.h>
#include <gtkmm/menubutton.h>

namespace vesk::ui {

// New audit, Projects & history, Print report · Settings… · Get a better read, How it
// works, Send feedback · About Vesk and the other pages of the site · Quit.
Glib::RefPtr<Gio::Menu> makeShellMenu();

class ShellMenuButton : public Gtk::MenuButton {
 public:
  static constexpr const char* label = "Main menu";

  ShellMenuButton();
};

}  // namespace vesk::ui

#pragma once
// The window's commands: each is an action of the window ("win." + name) with, for
// some, a keyboard shortcut. Labels that show a shortcut take its text from GTK, so
// menus, tooltips and the keys cannot drift apart.
#include <glibmm/ustring.h>

namespace vesk::ui {

struct ShellCommand {
  const char* name;
  const char* accelerator;  // GTK accelerator syntax, or nullptr for none

  // "win." + name, as menus and widgets refer to it.
  Glib::ustring detailedName() const;
};

struct ShellCommands {
  ShellCommands() = delete;

  static constexpr ShellCommand newAudit{"new-audit", "<Control>n"};
  static constexpr ShellCommand settings{"settings", "<Control>comma"};
  static constexpr ShellCommand history{"history", "<Shift><Control>h"};
  static constexpr ShellCommand print{"print", "<Control>p"};
  static constexpr ShellCommand quit{"quit", "<Control>q"};
  // Super combinations belong to the desktop shell, so the sidebar has a function key.
  static constexpr ShellCommand toggleSidebar{"toggle-sidebar", "F9"};
  // The header's Back and Add files buttons: enabled only while their button is shown
  // and works, so their keys do nothing elsewhere.
  static constexpr ShellCommand back{"back", "<Control>bracketleft"};
  static constexpr ShellCommand addFiles{"add-files", "<Shift><Control>o"};
  // Effects that live inside views: the tips panel, the feedback sheet, sharing.
  static constexpr ShellCommand tips{"tips", nullptr};
  static constexpr ShellCommand feedback{"feedback", nullptr};
  static constexpr ShellCommand shareReport{"share-report", nullptr};
  // Opens a page of the built-in service origin; its target is the page's path.
  static constexpr ShellCommand openPage{"open-page", nullptr};
  // Opens a web page of the service by its whole address; its target is the address.
  static constexpr ShellCommand openAddress{"open-address", nullptr};
  // Opens a mail link; its target is the "mailto:" address. An action of the views'
  // own group, not of the window, so no other program can activate it.
  static constexpr const char* viewGroup = "shell";
  static constexpr const char* openMailName = "open-mail";
  static constexpr const char* openMail = "shell.open-mail";

  // Every command that has a shortcut.
  static const ShellCommand* const withShortcuts[8];
};

// The shortcut as the desktop writes it ("Ctrl+N", "F9"); empty without one.
Glib::ustring shortcutLabel(const ShellCommand& command);
// "Toggle sidebar (F9)": a label followed by the command's shortcut.
Glib::ustring labelWithShortcut(const Glib::ustring& label, const ShellCommand& command);
// A label as a menu shows it: text from data keeps its underscores instead of turning
// them into mnemonics.
Glib::ustring menuLabel(const Glib::ustring& text);

}  // namespace vesk::ui

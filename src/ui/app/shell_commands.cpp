#include "ui/app/shell_commands.h"

#include <gtkmm/accelerator.h>

namespace vesk::ui {

const ShellCommand* const ShellCommands::withShortcuts[8] = {&newAudit, &settings, &history,  &print,
                                                             &quit,     &back,     &addFiles, &toggleSidebar};

Glib::ustring ShellCommand::detailedName() const { return Glib::ustring("win.") + name; }

Glib::ustring shortcutLabel(const ShellCommand& command) {
  if (!command.accelerator) return {};
  guint key = 0;
  Gdk::ModifierType modifiers{};
  if (!Gtk::Accelerator::parse(command.accelerator, key, modifiers)) return {};
  return Gtk::Accelerator::get_label(key, modifiers);
}

Glib::ustring labelWithShortcut(const Glib::ustring& label, const ShellCommand& command) {
  const auto shortcut = shortcutLabel(command);
  return shortcut.empty() ? label : label + " (" + shortcut + ")";
}

Glib::ustring menuLabel(const Glib::ustring& text) {
  Glib::ustring escaped;
  for (const auto c : text) {
    if (c == '_') escaped += '_';
    escaped += c;
  }
  return escaped;
}

}  // namespace vesk::ui

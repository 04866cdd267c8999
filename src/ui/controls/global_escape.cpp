#include "ui/controls/global_escape.h"

#include <gtkmm/shortcutcontroller.h>

namespace vesk::ui {

void addGlobalEscape(Gtk::Widget& widget, std::function<bool()> handle) {
  auto shortcuts = Gtk::ShortcutController::create();
  shortcuts->set_scope(Gtk::ShortcutScope::GLOBAL);
  shortcuts->add_shortcut(Gtk::Shortcut::create(
      Gtk::KeyvalTrigger::create(GDK_KEY_Escape, Gdk::ModifierType{}),
      Gtk::CallbackAction::create(
          [handle = std::move(handle)](Gtk::Widget&, const Glib::VariantBase&) { return handle(); })));
  widget.add_controller(shortcuts);
}

}  // namespace vesk::ui

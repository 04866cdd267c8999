#include "ui/app/screen_entry.h"

#include "ui/app/inert.h"

#include <gtkmm/shortcutcontroller.h>
#include <gtkmm/window.h>

namespace vesk::ui {

ScreenEntry::ScreenEntry(Gtk::Widget& slot) : slot_(slot) {
  // Captured at the window before the focused control or the window's own focus move
  // see the key; any other Tab goes on.
  auto shortcuts = Gtk::ShortcutController::create();
  shortcuts->set_scope(Gtk::ShortcutScope::GLOBAL);
  shortcuts->set_propagation_phase(Gtk::PropagationPhase::CAPTURE);
  for (const guint key : {GDK_KEY_Tab, GDK_KEY_KP_Tab})
    shortcuts->add_shortcut(Gtk::Shortcut::create(
        Gtk::KeyvalTrigger::create(key, Gdk::ModifierType{}),
        Gtk::CallbackAction::create([this](Gtk::Widget&, const Glib::VariantBase&) { return tab(); })));
  slot_.add_controller(shortcuts);
  rooted_ = slot_.signal_realize().connect(sigc::mem_fun(*this, &ScreenEntry::watchFocus));
  unrooted_ = slot_.signal_unrealize().connect([this] { focusWatch_.disconnect(); });
}

// The shortcut belongs to the slot and goes with it: this lives exactly as long.
ScreenEntry::~ScreenEntry() {
  rooted_.disconnect();
  unrooted_.disconnect();
  focusWatch_.disconnect();
}

void ScreenEntry::arm(Gtk::Widget& page) {
  page_ = &page;
  armed_ = true;
  watchFocus();
}

void ScreenEntry::watchFocus() {
  if (focusWatch_.connected()) return;
  if (auto* window = dynamic_cast<Gtk::Window*>(slot_.get_root()))
    focusWatch_ =
        window->property_focus_widget().signal_changed().connect(sigc::mem_fun(*this, &ScreenEntry::focusMoved));
}

void ScreenEntry::focusMoved() {
  auto* window = dynamic_cast<Gtk::Window*>(slot_.get_root());
  if (armed_ && page_ && window && isWithin(window->get_focus(), *page_)) armed_ = false;
}

bool ScreenEntry::tab() {
  auto* window = dynamic_cast<Gtk::Window*>(slot_.get_root());
  if (!armed_ || !page_ || !window || page_->get_parent() != &slot_) return false;
  if (isWithin(window->get_focus(), *page_)) {
    armed_ = false;
    return false;
  }
  // Under a sheet or the tips panel the screen takes no focus; the Tab belongs to them.
  for (const Gtk::Widget* widget = page_; widget; widget = widget->get_parent())
    if (!widget->get_can_focus() || !widget->is_sensitive()) return false;
  if (!page_->child_focus(Gtk::DirectionType::TAB_FORWARD)) return false;
  armed_ = false;
  window->set_focus_visible(true);
  return true;
}

}  // namespace vesk::ui

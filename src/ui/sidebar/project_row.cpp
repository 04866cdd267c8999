#include "ui/sidebar/project_row.h"

#include "core/style/sidebar_stylesheet.h"
#include "ui/controls/accessible_label.h"

#include <giomm/menu.h>
#include <giomm/simpleaction.h>
#include <gtkmm/box.h>
#include <gtkmm/gestureclick.h>
#include <gtkmm/shortcut.h>
#include <gtkmm/shortcutaction.h>
#include <gtkmm/shortcutcontroller.h>
#include <gtkmm/shortcuttrigger.h>

namespace vesk::ui {

const char* dotClass(SidebarDot dot) {
  switch (dot) {
    case SidebarDot::faint: return SidebarClasses::dotFaint;
    case SidebarDot::ring: return SidebarClasses::dotRing;
    case SidebarDot::muted: return SidebarClasses::dotMuted;
    case SidebarDot::red: return SidebarClasses::dotRed;
  }
  return SidebarClasses::dotFaint;
}

ProjectRow::ProjectRow(const SidebarModel::Row& row, Actions actions)
    : projectID_(row.projectID), actions_(std::move(actions)) {
  add_css_class(SidebarClasses::row);
  if (row.active) add_css_class(SidebarClasses::active);
  auto* content = Gtk::make_managed<Gtk::Box>(Gtk::Orientation::HORIZONTAL, 10);
  auto* dot = Gtk::make_managed<Gtk::Box>();
  dot->add_css_class(SidebarClasses::dot);
  dot->add_css_class(dotClass(row.values.dot));
  dot->set_valign(Gtk::Align::CENTER);
  dot->set_halign(Gtk::Align::CENTER);
  dot_ = dot;
  name_ = Gtk::make_managed<Gtk::Label>(row.name);  // plain text, never markup
  name_->set_xalign(0);
  name_->set_hexpand(true);
  name_->set_ellipsize(Pango::EllipsizeMode::END);
  name_->set_single_line_mode(true);
  content->append(*dot_);
  content->append(*name_);
  set_child(*content);
  set_tooltip_text(row.values.tooltip);
  setAccessibleLabel(*this, row.values.accessibleLabel);
  if (row.active) gtk_accessible_update_state(GTK_ACCESSIBLE(gobj()), GTK_ACCESSIBLE_STATE_SELECTED, TRUE, -1);
  set_sensitive(row.enabled);
  signal_clicked().connect([this] { actions_.open(projectID_); });
  buildMenu(row);

  auto rightClick = Gtk::GestureClick::create();
  rightClick->set_button(GDK_BUTTON_SECONDARY);
  rightClick->signal_pressed().connect([this](int, double x, double y) { showContextMenu(x, y); });
  add_controller(rightClick);
  auto keys = Gtk::ShortcutController::create();
  const auto popup = Gtk::CallbackAction::create([this](Gtk::Widget&, const Glib::VariantBase&) {
    showContextMenu(get_width() / 2.0, get_height() / 2.0);
    return true;
  });
  keys->add_shortcut(Gtk::Shortcut::create(Gtk::ShortcutTrigger::parse_string("<Shift>F10|Menu"), popup));
  add_controller(keys);
}

ProjectRow::~ProjectRow() = default;

// One item per saved run, each with an action of its own so it can be disabled alone.
void ProjectRow::buildMenu(const SidebarModel::Row& row) {
  group_ = Gio::SimpleActionGroup::create();
  auto model = Gio::Menu::create();
  for (std::size_t i = 0; i < row.runs.size(); ++i) {
    const auto& run = row.runs[i];
    const std::string name = "run-" + std::to_string(i);
    auto action = Gio::SimpleAction::create(name);
    action->set_enabled(run.enabled);
    action->signal_activate().connect([this, runID = run.runID](const Glib::VariantBase&) { actions_.openRun(runID); });
    group_->add_action(action);
    model->append_item(Gio::MenuItem::create(run.title, "row." + name));
  }
  insert_action_group("row", group_);
  menuModel_ = model;
  // The menu is no child a button knows of: it leaves with the row's disposal.
  signal_destroy().connect([this] {
    if (menu_) menu_->unparent();
  });
}

Gtk::PopoverMenu& ProjectRow::contextMenu() {
  if (!menu_) {
    menu_ = Gtk::make_managed<Gtk::PopoverMenu>(menuModel_);
    menu_->set_has_arrow(false);
    menu_->set_parent(*this);
  }
  return *menu_;
}

void ProjectRow::showContextMenu(double x, double y) {
  if (group_->list_actions().empty()) return;
  auto& menu = contextMenu();
  menu.set_pointing_to(Gdk::Rectangle(static_cast<int>(x), static_cast<int>(y), 1, 1));
  menu.popup();
}

}  // namespace vesk::ui

#pragma once
// One row of the sidebar's "RECENT" list: the status dot and the project's name. A click
// opens the project in the library; the context menu (right click, Shift+F10 or the Menu
// key) lists the project's saved runs and opens the one chosen. The menu's popover is
// built when it first opens.
#include "core/sidebar/sidebar_model.h"

#include <giomm/menu.h>
#include <giomm/simpleactiongroup.h>
#include <gtkmm/button.h>
#include <gtkmm/label.h>
#include <gtkmm/popovermenu.h>

#include <functional>
#include <string>

namespace vesk::ui {

class ProjectRow : public Gtk::Button {
 public:
  struct Actions {
    std::function<void(const std::string& projectID)> open;
    std::function<void(const std::string& runID)> openRun;
  };

  ProjectRow(const SidebarModel::Row& row, Actions actions);
  ~ProjectRow() override;

  const std::string& projectID() const { return projectID_; }
  Gtk::Widget& dot() { return *dot_; }
  Gtk::Label& name() { return *name_; }
  // Built on first use.
  Gtk::PopoverMenu& contextMenu();
  bool contextMenuBuilt() const { return menu_ != nullptr; }
  // The run items' actions, in menu order ("row.run-<index>").
  Glib::RefPtr<Gio::SimpleActionGroup> runActions() const { return group_; }
  void showContextMenu(double x, double y);

 private:
  void buildMenu(const SidebarModel::Row& row);

  std::string projectID_;
  Actions actions_;
  Gtk::Widget* dot_ = nullptr;  // managed, owned by the row
  Gtk::Label* name_ = nullptr;
  Gtk::PopoverMenu* menu_ = nullptr;  // parented to the row once built, unparented with it
  Glib::RefPtr<Gio::Menu> menuModel_;
  Glib::RefPtr<Gio::SimpleActionGroup> group_;
};

// The style class of a status dot.
const char* dotClass(SidebarDot dot);

}  // namespace vesk::ui

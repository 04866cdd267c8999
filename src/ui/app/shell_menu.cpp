#include "ui/app/shell_menu.h"

#include "core/shell/help_links.h"
#include "core/style/shell_stylesheet.h"
#include "ui/app/shell_commands.h"
#include "ui/controls/accessible_label.h"

#include <giomm/action.h>

namespace vesk::ui {

namespace {

// A menu item; its shortcut, if any, is shown beside it.
Glib::RefPtr<Gio::MenuItem> item(const Glib::ustring& label, const ShellCommand& command) {
  auto entry = Gio::MenuItem::create(menuLabel(label), command.detailedName());
  if (command.accelerator)
    entry->set_attribute_value("accel", Glib::Variant<Glib::ustring>::create(command.accelerator));
  return entry;
}

Glib::RefPtr<Gio::MenuItem> page(const HelpLink& link) {
  const auto target = Glib::Variant<Glib::ustring>::create(Glib::ustring(std::string(link.path)));
  return Gio::MenuItem::create(
      menuLabel(Glib::ustring(std::string(link.label))),
      Gio::Action::print_detailed_name_variant(ShellCommands::openPage.detailedName(), target));
}

}  // namespace

Glib::RefPtr<Gio::Menu> makeShellMenu() {
  auto audits = Gio::Menu::create();
  audits->append_item(item("New audit", ShellCommands::newAudit));
  audits->append_item(item("Projects & history", ShellCommands::history));
  audits->append_item(item("Print report", ShellCommands::print));

  auto settings = Gio::Menu::create();
  settings->append_item(item("Settings\u2026", ShellCommands::settings));

  auto help = Gio::Menu::create();
  help->append_item(item("Get a better read", ShellCommands::tips));
  help->append_item(page(HelpLinks::howItWorks));
  help->append_item(item("Send feedback", ShellCommands::feedback));

  auto about = Gio::Menu::create();
  for (const auto& link : HelpLinks::about) about->append_item(page(link));

  auto quit = Gio::Menu::create();
  quit->append_item(item("Quit", ShellCommands::quit));

  auto menu = Gio::Menu::create();
  for (const auto& section : {audits, settings, help, about, quit}) menu->append_section(section);
  return menu;
}

ShellMenuButton::ShellMenuButton() {
  add_css_class(ShellClasses::menuButton);
  set_icon_name("open-menu-symbolic");
  // The menu's popover is made when it first opens, not for the window's first frame.
  set_create_popup_func([this] {
    if (!get_menu_model()) set_menu_model(makeShellMenu());
  });
  set_tooltip_text(label);
  setAccessibleLabel(*this, label);
  set_valign(Gtk::Align::CENTER);
}

}  // namespace vesk::ui

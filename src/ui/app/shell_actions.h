#pragma once
// The window's commands as actions of the window, with their keyboard shortcuts. The
// navigation commands and Print report enable and disable with the workspace (once per
// main-loop turn, through MenuCommands) and test their gate again when they run. The
// effects that live inside views (tips, feedback, print, share, the sidebar) are taken
// over by the view that owns them.
#include "core/shell/menu_commands.h"
#include "ui/app/effect_action.h"

#include <giomm/simpleaction.h>
#include <gtkmm/applicationwindow.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace vesk::ui {

class ShellActions {
 public:
  using LinkOpener = std::function<void(const std::string& address)>;

  ShellActions(Gtk::ApplicationWindow& window, std::shared_ptr<Workspace> workspace, LinkOpener openLink);
  ShellActions(const ShellActions&) = delete;
  ShellActions& operator=(const ShellActions&) = delete;

  EffectAction& tips() { return tips_; }
  EffectAction& feedback() { return feedback_; }
  EffectAction& print() { return print_; }
  EffectAction& shareReport() { return shareReport_; }
  EffectAction& toggleSidebar() { return toggleSidebar_; }
  // Disabled until the header enables them.
  EffectAction& back() { return back_; }
  EffectAction& addFiles() { return addFiles_; }
  const MenuCommands& commands() const { return commands_; }
  const LinkOpener& linkOpener() const { return openLink_; }
  // Opens a web address in the user's browser (the window's one way out to it).
  void openLink(const std::string& address) const {
    if (openLink_) openLink_(address);
  }

 private:
  static std::string textOf(const Glib::VariantBase& target);
  std::vector<std::string> serviceOrigins() const;
  Glib::RefPtr<Gio::SimpleAction> add(const char* name, std::function<void()> run);
  void followCommands();
  void installShortcuts();

  Gtk::ApplicationWindow& window_;
  std::shared_ptr<Workspace> workspace_;
  MenuCommands commands_;
  LinkOpener openLink_;
  Glib::RefPtr<Gio::SimpleAction> newAudit_;
  Glib::RefPtr<Gio::SimpleAction> settings_;
  Glib::RefPtr<Gio::SimpleAction> history_;
  EffectAction tips_;
  EffectAction feedback_;
  EffectAction print_;
  EffectAction shareReport_;
  EffectAction toggleSidebar_;
  EffectAction back_;
  EffectAction addFiles_;
};

}  // namespace vesk::ui

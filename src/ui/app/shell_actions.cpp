#include "ui/app/shell_actions.h"

#include "core/shell/help_links.h"
#include "ui/app/shell_commands.h"

#include <gtkmm/shortcut.h>
#include <gtkmm/shortcutaction.h>
#include <gtkmm/shortcutcontroller.h>
#include <gtkmm/shortcuttrigger.h>

namespace vesk::ui {

ShellActions::ShellActions(Gtk::ApplicationWindow& window, std::shared_ptr<Workspace> workspace, LinkOpener openLink)
    : window_(window),
      commands_(std::move(workspace)),
      openLink_(std::move(openLink)),
      tips_(window, ShellCommands::tips.name),
      feedback_(window, ShellCommands::feedback.name),
      print_(window, ShellCommands::print.name),
      shareReport_(window, ShellCommands::shareReport.name),
      toggleSidebar_(window, ShellCommands::toggleSidebar.name),
      back_(window, ShellCommands::back.name),
      addFiles_(window, ShellCommands::addFiles.name) {
  back_.action()->set_enabled(false);
  addFiles_.action()->set_enabled(false);
  newAudit_ = add(ShellCommands::newAudit.name, [this] { commands_.newAudit(); });
  settings_ = add(ShellCommands::settings.name, [this] { commands_.openSettings(); });
  history_ = add(ShellCommands::history.name, [this] { commands_.openHistory(); });
  add(ShellCommands::quit.name, [this] { window_.close(); });

  auto openPage = Gio::SimpleAction::create(ShellCommands::openPage.name, Glib::VARIANT_TYPE_STRING);
  openPage->signal_activate().connect([this](const Glib::VariantBase& target) {
    const auto path = Glib::VariantBase::cast_dynamic<Glib::Variant<Glib::ustring>>(target).get();
    if (openLink_) openLink_(HelpLinks::builtInAddress(path.raw()));
  });
  window_.add_action(openPage);

  followCommands();
  commands_.signalChanged().connect([this] { followCommands(); });
  installShortcuts();
}

Glib::RefPtr<Gio::SimpleAction> ShellActions::add(const char* name, std::function<void()> run) {
  auto action = Gio::SimpleAction::create(name);
  action->signal_activate().connect([run = std::move(run)](const Glib::VariantBase&) { run(); });
  window_.add_action(action);
  return action;
}

void ShellActions::followCommands() {
  const auto& state = commands_.state();
  newAudit_->set_enabled(state.canNavigate);
  settings_->set_enabled(state.canNavigate);
  history_->set_enabled(state.canNavigate);
  print_.action()->set_enabled(state.canPrint);
}

// The window handles its shortcuts before the focused control does, as application
// shortcuts do, so a text field never swallows them.
void ShellActions::installShortcuts() {
  auto controller = Gtk::ShortcutController::create();
  controller->set_propagation_phase(Gtk::PropagationPhase::CAPTURE);
  controller->set_scope(Gtk::ShortcutScope::GLOBAL);
  for (const ShellCommand* command : ShellCommands::withShortcuts)
    controller->add_shortcut(Gtk::Shortcut::create(Gtk::ShortcutTrigger::parse_string(command->accelerator),
                                                   Gtk::NamedAction::create(command->detailedName())));
  window_.add_controller(controller);
}

}  // namespace vesk::ui

#include "ui/app/shell_actions.h"

#include "build_config.h"
#include "core/shell/help_links.h"
#include "core/shell/mail_link.h"
#include "core/shell/service_address.h"
#include "ui/app/shell_commands.h"

#include <giomm/simpleactiongroup.h>
#include <gtkmm/shortcut.h>
#include <gtkmm/shortcutaction.h>
#include <gtkmm/shortcutcontroller.h>
#include <gtkmm/shortcuttrigger.h>

namespace vesk::ui {

ShellActions::ShellActions(Gtk::ApplicationWindow& window, std::shared_ptr<Workspace> workspace, LinkOpener openLink)
    : window_(window),
      workspace_(workspace),
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
    // A path such as "@elsewhere.example" must not turn the origin into a user name.
    const auto address = HelpLinks::builtInAddress(textOf(target));
    if (isServiceAddress(address, {build::serviceOrigin})) this->openLink(address);
  });
  window_.add_action(openPage);
  // The window's actions are published on the session bus, where any program can
  // activate them: these open only web pages of the service.
  auto openAddress = Gio::SimpleAction::create(ShellCommands::openAddress.name, Glib::VARIANT_TYPE_STRING);
  openAddress->signal_activate().connect([this](const Glib::VariantBase& target) {
    const auto address = textOf(target);
    if (isServiceAddress(address, serviceOrigins())) this->openLink(address);
  });
  window_.add_action(openAddress);
  // Mail links are opened for the application's own views alone: a group of the window
  // widget, which is not published on the bus.
  auto viewActions = Gio::SimpleActionGroup::create();
  auto openMail = Gio::SimpleAction::create(ShellCommands::openMailName, Glib::VARIANT_TYPE_STRING);
  openMail->signal_activate().connect([this](const Glib::VariantBase& target) {
    if (const auto address = mailLinkToLaunch(textOf(target))) this->openLink(*address);
  });
  viewActions->add_action(openMail);
  window_.insert_action_group(ShellCommands::viewGroup, viewActions);

  followCommands();
  commands_.signalChanged().connect([this] { followCommands(); });
  installShortcuts();
}

std::string ShellActions::textOf(const Glib::VariantBase& target) {
  return Glib::VariantBase::cast_dynamic<Glib::Variant<Glib::ustring>>(target).get().raw();
}

// The built-in origin (the help pages) and the one the workspace is connected to.
std::vector<std::string> ShellActions::serviceOrigins() const {
  std::vector<std::string> origins{build::serviceOrigin};
  if (const auto client = workspace_->api()) origins.push_back(client->origin);
  return origins;
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

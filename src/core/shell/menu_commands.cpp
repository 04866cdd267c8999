#include "core/shell/menu_commands.h"

namespace vesk {

MenuCommands::MenuCommands(std::shared_ptr<Workspace> workspace)
    : workspace_(std::move(workspace)), changes_([this] { refresh(); }) {
  state_ = read();
  // Every input of the navigation gate, and the screen.
  changes_.follow(workspace_->reportMutationInFlight.signalChanged());
  changes_.follow(workspace_->busy.signalChanged());
  changes_.follow(workspace_->fixture.signalChanged());
  changes_.follow(workspace_->current.signalChanged());
  changes_.follow(workspace_->screen.signalChanged());
}

MenuCommands::State MenuCommands::read() const {
  return {workspace_->canNavigateToAnotherRun(), *workspace_->screen == Screen::report};
}

void MenuCommands::refresh() {
  const State next = read();
  if (next == state_) return;
  state_ = next;
  changed_.emit();
}

void MenuCommands::newAudit() { workspace_->newAudit(); }  // it refuses on its own

void MenuCommands::openSettings() {
  if (!workspace_->canNavigateToAnotherRun()) return;
  workspace_->screen = Screen::account;
}

void MenuCommands::openHistory() {
  if (!workspace_->canNavigateToAnotherRun()) return;
  workspace_->libraryProjectID = std::nullopt;
  workspace_->screen = Screen::library;
}

}  // namespace vesk

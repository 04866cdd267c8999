#include "core/shell/window_header.h"

#include <algorithm>

namespace vesk {

std::optional<WindowHeader::Button> WindowHeader::State::button(HeaderItem item) const {
  const auto found = std::ranges::find(buttons, item, &Button::item);
  if (found == buttons.end()) return std::nullopt;
  return *found;
}

bool WindowHeader::State::works(HeaderItem item) const {
  const auto found = button(item);
  return found && found->enabled;
}

WindowHeader::WindowHeader(std::shared_ptr<Workspace> workspace, RootViewState& root)
    : workspace_(std::move(workspace)), root_(root), changes_([this] { refresh(); }) {
  state_ = read();
  changes_.follow(workspace_->screen.signalChanged());
  changes_.follow(workspace_->current.signalChanged());
  changes_.follow(workspace_->auditMode.signalChanged());
  changes_.follow(workspace_->fixture.signalChanged());
  changes_.follow(workspace_->busy.signalChanged());
  changes_.follow(workspace_->reportMutationInFlight.signalChanged());
}

WindowHeader::State WindowHeader::read() const {
  const Workspace& workspace = *workspace_;
  State state;
  state.screen = *workspace.screen;
  if (showsTitle(state.screen)) state.title = screenTitle(state.screen, *workspace.current, *workspace.auditMode);
  const auto report = reportActions(*workspace.current, *workspace.fixture);
  for (const HeaderItem item : headerItems(state.screen)) {
    bool enabled = true;
    switch (item) {
      case HeaderItem::addFiles: enabled = !*workspace.busy; break;
      case HeaderItem::exportPDF: enabled = report.exportPDF; break;
      case HeaderItem::shareReport: enabled = report.shareReport; break;
      case HeaderItem::print: enabled = report.print; break;
      case HeaderItem::newAudit: enabled = workspace.canNavigateToAnotherRun(); break;
      case HeaderItem::toggleSidebar:
      case HeaderItem::back:
      case HeaderItem::separator: break;
    }
    state.buttons.push_back({item, enabled});
  }
  return state;
}

void WindowHeader::refresh() {
  State next = read();
  if (next == state_) return;
  state_ = std::move(next);
  changed_.emit();
}

void WindowHeader::goBack() {
  const Screen screen = *workspace_->screen;
  if (screen != Screen::discovery && screen != Screen::review) return;
  switch (backStep(screen, *workspace_->fixture)) {
    case BackStep::toDiscovery: workspace_->screen = Screen::discovery; break;
    case BackStep::toComposer: workspace_->screen = Screen::input; break;
    case BackStep::newAudit: workspace_->newAudit(); break;  // it refuses on its own
  }
}

void WindowHeader::addFiles() {
  if (*workspace_->screen != Screen::input || *workspace_->busy) return;
  root_.importer = true;
}

void WindowHeader::exportPDF() {
  if (*workspace_->screen != Screen::report || !reportActions(*workspace_->current, *workspace_->fixture).exportPDF)
    return;
  workspace_->exportPDF();
}

void WindowHeader::newAudit() { workspace_->newAudit(); }

}  // namespace vesk

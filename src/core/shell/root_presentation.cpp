#include "core/shell/root_presentation.h"

namespace vesk {

RootPresentation::RootPresentation(std::shared_ptr<Workspace> workspace)
    : workspace_(std::move(workspace)), changes_([this] { refresh(); }) {
  state_ = read();
  changes_.follow(workspace_->screen.signalChanged());
  changes_.follow(workspace_->error.signalChanged());
}

RootPresentation::State RootPresentation::read() const {
  State state;
  state.screen = *workspace_->screen;
  state.error = *workspace_->error;
  state.metrics = RootMetrics::forChromeHeight(chromeHeight_, state.error.has_value());
  state.showsTopVeil = state.screen != Screen::report;
  state.slotTopPadding = state.screen == Screen::library ? state.metrics.headerInset : 0;
  return state;
}

void RootPresentation::refresh() {
  State next = read();
  if (next == state_) return;
  state_ = std::move(next);
  changed_.emit();
}

void RootPresentation::setChromeHeight(double height) {
  if (height == chromeHeight_) return;
  chromeHeight_ = height;
  changes_.schedule();
}

void RootPresentation::dismissError() { workspace_->error = std::nullopt; }

}  // namespace vesk

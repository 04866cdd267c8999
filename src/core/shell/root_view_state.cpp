#include "core/shell/root_view_state.h"

namespace vesk {

RootViewState::RootViewState(std::shared_ptr<Workspace> workspace)
    : workspace_(std::move(workspace)), tipsClosed_([this] { tipsTriggerFocus_.emit(); }) {
  workspace_->draftID.signalChanged().connect(sigc::mem_fun(*this, &RootViewState::draftReplaced));
  workspace_->auditMode.signalChanged().connect(sigc::mem_fun(*this, &RootViewState::auditModeChanged));
  showingTips.signalChanged().connect(sigc::mem_fun(*this, &RootViewState::tipsChanged));
  showingURLField.signalChanged().connect(sigc::mem_fun(*this, &RootViewState::urlFieldChanged));
}

void RootViewState::selectComparisonBaseline(const ReportBaseline& baseline) {
  workspace_->selectComparisonBaseline(baseline);
  changingComparison = false;
}

void RootViewState::hideURLFieldKeepingDraft() {
  keepDraftOnClose_ = true;
  showingURLField = false;
  keepDraftOnClose_ = false;
}

void RootViewState::draftReplaced() {
  showingURLField = false;
  urlDraft = "";
  showingAccessNotice = false;
}

void RootViewState::auditModeChanged() { showingAccessNotice = false; }

void RootViewState::tipsChanged() {
  if (!*showingTips) tipsClosed_.schedule();
}

void RootViewState::urlFieldChanged() {
  urlFocused = *showingURLField;
  if (!*showingURLField && !keepDraftOnClose_) urlDraft = "";
}

}  // namespace vesk

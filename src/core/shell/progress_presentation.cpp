#include "core/shell/progress_presentation.h"

#include "core/text/text_rules.h"

namespace vesk {

namespace {

constexpr const char* fullAuditNote =
    "Each expert audits independently. Vesk checks the evidence before bringing the findings into one report.";

std::string paragraphFor(bool preview, bool quick) {
  if (preview)
    return std::string("A simulated ") + (quick ? "quick read" : "full audit") +
           " of the fictional Doral product. No pages are being fetched, no model is running, and no credits are "
           "spent.";
  if (quick)
    return "Vesk is preparing your quick read. Check the saved audit if the connection is interrupted. No run is "
           "counted.";
  return "The audit runs on Vesk\u2019s servers. Closing this window or losing your connection does not cancel it or "
         "request another audit.";
}

}  // namespace

std::vector<StageRow> stageRows(const std::vector<std::string>& stages, int progress, bool busy, bool connectionLost) {
  std::vector<StageRow> rows;
  for (std::size_t i = 0; i < stages.size(); ++i) {
    const auto index = static_cast<long>(i);
    const auto mark = index < progress    ? StageRow::Mark::done
                      : index == progress ? StageRow::Mark::current
                                          : StageRow::Mark::toCome;
    rows.push_back({stages[i], mark, mark == StageRow::Mark::current && busy && !connectionLost});
  }
  return rows;
}

ProgressPresentation::ProgressPresentation(std::shared_ptr<Workspace> workspace)
    : workspace_(std::move(workspace)), changes_([this] { refresh(); }) {
  state_ = read();
  for (auto* signal : {&workspace_->fixture.signalChanged(), &workspace_->current.signalChanged(),
                       &workspace_->auditMode.signalChanged(), &workspace_->busy.signalChanged(),
                       &workspace_->connectionLost.signalChanged(), &workspace_->progress.signalChanged(),
                       &workspace_->quickRetryable.signalChanged(), &workspace_->questions.signalChanged(),
                       &workspace_->answers.signalChanged()})
    changes_.follow(*signal);
}

ProgressPresentation::State ProgressPresentation::read() const {
  const auto& w = *workspace_;
  const bool quick = w.isQuickRead();
  State state;
  state.preview = *w.fixture;
  state.paragraph = paragraphFor(state.preview, quick);
  if (state.preview) {
    state.eyebrow = uppercased(quick ? "Sample quick read" : "Sample full audit");
    state.stages = stageRows(w.stages(), *w.progress, *w.busy, *w.connectionLost);
    state.stageNote = quick ? "A brief audit" : fullAuditNote;
    state.leaveTitle = "Cancel sample";
    if (*w.busy) state.connectionToggleTitle = *w.connectionLost ? "Reconnect sample" : "Simulate connection loss";
  } else {
    state.leaveTitle = "Return to workspace";
    state.showsCheckStatus = true;
  }
  state.showsRetry = *w.quickRetryable && w.allAnswered();
  state.retryEnabled = !*w.busy;
  return state;
}

void ProgressPresentation::refresh() {
  State next = read();
  if (next == state_) return;
  state_ = std::move(next);
  changed_.emit();
}

void ProgressPresentation::leave() { workspace_->pauseWatching(); }

// Only the sample run's connection is the user's to flip; a live run's is the watcher's.
void ProgressPresentation::toggleConnection() {
  if (*workspace_->fixture) workspace_->connectionLost = !*workspace_->connectionLost;
}

void ProgressPresentation::checkStatus() { workspace_->checkStatus(); }

void ProgressPresentation::retry() { workspace_->retryQuickRead(); }

}  // namespace vesk

#include "core/shell/discovery_presentation.h"

#include "core/input/answer_options.h"

#include <algorithm>

namespace vesk {

DiscoveryPresentation::DiscoveryPresentation(std::shared_ptr<Workspace> workspace)
    : workspace_(std::move(workspace)), changes_([this] { refresh(); }) {
  state_ = read();
  for (auto* signal : {&workspace_->questions.signalChanged(), &workspace_->answers.signalChanged(),
                       &workspace_->busy.signalChanged(), &workspace_->fixture.signalChanged(),
                       &workspace_->current.signalChanged(), &workspace_->auditMode.signalChanged()})
    changes_.follow(*signal);
}

DiscoveryPresentation::State DiscoveryPresentation::read() const {
  const auto& w = *workspace_;
  State state;
  state.busy = *w.busy;
  const auto& questions = *w.questions;
  if (questions.empty()) {
    state.phase = state.busy ? Phase::waiting : Phase::unavailable;
    state.waitingText = state.busy ? "Thinking about what to ask\u2026"
                                   : "Questions are not available yet. Check the saved audit before starting again.";
  } else {
    state.phase = Phase::answering;
  }
  for (std::size_t i = 0; i < questions.size(); ++i) {
    const auto chosen = w.selectedAnswers(static_cast<long>(i));
    const bool full = chosen.size() >= 2;
    Group group{i, questions[i].text, {}, full};
    for (auto& option : uniqueOptions(questions[i])) {
      const bool selected = std::find(chosen.begin(), chosen.end(), option) != chosen.end();
      const bool dimmed = !selected && full;
      group.pills.push_back({std::move(option), selected, dimmed, state.busy || dimmed});
    }
    state.groups.push_back(std::move(group));
  }
  state.backTitle = *w.fixture ? "Back to sources" : "Return to workspace";
  const bool quick = w.isQuickRead();
  state.runTitle = quick ? "Run quick read" : "Audit & start";
  state.runRole = quick ? VeskButtonRole::accent : VeskButtonRole::primary;
  state.runEnabled = w.allAnswered() && !state.busy;
  return state;
}

void DiscoveryPresentation::refresh() {
  State next = read();
  if (next == state_) return;
  state_ = std::move(next);
  changed_.emit();
}

void DiscoveryPresentation::choose(std::size_t index, const std::string& option) {
  const auto& questions = *workspace_->questions;
  if (index >= questions.size()) return;
  const std::string question = questions[index].text;
  workspace_->select(option, question, static_cast<long>(index));
}

void DiscoveryPresentation::back() {
  if (*workspace_->fixture) {
    workspace_->screen = Screen::input;
  } else {
    workspace_->newAudit();
  }
}

void DiscoveryPresentation::run() {
  // Read afresh: a shortcut may arrive before this turn's changes were drawn.
  if (!workspace_->allAnswered() || *workspace_->busy) return;
  if (workspace_->isQuickRead()) {
    workspace_->runQuickRead();
  } else {
    workspace_->confirmed = false;
    workspace_->screen = Screen::review;
  }
}

}  // namespace vesk

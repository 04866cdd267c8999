#include "core/shell/live_progress_presentation.h"

#include "core/async/timing.h"
#include "core/shell/audit_start_time.h"
#include "core/shell/audit_time_estimate.h"

#include <glib.h>

namespace vesk {

namespace {

std::optional<std::string> phaseOf(const std::optional<AuditProgressSnapshot>& snapshot) {
  if (!snapshot) return std::nullopt;
  return snapshot->phase;
}

std::optional<std::string> runIDOf(const std::optional<SavedAudit>& run) {
  if (!run) return std::nullopt;
  return run->id;
}

AuditStartTime microsecondsOf(std::chrono::system_clock::time_point moment) {
  return std::chrono::floor<std::chrono::microseconds>(moment);
}

}  // namespace

std::vector<LensPill> lensPills(const std::vector<AuditProgressSnapshot::Lens>& lenses) {
  std::vector<LensPill> pills;
  pills.reserve(lenses.size());
  for (const auto& lens : lenses) {
    LensPill pill{lens.id, lens.name, LensPill::Dot::pending};
    if (lens.status == "failed") {
      pill.text += " (skipped)";
      pill.dot = LensPill::Dot::skipped;
    } else if (lens.status == "complete") {
      pill.dot = LensPill::Dot::complete;
    }
    pills.push_back(std::move(pill));
  }
  return pills;
}

std::string liveHeadline(bool failed, bool connectionLost, const std::optional<AuditProgressSnapshot>& snapshot) {
  if (failed) return "This audit could not finish.";
  if (connectionLost) return "Checking your saved audit status";
  if (snapshot) return snapshot->phrase();
  return "Understanding your goals";
}

std::string liveSubtitle(bool failed, const std::string& phase, bool connectionLost, const std::string& estimateLabel) {
  if (failed) return "Your audit stopped before completion.";
  if (phase == "done") return "Opening your saved report\u2026";
  if (connectionLost) return "The connection was interrupted. Checking again automatically.";
  return estimateLabel;
}

LiveProgressPresentation::LiveProgressPresentation(std::shared_ptr<Workspace> workspace,
                                                   PercentCreep::RandomStep random, Clock clock)
    : workspace_(std::move(workspace)),
      clock_(std::move(clock)),
      creep_(std::move(random)),
      opened_(clock_()),
      phaseChanged_(opened_),
      seenPhase_(phaseOf(*workspace_->liveProgress)),
      seenRunID_(runIDOf(*workspace_->current)),
      changes_([this] { workspaceChanged(); }) {
  evaluate();
  updateTicker();
  changes_.follow(workspace_->current.signalChanged());
  changes_.follow(workspace_->auditMode.signalChanged());
  changes_.follow(workspace_->liveProgress.signalChanged());
  changes_.follow(workspace_->connectionLost.signalChanged());
}

void LiveProgressPresentation::tick() {
  const State before = state_;
  evaluate();
  if (!(state_ == before)) changed_.emit();
}

void LiveProgressPresentation::workspaceChanged() {
  const auto runID = runIDOf(*workspace_->current);
  const auto phase = phaseOf(*workspace_->liveProgress);
  if (runID != seenRunID_) {
    seenRunID_ = runID;
    opened_ = phaseChanged_ = clock_();
    creep_.reset();
  }
  if (phase != seenPhase_) {
    seenPhase_ = phase;
    phaseChanged_ = clock_();
  }
  updateTicker();
  tick();
}

void LiveProgressPresentation::evaluate() {
  const auto& run = *workspace_->current;
  const bool runFailed = run && run->status == "failed";
  if (workspace_->isQuickRead()) {
    state_.quickRead = QuickRead{runFailed ? "This quick read could not finish." : "Composing your audit\u2026",
                                 !runFailed, "A brief audit \u00B7 No run counted"};
    return;
  }
  state_.quickRead.reset();

  const auto& snapshot = *workspace_->liveProgress;
  const bool connectionLost = *workspace_->connectionLost;
  const std::string phase = snapshot ? snapshot->phase : "seating";
  const bool failed = phase == "failed" || runFailed;
  std::optional<AuditStartTime> knownStart;
  if (snapshot && snapshot->auditStartedAt) knownStart = readAuditStartTime(*snapshot->auditStartedAt);
  const auto now = microsecondsOf(clock_());
  const auto estimate = AuditTimeEstimate::make(secondsBetween(knownStart.value_or(microsecondsOf(opened_)), now),
                                                secondsBetween(microsecondsOf(phaseChanged_), now), phase);
  creep_.evaluate({estimate.percent, failed, connectionLost, knownStart.has_value()});

  auto& full = state_.fullAudit;
  full.percent = creep_.visible();
  full.percentReading = std::to_string(full.percent) + " percent estimated progress";
  full.headline = liveHeadline(failed, connectionLost, snapshot);
  full.spinner = !failed && phase != "done";
  full.subtitle = liveSubtitle(failed, phase, connectionLost, estimate.label);
  full.lenses = snapshot ? lensPills(snapshot->lenses) : std::vector<LensPill>();
}

void LiveProgressPresentation::updateTicker() {
  if (workspace_->isQuickRead()) {
    ticker_.remove();
    return;
  }
  if (ticker_) return;
  const auto interval = async::Timing::scaled(tickInterval);
  ticker_ = glib::SourceId(g_timeout_add(static_cast<guint>(interval.count()), &dispatchTick, this));
}

int LiveProgressPresentation::dispatchTick(void* self) {
  static_cast<LiveProgressPresentation*>(self)->tick();
  return G_SOURCE_CONTINUE;
}

}  // namespace vesk

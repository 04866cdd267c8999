#include "core/report/report_screen_state.h"

namespace vesk {

ReportScreenState::ReportScreenState(std::shared_ptr<Workspace> workspace, ReportState::Environment environment)
    : workspace_(std::move(workspace)), report_(std::make_unique<ReportState>(std::move(environment))) {
  configure();
  busyChanged();
  workspace_->current.signalChanged().connect(sigc::mem_fun(*this, &ReportScreenState::currentChanged));
  report_->report.signalChanged().connect(sigc::mem_fun(*this, &ReportScreenState::reportChanged));
  report_->busy.signalChanged().connect(sigc::mem_fun(*this, &ReportScreenState::busyChanged));
  report_->createdRun.signalChanged().connect(sigc::mem_fun(*this, &ReportScreenState::createdRunChanged));
}

ReportScreenState::~ReportScreenState() { workspace_->reportMutationInFlight = false; }

ReaderArguments ReportScreenState::readerArguments(double headerInset) const {
  return vesk::readerArguments(*workspace_->current, *workspace_->fixture, workspace_->api(), *report_->sources,
                               headerInset);
}

// Binds the state to the open run; with none the state keeps what it had.
void ReportScreenState::configure() {
  const auto& current = *workspace_->current;
  boundID_ = current ? std::optional(current->id) : std::nullopt;
  boundOutput_ = current ? std::optional(current->output) : std::nullopt;
  if (!current) return;
  report_->configure(workspace_->api(), *current, *workspace_->fixture ? ReportMode::localPreview : ReportMode::live);
}

// Another run, or a new text of the same run, binds the state again; the state itself
// tells a new run from a new text.
void ReportScreenState::currentChanged() {
  const auto& current = *workspace_->current;
  const auto id = current ? std::optional(current->id) : std::nullopt;
  const auto output = current ? std::optional(current->output) : std::nullopt;
  if (id != boundID_ || output != boundOutput_) configure();
}

void ReportScreenState::reportChanged() {
  if (const auto& run = *report_->report) workspace_->acceptReport(*run);
}

void ReportScreenState::busyChanged() { workspace_->reportMutationInFlight = *report_->busy; }

// A run created by a discussion request opens once, whatever else changes meanwhile.
void ReportScreenState::createdRunChanged() {
  const auto& created = *report_->createdRun;
  const auto id = created ? std::optional(created->id) : std::nullopt;
  if (id == createdID_) return;
  createdID_ = id;
  if (!id || id == openedCreatedRun_ || !created) return;
  openedCreatedRun_ = id;
  const SavedAudit run = *created;
  actions = false;
  sharing = false;
  workspace_->reportMutationInFlight = false;
  workspace_->openReport(run);
}

void ReportScreenState::shareRequested() {
  if (!*report_->busy) sharing = true;
}

void ReportScreenState::acceptOutput(const SharedText& output, const std::string& runID) {
  workspace_->acceptReportOutput(output, runID);
}

void ReportScreenState::openRun(const SavedAudit& run) {
  actions = false;
  workspace_->reportMutationInFlight = false;
  workspace_->openReport(run);
}

// The composer opens on a full audit of the same project with the chosen earlier audit as
// its baseline; the fields are written after newAudit(), which resets them.
void ReportScreenState::reaudit(const ReportBaseline& baseline) {
  const auto& report = *report_->report;
  if (!report) return;
  const SavedAudit run = *report;
  actions = false;
  if (!workspace_->canNavigateToAnotherRun()) return;
  workspace_->newAudit();
  workspace_->setProjectID(run.projectId);
  workspace_->projectName = run.projectName;
  workspace_->auditMode = std::string("full");
  workspace_->baselineRunID = baseline.id;
  workspace_->comparisonBaseline = baseline;
}

void ReportScreenState::deleted(const std::string& runID) {
  actions = false;
  workspace_->forgetReport(runID);
}

}  // namespace vesk

#include "core/library/library_screen_model.h"

#include <algorithm>

namespace vesk {

namespace {

std::optional<std::string> idOf(const std::optional<LibraryProject>& project) {
  return project ? std::optional<std::string>(project->id) : std::nullopt;
}

std::optional<std::string> tokenOf(const std::optional<DesktopAPI>& api) { return api ? api->token : std::nullopt; }

async::Task<void> nothing() { co_return; }

bool holdsRun(const std::vector<SavedAudit>& runs, const std::string& runID) {
  return std::any_of(runs.begin(), runs.end(), [&](const SavedAudit& run) { return run.id == runID; });
}

}  // namespace

LibraryScreenModel::LibraryScreenModel(std::shared_ptr<SaveDialog> saveDialog, Inputs inputs,
                                       LibraryScreenCallbacks callbacks)
    : state_(std::make_unique<ProjectLibraryState>(std::move(saveDialog))),
      inputs_(std::move(inputs)),
      callbacks_(std::move(callbacks)),
      reportedSelection_(idOf(*state_->selected)),
      reportedRevision_(*state_->revision),
      coalescer_([this] { flush(); }) {
  for (auto* signal :
       {&state_->projects.signalChanged(), &state_->runs.signalChanged(), &state_->selected.signalChanged(),
        &state_->selectedRuns.signalChanged(), &state_->busy.signalChanged(), &state_->error.signalChanged(),
        &state_->anchorPreview.signalChanged(), &search.signalChanged(), &kind.signalChanged(),
        &archive.signalChanged(), &editor.signalChanged(), &creating.signalChanged(), &deletingRun.signalChanged()})
    coalescer_.follow(*signal);
  // Rows are made (and their search keys folded) when records arrive.
  connections_.push_back(
      state_->projects.signalChanged().connect([this] { contents_.setProjects(*state_->projects); }));
  connections_.push_back(state_->runs.signalChanged().connect([this] { contents_.setArchive(*state_->runs); }));
  connections_.push_back(
      state_->selectedRuns.signalChanged().connect([this] { contents_.setOpenRuns(*state_->selectedRuns); }));
  contents_.setProjects(*state_->projects);
  contents_.setArchive(*state_->runs);
  contents_.setOpenRuns(*state_->selectedRuns);
  announced_ = entries();
  announcedGeneration_ = contents_.generation();
  connections_.push_back(state_->selected.signalChanged().connect([this] { selectionChanged(); }));
  connections_.push_back(state_->revision.signalChanged().connect([this] { revisionChanged(); }));
}

LibraryScreenModel::~LibraryScreenModel() {
  for (auto& connection : connections_) connection.disconnect();
  appearance_.cancel();
}

void LibraryScreenModel::appear() {
  auto task = tasks_.add(async::spawn(appearanceTask(self())));
  appearance_.start(task, async::PreviousTask::cancel);
}

void LibraryScreenModel::setAPI(std::optional<DesktopAPI> api) {
  const bool newToken = tokenOf(api) != tokenOf(inputs_.api);
  inputs_.api = std::move(api);
  if (newToken && !appearance_.isEmpty()) appear();
}

void LibraryScreenModel::setInitialProjectID(std::optional<std::string> projectID) {
  if (projectID == inputs_.initialProjectID) return;
  inputs_.initialProjectID = projectID;
  if (projectID == idOf(*state_->selected)) return;
  archive = false;
  search = std::string();
  const auto project = projectID ? listedProject(*projectID) : std::nullopt;
  if (!project) {
    state_->closeProject();
    return;
  }
  tasks_.add(state_->openProject(*project));
}

async::Task<void> LibraryScreenModel::appearanceTask(Self self) {
  auto* model = self.get();
  if (!model) co_return;
  const auto source = model->inputs_.fixture ? LibrarySource::localPreview : LibrarySource::service;
  const auto configuring = model->state_->configure(model->inputs_.api, source, model->inputs_.initialReports);
  co_await configuring.join();
  // The screen may have gone while the library loaded.
  model = self.get();
  if (!model || !model->inputs_.initialProjectID) co_return;
  const auto project = model->listedProject(*model->inputs_.initialProjectID);
  if (!project) co_return;
  co_await model->state_->openProject(*project).join();
}

LibraryView LibraryScreenModel::view() const {
  if (*archive) return LibraryView::archive;
  return state_->selected->has_value() ? LibraryView::openProject : LibraryView::projects;
}

LibraryListContents::Query LibraryScreenModel::query() const {
  return LibraryListContents::Query{view(), *state_->selected, *kind, *search};
}

void LibraryScreenModel::flush() {
  const auto& now = entries();
  if (contents_.generation() != announcedGeneration_) {
    const auto splices = listSplices(announced_, now);
    announced_ = now;
    announcedGeneration_ = contents_.generation();
    if (!splices.empty()) entriesChanged_.emit(splices);
  }
  changed_.emit();
}

std::string LibraryScreenModel::title() const {
  return libraryTitle(view(), *state_->selected, state_->projects->size());
}

std::string LibraryScreenModel::countLabel() const {
  // Outside the project list the count is worked out aside, leaving the list's cache be.
  const std::size_t shown = view() == LibraryView::projects ? shownCount() : contents_.projectsMatching(*kind, *search);
  return libraryCountLabel(*kind, *search, shown, state_->projects->size());
}

std::optional<LibraryEmptyState> LibraryScreenModel::emptyState() const {
  if (view() == LibraryView::projects) return projectsEmptyState(shownCount(), *kind, *search);
  return runsEmptyState(shownCount(), *search);
}

std::optional<ReportSourcePreview> LibraryScreenModel::shownPreview() const {
  if (*editor) return std::nullopt;
  return *state_->anchorPreview;
}

bool LibraryScreenModel::canUseSavedAnchor(const LibraryProject& project) const {
  return !*state_->busy && !fixture() && project.contextAttachment && project.contextAttachment->url;
}

void LibraryScreenModel::showProjects() {
  archive = false;
  state_->closeProject();
}

void LibraryScreenModel::showArchive() {
  archive = true;
  state_->closeProject();
}

void LibraryScreenModel::clearFilters() {
  search = std::string();
  kind = std::string("all");
}

void LibraryScreenModel::openProject(const LibraryProject& project) {
  if (!canChangeProject()) return;
  tasks_.add(state_->openProject(project));
}

void LibraryScreenModel::backToProjects() {
  state_->closeProject();
  search = std::string();
}

void LibraryScreenModel::refresh() {
  if (canRefresh()) tasks_.add(state_->refresh());
}

void LibraryScreenModel::newProject() {
  creating = true;
  editor = true;
}

void LibraryScreenModel::projectSettings() {
  if (!canChangeProject() || !state_->selected->has_value()) return;
  creating = false;
  editor = true;
}

void LibraryScreenModel::newAudit() {
  const auto& project = *state_->selected;
  if (canChangeProject() && project && callbacks_.onNewReview) callbacks_.onNewReview(*project);
}

void LibraryScreenModel::done() {
  if (callbacks_.onDismiss) callbacks_.onDismiss();
}

void LibraryScreenModel::openProjectWithID(const std::string& projectID) {
  if (const auto project = listedProject(projectID)) openProject(*project);
}

void LibraryScreenModel::openRunWithID(const std::string& runID) {
  if (const auto run = listedRun(runID)) openRun(*run);
}

void LibraryScreenModel::askToDeleteRunWithID(const std::string& runID) {
  if (const auto run = listedRun(runID); run && canDeleteRun(*run)) askToDeleteRun(*run);
}

void LibraryScreenModel::openRun(const SavedAudit& run) {
  if (callbacks_.onOpenRun) callbacks_.onOpenRun(run);
}

async::TaskHandle<void> LibraryScreenModel::confirmRunDeletion() {
  if (!deletingRun->has_value()) return tasks_.add(async::spawn(nothing()));
  return tasks_.add(async::spawn(deletionTask(self(), **deletingRun)));
}

async::Task<void> LibraryScreenModel::deletionTask(Self self, SavedAudit run) {
  auto* model = self.get();
  if (!model) co_return;
  co_await model->state_->deleteRun(run).join();
  model = self.get();
  if (!model) co_return;
  // A run still listed in either list was not deleted: the sheet stays with the error.
  if (holdsRun(*model->state_->runs, run.id) || holdsRun(*model->state_->selectedRuns, run.id)) co_return;
  if (model->deletingRun->has_value() && (*model->deletingRun)->id == run.id) model->deletingRun = std::nullopt;
}

void LibraryScreenModel::selectionChanged() {
  auto selection = idOf(*state_->selected);
  if (selection == reportedSelection_) return;
  reportedSelection_ = selection;
  if (callbacks_.onProjectSelected) callbacks_.onProjectSelected(selection);
}

void LibraryScreenModel::revisionChanged() {
  if (*state_->revision == reportedRevision_) return;
  reportedRevision_ = *state_->revision;
  if (callbacks_.onLibraryChanged) callbacks_.onLibraryChanged();
}

std::optional<LibraryProject> LibraryScreenModel::listedProject(const std::string& projectID) const {
  const auto& projects = *state_->projects;
  const auto found =
      std::find_if(projects.begin(), projects.end(), [&](const LibraryProject& p) { return p.id == projectID; });
  return found == projects.end() ? std::nullopt : std::optional<LibraryProject>(*found);
}

}  // namespace vesk

namespace vesk {

std::optional<SavedAudit> LibraryScreenModel::listedRun(const std::string& runID) const {
  const auto& runs = *archive ? *state_->runs : *state_->selectedRuns;
  const auto found = std::find_if(runs.begin(), runs.end(), [&](const SavedAudit& run) { return run.id == runID; });
  return found == runs.end() ? std::nullopt : std::optional<SavedAudit>(*found);
}

}  // namespace vesk

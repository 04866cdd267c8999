// The library state: construction, configuring, closing a project and the local changes
// the operations share.
#include "core/library/project_library_state.h"

#include "core/library/library_rules.h"
#include "core/workspace/save_dialog.h"

#include <algorithm>

namespace vesk {

namespace {

async::Task<void> nothing() { co_return; }
async::Task<bool> answer(bool value) { co_return value; }

}  // namespace

ProjectLibraryState::ProjectLibraryState(std::shared_ptr<SaveDialog> saveDialog) : saveDialog_(std::move(saveDialog)) {}

ProjectLibraryState::~ProjectLibraryState() = default;

async::TaskHandle<void> ProjectLibraryState::finished() { return async::spawn(nothing()); }
async::TaskHandle<bool> ProjectLibraryState::finished(bool value) { return async::spawn(answer(value)); }

async::TaskHandle<void> ProjectLibraryState::configure(std::optional<DesktopAPI> api, LibrarySource source,
                                                       std::vector<SavedAudit> initialReports) {
  generation_ = renew();
  selection_ = renew();
  api_ = std::move(api);
  source_ = source;
  selected = std::nullopt;
  selectedRuns.set({});
  error = std::nullopt;
  busy = false;
  if (!isLocalPreview()) return refresh();
  auto library = sampleLibrary(initialReports);
  runs = std::move(library.runs);
  projects = std::move(library.projects);
  return finished();
}

void ProjectLibraryState::closeProject() {
  selection_ = renew();
  selected = std::nullopt;
  selectedRuns.set({});
  busy = false;
}

bool ProjectLibraryState::isPreviewShown(const std::string& previewID) const {
  return anchorPreview->has_value() && (*anchorPreview)->id == previewID;
}

void ProjectLibraryState::removeRunLocally(const std::string& runID) {
  const auto withoutRun = [&](std::vector<SavedAudit> list) {
    std::erase_if(list, [&](const SavedAudit& run) { return run.id == runID; });
    return list;
  };
  runs = withoutRun(*runs);
  selectedRuns = withoutRun(*selectedRuns);
}

void ProjectLibraryState::removeProjectLocally(const std::string& projectID) {
  auto remaining = *projects;
  std::erase_if(remaining, [&](const LibraryProject& project) { return project.id == projectID; });
  projects = std::move(remaining);
  auto remainingRuns = *runs;
  std::erase_if(remainingRuns, [&](const SavedAudit& run) { return run.projectId == projectID; });
  runs = std::move(remainingRuns);
  selected = std::nullopt;
  selectedRuns.set({});
}

void ProjectLibraryState::applySavedProject(LibraryProject project) {
  auto list = *projects;
  const auto same = std::find_if(list.begin(), list.end(), [&](const LibraryProject& p) { return p.id == project.id; });
  if (same != list.end()) {
    *same = project;
  } else {
    list.insert(list.begin(), project);
  }
  projects = std::move(list);
  selected = project;
  auto renamed = *runs;
  for (auto& run : renamed) {
    if (run.projectId == project.id) run.projectName = project.name;
  }
  runs = std::move(renamed);
  selectedRuns = runsOfProject(*runs, project.id);
}

}  // namespace vesk

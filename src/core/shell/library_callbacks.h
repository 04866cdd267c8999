#pragma once
// What the project library screen reports back to the window, answered on the workspace:
// a run to open, "Done", a change of its content (reload the run list, then the
// project list), the selected project, and a new audit inside a project, which starts a
// fresh draft filled from the project so the next submission runs in it.
#include "core/records/library_records.h"
#include "core/records/run_records.h"
#include "core/workspace/workspace.h"

#include <memory>
#include <optional>
#include <string>

namespace vesk {

class LibraryCallbacks {
 public:
  explicit LibraryCallbacks(std::shared_ptr<Workspace> workspace) : workspace_(std::move(workspace)) {}

  void onOpenRun(const SavedAudit& run) { workspace_->openReport(run); }
  // "Done" leads to a fresh composer, not back to the previous screen.
  void onDismiss() { workspace_->newAudit(); }
  // Reloads the run list and then the project list; the task is nobody's to keep or
  // cancel, and reports its failures through the workspace.
  void onLibraryChanged();
  void onProjectSelected(std::optional<std::string> projectID) { workspace_->libraryProjectID = std::move(projectID); }
  // Changes nothing while the navigation gate is shut.
  void onNewReview(const LibraryProject& project);

 private:
  std::shared_ptr<Workspace> workspace_;
};

}  // namespace vesk

#include "core/shell/library_callbacks.h"

#include "core/async/spawn.h"

namespace vesk {

namespace {

async::Task<void> reloadLibrary(std::shared_ptr<Workspace> workspace) {
  co_await workspace->refreshLibrary();
  co_await workspace->refreshProjects();
}

}  // namespace

void LibraryCallbacks::onLibraryChanged() { async::spawn(reloadLibrary(workspace_)); }

void LibraryCallbacks::onNewReview(const LibraryProject& project) {
  if (!workspace_->canNavigateToAnotherRun()) return;
  const bool hasAnchor = project.contextAttachment.has_value();
  workspace_->newAudit();
  workspace_->setProjectID(project.id);
  workspace_->projectName = project.name;
  workspace_->brief = project.brief.value_or("");
  workspace_->urls = project.contextUrl.value_or("");
  workspace_->existingContextAvailable = hasAnchor;
  workspace_->projectIntent = project.intent.value_or("redesign");
}

}  // namespace vesk

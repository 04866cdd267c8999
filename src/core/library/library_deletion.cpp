// The library state: deleting a run and deleting a project.
#include "core/library/library_sentences.h"
#include "core/library/project_library_state.h"

namespace vesk {

async::TaskHandle<void> ProjectLibraryState::deleteRun(SavedAudit run) {
  if (*busy) return finished();
  generation_ = renew();
  busy = true;
  error = std::nullopt;
  if (isLocalPreview()) {
    removeRunLocally(run.id);
    revision = *revision + 1;
    busy = false;
    return finished();
  }
  if (!api_) {
    error = std::string(library_sentences::connectFirst);
    busy = false;
    return finished();
  }
  return start(deleteRunTask(self(), *api_, std::move(run.id), generation_));
}

async::Task<void> ProjectLibraryState::deleteRunTask(Self self, DesktopAPI api, std::string runID, Token generation) {
  std::optional<std::string> failure;
  bool cancelled = false;
  try {
    co_await api.raw("runs/" + DesktopAPI::pathIdentifier(runID), std::nullopt, "DELETE", Auth::bearer);
  } catch (const async::Cancelled&) {
    cancelled = true;
  } catch (const std::exception& e) {
    failure = e.what();
  }
  auto* state = self.get();
  if (!state || !state->isCurrent(generation)) co_return;
  if (failure) {
    state->error = std::move(*failure);
  } else if (!cancelled) {
    state->removeRunLocally(runID);
    state->revision = *state->revision + 1;
  }
  state->busy = false;
}

async::TaskHandle<bool> ProjectLibraryState::deleteProject(LibraryProject project) {
  if (*busy) return finished(false);
  generation_ = renew();
  busy = true;
  error = std::nullopt;
  if (isLocalPreview()) {
    removeProjectLocally(project.id);
    revision = *revision + 1;
    busy = false;
    return finished(true);
  }
  if (!api_) {
    error = std::string(library_sentences::connectFirst);
    busy = false;
    return finished(false);
  }
  return start(deleteProjectTask(self(), *api_, std::move(project.id), generation_));
}

async::Task<bool> ProjectLibraryState::deleteProjectTask(Self self, DesktopAPI api, std::string projectID,
                                                         Token generation) {
  std::optional<std::string> failure;
  bool cancelled = false;
  try {
    co_await api.raw("projects/" + DesktopAPI::pathIdentifier(projectID), std::nullopt, "DELETE", Auth::bearer);
  } catch (const async::Cancelled&) {
    cancelled = true;
  } catch (const std::exception& e) {
    failure = e.what();
  }
  auto* state = self.get();
  if (!state || !state->isCurrent(generation)) co_return false;
  if (cancelled || failure) {
    if (failure) state->error = std::move(*failure);
    state->busy = false;
    co_return false;
  }
  state->removeProjectLocally(projectID);
  state->revision = *state->revision + 1;
  state->busy = false;
  co_return true;
}

}  // namespace vesk

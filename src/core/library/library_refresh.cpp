// The library state: reloading the project list and the archive, and opening a project.
#include "core/library/library_replies.h"
#include "core/library/library_rules.h"
#include "core/library/library_sentences.h"
#include "core/library/project_library_state.h"

#include <algorithm>

namespace vesk {

namespace {

constexpr const char* archivePage = "library?limit=100&offset=";

async::Task<std::vector<LibraryProject>> loadProjects(DesktopAPI api) {
  auto reply = co_await api.request<refresh_reply::Projects>("projects", std::nullopt, Auth::bearer);
  co_return std::move(reply.projects);
}

async::Task<LibraryProject> loadProject(DesktopAPI api, std::string projectID) {
  auto reply = co_await api.request<open_reply::Detail>("projects/" + DesktopAPI::pathIdentifier(projectID),
                                                        std::nullopt, Auth::bearer);
  co_return std::move(reply.project);
}

async::Task<std::vector<SavedAudit>> loadProjectRuns(DesktopAPI api, std::string projectID) {
  auto reply = co_await api.request<open_reply::History>("projects/" + DesktopAPI::pathIdentifier(projectID) + "/runs",
                                                         std::nullopt, Auth::bearer);
  co_return std::move(reply.runs);
}

// Cancels a sibling task and waits until it has ended. A wait cut short by the waiter's
// own cancellation is left at that: the sibling is already on its way out.
async::Task<void> stop(async::TaskRef sibling) {
  sibling.cancel();
  try {
    co_await sibling.join();
  } catch (const async::Cancelled&) {
  }
}

}  // namespace

async::TaskHandle<void> ProjectLibraryState::refresh() {
  if (isLocalPreview() || !api_) return finished();
  busy = true;
  error = std::nullopt;
  auto list = start(loadProjects(*api_));
  return start(refreshTask(self(), *api_, std::move(list), generation_));
}

async::Task<void> ProjectLibraryState::refreshTask(Self self, DesktopAPI api,
                                                   async::TaskHandle<std::vector<LibraryProject>> list,
                                                   Token generation) {
  ArchiveCollector archive;
  std::optional<std::string> failure;
  bool stopped = false;  // overtaken, or the task was cancelled
  try {
    std::int64_t offset = 0;
    for (;;) {
      auto page = co_await api.request<refresh_reply::History>(archivePage + std::to_string(offset), std::nullopt,
                                                               Auth::bearer);
      const auto* state = self.get();
      if (!state || !state->isCurrent(generation)) {
        stopped = true;
        break;
      }
      archive.append(std::move(page.runs));
      if (!page.nextOffset) break;
      if (*page.nextOffset <= offset) throw VeskError::message(library_sentences::invalidArchivePage);
      offset = *page.nextOffset;
    }
  } catch (const async::Cancelled&) {
    stopped = true;
  } catch (const std::exception& e) {
    failure = e.what();
  }

  std::vector<LibraryProject> listed;
  if (stopped || failure) {
    co_await stop(list);
  } else {
    try {
      co_await list.join();
      listed = list.result();
    } catch (const async::Cancelled&) {
      stopped = true;
    } catch (const std::exception& e) {
      failure = e.what();
    }
  }

  auto* state = self.get();
  if (!state || !state->isCurrent(generation)) co_return;
  if (stopped || failure) {
    // Neither list changes: they are applied together or not at all.
    if (failure) state->error = std::move(*failure);
    state->busy = false;
    co_return;
  }
  state->projects = std::move(listed);
  state->runs = std::move(archive).take();

  if (state->selected->has_value()) {
    const auto& fresh = *state->projects;
    const std::string openID = (*state->selected)->id;
    const auto entry =
        std::find_if(fresh.begin(), fresh.end(), [&](const LibraryProject& project) { return project.id == openID; });
    if (entry == fresh.end()) {
      state->closeProject();
    } else {
      const auto opening = state->openProject(*entry);
      try {
        co_await opening.join();
      } catch (const async::Cancelled&) {
      }
      state = self.get();
      if (!state) co_return;
    }
  }
  if (state->isCurrent(generation)) state->busy = false;
}

async::TaskHandle<void> ProjectLibraryState::openProject(LibraryProject project) {
  selected = project;
  selection_ = renew();
  selectedRuns = runsOfProject(*runs, project.id);
  error = std::nullopt;
  if (isLocalPreview() || !api_) return finished();
  busy = true;
  auto detail = start(loadProject(*api_, project.id));
  auto projectRuns = start(loadProjectRuns(*api_, project.id));
  return start(openTask(self(), std::move(detail), std::move(projectRuns), generation_, selection_));
}

async::Task<void> ProjectLibraryState::openTask(Self self, async::TaskHandle<LibraryProject> detail,
                                                async::TaskHandle<std::vector<SavedAudit>> projectRuns,
                                                Token generation, Token selection) {
  std::optional<LibraryProject> project;
  std::vector<SavedAudit> listed;
  std::optional<std::string> failure;
  bool cancelled = false;
  // The project's record first, then its runs.
  try {
    co_await detail.join();
    project = detail.result();
    co_await projectRuns.join();
    listed = projectRuns.result();
  } catch (const async::Cancelled&) {
    cancelled = true;
  } catch (const std::exception& e) {
    failure = e.what();
  }
  if (cancelled || failure) {
    co_await stop(detail);
    co_await stop(projectRuns);
  }

  auto* state = self.get();
  if (!state || !state->isCurrent(generation) || state->selection_ != selection) co_return;
  if (failure) {
    // The project stays open with the runs the archive had for it.
    state->error = std::move(*failure);
  } else if (!cancelled) {
    state->selected = std::move(project);
    state->selectedRuns = std::move(listed);
  }
  state->busy = false;
}

}  // namespace vesk

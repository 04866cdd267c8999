// The library state: saving a project.
#include "core/library/library_replies.h"
#include "core/library/library_rules.h"
#include "core/library/library_sentences.h"
#include "core/library/project_library_state.h"

namespace vesk {

async::TaskHandle<bool> ProjectLibraryState::save(ProjectDraft draft, std::optional<LibraryProject> project) {
  if (*busy) return finished(false);
  generation_ = renew();
  busy = true;
  error = std::nullopt;
  const bool creating = !project.has_value();
  nlohmann::json::object_t body;
  try {
    body = draft.payload(creating ? ProjectDraft::Purpose::create : ProjectDraft::Purpose::edit, project);
  } catch (const std::exception& e) {
    error = std::string(e.what());
    busy = false;
    return finished(false);
  }
  if (!creating && body.empty()) {
    busy = false;
    return finished(true);
  }
  if (isLocalPreview()) {
    const std::string id = creating ? sampleProjectID() : project->id;
    applySavedProject(localProjectRecord(draft, id, project));
    revision = *revision + 1;
    busy = false;
    return finished(true);
  }
  if (!api_) {
    error = std::string(library_sentences::connectFirst);
    busy = false;
    return finished(false);
  }
  return start(saveTask(self(), *api_, std::move(body), std::move(draft), std::move(project), generation_));
}

async::Task<bool> ProjectLibraryState::saveTask(Self self, DesktopAPI api, nlohmann::json::object_t body,
                                                ProjectDraft draft, std::optional<LibraryProject> project,
                                                Token generation) {
  // The write.
  std::string id;
  std::optional<std::string> failure;
  bool cancelled = false;
  try {
    if (project) {
      id = project->id;
      co_await api.raw("projects/" + DesktopAPI::pathIdentifier(id), std::move(body), "PATCH", Auth::bearer);
    } else {
      id = (co_await api.request<save_reply::Created>("projects", std::move(body), Auth::bearer)).id;
    }
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

  // The read-back. The write has been stored either way, so a failure here still saves.
  LibraryProject local = localProjectRecord(draft, id, project);
  std::optional<LibraryProject> canonical;
  try {
    canonical = (co_await api.request<save_reply::Canonical>("projects/" + DesktopAPI::pathIdentifier(id), std::nullopt,
                                                             Auth::bearer))
                    .project;
  } catch (const async::Cancelled&) {
    cancelled = true;
  } catch (const std::exception&) {
  }
  state = self.get();
  if (!state || !state->isCurrent(generation)) co_return false;
  if (canonical) {
    state->applySavedProject(completedReadBack(std::move(*canonical), project, *state->runs));
  } else {
    // What the service holds now is unknown: show the anchor it had before.
    local.contextAttachment = project ? project->contextAttachment : std::nullopt;
    state->applySavedProject(std::move(local));
    if (!cancelled) state->error = std::string(library_sentences::savedWithoutReadBack);
  }
  state->revision = *state->revision + 1;
  state->busy = false;
  co_return true;
}

}  // namespace vesk

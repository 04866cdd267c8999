#pragma once
// A project library state wired to the loopback fake service, with helpers that script
// the library's routes: the project list, the paged archive, projects and their runs.
#include "core/library/project_library_state.h"
#include "fake_service/fake_service.h"
#include "support/run_loop.h"
#include "support/workspace_harness.h"

#include <nlohmann/json.hpp>

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace vesk::testing {

// A run of the archive; a sample run when `fixture` is set.
SavedAudit archiveRun(const std::string& id, const std::string& projectID, const std::string& projectName = "Doral",
                      std::optional<bool> fixture = std::nullopt);
nlohmann::json runsJson(const std::vector<SavedAudit>& runs);
nlohmann::json projectsJson(const std::vector<LibraryProject>& projects);
// One archive page; `nextOffset` absent on the last page.
std::string archivePage(const std::vector<SavedAudit>& runs, std::optional<std::int64_t> nextOffset);

struct LibraryFixture {
  LibraryFixture();

  FakeService service;
  std::shared_ptr<FakeSaveDialog> dialog = std::make_shared<FakeSaveDialog>();
  std::unique_ptr<ProjectLibraryState> state = std::make_unique<ProjectLibraryState>(dialog);

  DesktopAPI api() const { return DesktopAPI{service.origin(), "token-1"}; }
  // Answers GET "library" by the query's offset; an offset with no page answers 404.
  void routePages(std::map<std::int64_t, Reply> pages);
  // GET "projects" with these projects and a one-page archive of these runs.
  void routeLibrary(const std::vector<LibraryProject>& projects, const std::vector<SavedAudit>& runs);
  // GET "projects/<id>" and "projects/<id>/runs".
  void routeProject(const LibraryProject& project, const std::vector<SavedAudit>& runs);
  // configure() against the service, run to its end.
  void configure();
  // The requests the state has sent to the library's routes, "METHOD path?query".
  std::vector<std::string> sent() const;
};

}  // namespace vesk::testing

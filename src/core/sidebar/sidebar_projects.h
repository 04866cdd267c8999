#pragma once
// What the sidebar's "RECENT" list shows, worked out afresh from the workspace each time:
// which projects it may list, which one the user is looking at, the rows it keeps, and
// what each row says and draws. Pure functions; they read no state of their own.
#include "core/records/library_records.h"
#include "core/records/run_records.h"
#include "core/workspace/screen.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace vesk {

struct SidebarProjects {
  SidebarProjects() = delete;

  // More projects than this are cut short and offer "More…".
  static constexpr std::size_t rowLimit = 5;
};

// "Full audit", "Follow-up", or "Quick read" for any other mode or none.
std::string runModeLabel(const std::optional<std::string>& auditMode);

// The local preview's projects: one per distinct projectId of the saved runs, in the
// order each first occurs, named after its first run and counting its runs.
std::vector<LibraryProject> previewProjects(const std::vector<SavedAudit>& reports);

// The service's projects unchanged, or the local preview's.
std::vector<LibraryProject> sidebarProjectList(bool fixture, const std::vector<LibraryProject>& serviceProjects,
                                               const std::vector<SavedAudit>& reports);

// The project the user is looking at: the library's selection, the open run's project on
// the report and progress screens, none elsewhere.
std::optional<std::string> activeProjectID(Screen screen, const std::optional<std::string>& libraryProjectID,
                                           const std::optional<SavedAudit>& current);

// The first five projects, or, when the active project is not among them, that project
// followed by the first four.
std::vector<LibraryProject> visibleProjects(const std::vector<LibraryProject>& projects,
                                            const std::optional<std::string>& activeID);

// The sidebar offers "More…" for six projects or more.
inline bool showsMoreProjects(const std::vector<LibraryProject>& projects) {
  return projects.size() > SidebarProjects::rowLimit;
}

// The status dot of a row.
enum class SidebarDot {
  faint,  // no runs: a small faint disc
  ring,   // this client's quick reads and follow-ups: a red ring
  muted,  // another agent's runs: a muted disc
  red,    // full audits and any other agent: a red disc
};

// What one project row says.
struct SidebarRowValues {
  std::optional<std::string> agent;
  std::optional<std::string> mode;
  bool hasRuns = false;
  std::string runLabel;
  std::string tooltip;          // "name · lastActivity"
  std::string accessibleLabel;  // "name — run label" when the project has runs
  SidebarDot dot = SidebarDot::faint;
  bool operator==(const SidebarRowValues&) const = default;
};

// `reports` is the saved-run list: its first run of the project stands in for missing
// project details.
SidebarRowValues sidebarRowValues(const LibraryProject& project, const std::vector<SavedAudit>& reports);

// The saved runs of a project, in list order.
std::vector<SavedAudit> projectRuns(const std::string& projectID, const std::vector<SavedAudit>& reports);

// A run's title in its project's context menu: "Quick read · 2026-03-04", or the status
// when the run has no creation time.
std::string runMenuTitle(const SavedAudit& run);

}  // namespace vesk

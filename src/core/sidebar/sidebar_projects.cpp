#include "core/sidebar/sidebar_projects.h"

#include <glib.h>

#include <algorithm>
#include <map>

namespace vesk {

namespace {

constexpr const char* ourAgent = "vesk";

const SavedAudit* latestRun(const std::string& projectID, const std::vector<SavedAudit>& reports) {
  const auto found =
      std::find_if(reports.begin(), reports.end(), [&](const SavedAudit& run) { return run.projectId == projectID; });
  return found == reports.end() ? nullptr : &*found;
}

// The first `count` characters (code points) of a text; the text itself when it is not
// valid UTF-8, so a malformed time is never cut inside a character.
std::string leadingCharacters(const std::string& text, long count) {
  if (!g_utf8_validate(text.data(), static_cast<gssize>(text.size()), nullptr)) return text;
  const long length = g_utf8_strlen(text.data(), static_cast<gssize>(text.size()));
  if (length <= count) return text;
  const char* end = g_utf8_offset_to_pointer(text.data(), count);
  return std::string(text.data(), end);
}

SidebarDot dotFor(bool hasRuns, const std::optional<std::string>& agent, const std::optional<std::string>& mode) {
  if (!hasRuns) return SidebarDot::faint;
  const std::string who = agent.value_or(ourAgent);
  if (who == ourAgent && mode != "full") return SidebarDot::ring;
  if (who == "olva" || who == "brask") return SidebarDot::muted;
  return SidebarDot::red;
}

}  // namespace

std::string runModeLabel(const std::optional<std::string>& auditMode) {
  if (auditMode == "full") return "Full audit";
  if (auditMode == "followup") return "Follow-up";
  return "Quick read";
}

std::vector<LibraryProject> previewProjects(const std::vector<SavedAudit>& reports) {
  std::vector<LibraryProject> projects;
  std::map<std::string, std::size_t> positions;
  for (const auto& run : reports) {
    const auto [at, added] = positions.try_emplace(run.projectId, projects.size());
    if (added) {
      LibraryProject project;
      project.id = run.projectId;
      project.name = run.projectName;
      project.runCount = 0;
      projects.push_back(std::move(project));
    }
    ++*projects[at->second].runCount;
  }
  return projects;
}

std::vector<LibraryProject> sidebarProjectList(bool fixture, const std::vector<LibraryProject>& serviceProjects,
                                               const std::vector<SavedAudit>& reports) {
  return fixture ? previewProjects(reports) : serviceProjects;
}

std::optional<std::string> activeProjectID(Screen screen, const std::optional<std::string>& libraryProjectID,
                                           const std::optional<SavedAudit>& current) {
  switch (screen) {
    case Screen::library: return libraryProjectID;
    case Screen::report:
    case Screen::progress:
      if (current) return current->projectId;
      return std::nullopt;
    default: return std::nullopt;
  }
}

std::vector<LibraryProject> visibleProjects(const std::vector<LibraryProject>& projects,
                                            const std::optional<std::string>& activeID) {
  const auto keptEnd = projects.begin() + static_cast<long>(std::min(projects.size(), SidebarProjects::rowLimit));
  std::vector<LibraryProject> kept(projects.begin(), keptEnd);
  if (!activeID) return kept;
  const auto hasActive = [&](const LibraryProject& project) { return project.id == *activeID; };
  if (std::any_of(kept.begin(), kept.end(), hasActive)) return kept;
  const auto active = std::find_if(projects.begin(), projects.end(), hasActive);
  if (active == projects.end()) return kept;
  std::vector<LibraryProject> rows{*active};
  rows.insert(rows.end(), kept.begin(), kept.begin() + static_cast<long>(std::min<std::size_t>(kept.size(), 4)));
  return rows;
}

SidebarRowValues sidebarRowValues(const LibraryProject& project, const std::vector<SavedAudit>& reports) {
  const SavedAudit* latest = latestRun(project.id, reports);
  SidebarRowValues values;
  values.agent = project.lastAgent;
  if (!values.agent && project.lastRun) values.agent = project.lastRun->agent;
  if (!values.agent && !project.lastRun && latest) values.agent = ourAgent;

  values.mode = project.lastAuditMode;
  if (!values.mode && project.lastRun) values.mode = project.lastRun->auditMode;
  if (!values.mode && latest) values.mode = latest->auditMode;

  values.hasRuns = values.agent.has_value() || project.runCount.value_or(0) > 0;
  if (values.agent == "olva") {
    values.runLabel = "Olva run";
  } else if (values.agent == "brask") {
    values.runLabel = "Brask run";
  } else {
    values.runLabel = runModeLabel(values.mode);
  }
  values.tooltip = project.name;
  if (project.lastActivity) values.tooltip += " \u00B7 " + *project.lastActivity;
  values.accessibleLabel = project.name;
  if (values.hasRuns) values.accessibleLabel += " \u2014 " + values.runLabel;
  values.dot = dotFor(values.hasRuns, values.agent, values.mode);
  return values;
}

std::vector<SavedAudit> projectRuns(const std::string& projectID, const std::vector<SavedAudit>& reports) {
  std::vector<SavedAudit> runs;
  std::copy_if(reports.begin(), reports.end(), std::back_inserter(runs),
               [&](const SavedAudit& run) { return run.projectId == projectID; });
  return runs;
}

std::string runMenuTitle(const SavedAudit& run) {
  return runModeLabel(run.auditMode) + " \u00B7 " +
         (run.createdAt ? leadingCharacters(*run.createdAt, 10) : run.status);
}

}  // namespace vesk

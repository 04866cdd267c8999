#include "core/library/library_rules.h"

#include "core/text/text_rules.h"
#include "core/workspace/uuid_text.h"

#include <glib.h>

#include <algorithm>
#include <unordered_map>

namespace vesk {

void ArchiveCollector::append(std::vector<SavedAudit>&& page) {
  for (auto& run : page) {
    if (seen_.insert(run.id).second) runs_.push_back(std::move(run));
  }
}

std::vector<SavedAudit> runsOfProject(const std::vector<SavedAudit>& runs, const std::string& projectID) {
  std::vector<SavedAudit> matching;
  std::copy_if(runs.begin(), runs.end(), std::back_inserter(matching),
               [&](const SavedAudit& run) { return run.projectId == projectID; });
  return matching;
}

SampleLibrary sampleLibrary(const std::vector<SavedAudit>& savedRuns) {
  SampleLibrary library;
  std::unordered_map<std::string, std::size_t> projectIndex;
  for (const auto& run : savedRuns) {
    if (!run.fixture.value_or(false)) continue;
    library.runs.push_back(run);
    const auto [entry, added] = projectIndex.emplace(run.projectId, library.projects.size());
    if (added) {
      library.projects.emplace_back(run.projectId, run.projectName);
      library.projects.back().runCount = 0;
    }
    ++*library.projects[entry->second].runCount;
  }
  return library;
}

LibraryProject localProjectRecord(const ProjectDraft& draft, const std::string& id,
                                  const std::optional<LibraryProject>& edited) {
  LibraryProject project(id, trimmedWhiteSpace(draft.name));
  if (!draft.brief.empty()) project.brief = draft.brief;
  project.kind = draft.kind;
  project.intent = draft.intent;
  if (edited) {
    project.createdAt = edited->createdAt;
    project.lastActivity = edited->lastActivity;
  }
  project.runCount = edited ? edited->runCount.value_or(0) : 0;
  if (!draft.contextURL.empty()) project.contextUrl = draft.contextURL;
  if (draft.replacement) {
    project.contextAttachment = LibraryAnchor(draft.replacement->filename, draft.replacement->mediaType);
  } else if (!draft.removeAnchor && edited) {
    project.contextAttachment = edited->contextAttachment;
  }
  return project;
}

LibraryProject completedReadBack(LibraryProject project, const std::optional<LibraryProject>& edited,
                                 const std::vector<SavedAudit>& runs) {
  if (!project.runCount) {
    if (edited && edited->runCount) {
      project.runCount = edited->runCount;
    } else {
      project.runCount = static_cast<std::int64_t>(
          std::count_if(runs.begin(), runs.end(), [&](const SavedAudit& run) { return run.projectId == project.id; }));
    }
  }
  if (!project.lastActivity && edited) project.lastActivity = edited->lastActivity;
  if (!project.createdAt && edited) project.createdAt = edited->createdAt;
  return project;
}

std::string sampleProjectID() {
  std::string uuid = freshUUID();
  for (char& c : uuid) c = g_ascii_toupper(c);
  return "sample-project-" + uuid;
}

}  // namespace vesk

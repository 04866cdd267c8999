#pragma once
// Pure rules of the project library: merging archive pages, the local preview's library,
// and the project record a save leaves in the lists.
#include "core/library/project_draft.h"
#include "core/records/library_records.h"
#include "core/records/run_records.h"

#include <optional>
#include <string>
#include <unordered_set>
#include <vector>

namespace vesk {

// The run archive as its pages arrive: each run once, where its id was first seen.
class ArchiveCollector {
 public:
  void append(std::vector<SavedAudit>&& page);
  std::vector<SavedAudit> take() && { return std::move(runs_); }
  std::size_t size() const { return runs_.size(); }

 private:
  std::vector<SavedAudit> runs_;
  std::unordered_set<std::string> seen_;
};

// The runs of one project, in the order of `runs`.
std::vector<SavedAudit> runsOfProject(const std::vector<SavedAudit>& runs, const std::string& projectID);

// The library of the local preview: the given runs that are samples, in their order, and
// one project per project id among them, in order of first appearance, named after its
// first run and counting its runs.
struct SampleLibrary {
  std::vector<SavedAudit> runs;
  std::vector<LibraryProject> projects;
};
SampleLibrary sampleLibrary(const std::vector<SavedAudit>& savedRuns);

// The project a save builds from its draft: the result in the local preview, and what is
// shown when the service's copy cannot be read back. `edited` is absent for a new project.
LibraryProject localProjectRecord(const ProjectDraft& draft, const std::string& id,
                                  const std::optional<LibraryProject>& edited);

// The service's copy of a saved project, with the run count and times it left out taken
// from the edited project (the run count, failing that, counted in `runs`).
LibraryProject completedReadBack(LibraryProject project, const std::optional<LibraryProject>& edited,
                                 const std::vector<SavedAudit>& runs);

// "sample-project-" and a fresh upper-case UUID: the id of a project created in the
// local preview.
std::string sampleProjectID();

}  // namespace vesk

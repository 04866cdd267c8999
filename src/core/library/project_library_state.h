#pragma once
// The state behind the "Projects & history" screen: the account's projects, the run
// archive, the open project with its runs, a busy flag, the error sentence, a change
// counter and the preview of a project's anchor image, with the operations that load and
// change them. All service calls go through the client the workspace lends; in the local
// preview (a sample account) it works on the saved sample runs alone and sends nothing.
//
// The screen makes one per visit. Every task it starts is its own: destroying it cancels
// them all, and a task that resumes afterwards touches nothing of it. Late results are
// dropped by two tokens: the generation, renewed by configure, save, deleteProject and
// deleteRun and copied by refresh, openProject and the anchor downloads; and the
// selection, renewed by configure, openProject and closeProject.
#include "core/api/desktop_api.h"
#include "core/async/owned_tasks.h"
#include "core/library/project_draft.h"
#include "core/records/library_records.h"
#include "core/records/run_records.h"
#include "core/report/report_source_preview.h"
#include "core/workspace/published.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace vesk {

class SaveDialog;

// Where the library's content comes from: the service, or the sample runs of the local
// preview.
enum class LibrarySource { service, localPreview };

class ProjectLibraryState {
 public:
  // `saveDialog` asks where an anchor file is saved.
  explicit ProjectLibraryState(std::shared_ptr<SaveDialog> saveDialog);
  ~ProjectLibraryState();
  ProjectLibraryState(const ProjectLibraryState&) = delete;
  ProjectLibraryState& operator=(const ProjectLibraryState&) = delete;

  // Published state, in declaration order.
  Published<std::vector<LibraryProject>> projects;    // in the service's order
  Published<std::vector<SavedAudit>> runs;            // every archive page, each run once
  Published<std::optional<LibraryProject>> selected;  // the open project
  Published<std::vector<SavedAudit>> selectedRuns;    // the open project's runs
  Published<bool> busy{false};
  Published<std::optional<std::string>> error;
  Published<std::int64_t> revision{0};                          // raised by one after each change of content
  Published<std::optional<ReportSourcePreview>> anchorPreview;  // the views set it absent to close it

  const std::optional<DesktopAPI>& api() const { return api_; }
  LibrarySource source() const { return source_; }

  // The asynchronous operations return the handle of the task they started: callers may
  // join it (and read the result of save and deleteProject) or let it run. Whatever the
  // operation decides at once (refusals, the local preview, the open project) is done
  // before it returns.

  // Binds the state to a client and a source, closes the open project and loads the
  // lists: from the service through refresh(), or from the sample runs among
  // `initialReports` without a request.
  async::TaskHandle<void> configure(std::optional<DesktopAPI> api, LibrarySource source,
                                    std::vector<SavedAudit> initialReports);
  // Reloads the project list and the whole archive (100 runs a page) side by side and
  // applies both or neither; then reopens the open project or closes it when it is gone.
  // Does nothing in the local preview or without a client.
  async::TaskHandle<void> refresh();
  // Opens the project at once with the runs of the archive, then loads its record and
  // runs from the service.
  async::TaskHandle<void> openProject(LibraryProject project);
  // Back to the list; an opening still in flight writes nothing. Clears busy.
  void closeProject();

  // Shows an image anchor in anchorPreview: loading first, then the checked image or a
  // sentence. Returns at once.
  void previewAnchor(const LibraryProject& project);
  // Downloads the anchor file and saves it where the user chooses. Returns at once.
  void exportAnchor(const LibraryProject& project);
  // Deletes a run; refused while busy.
  async::TaskHandle<void> deleteRun(SavedAudit run);

  // Creates (`project` absent) or edits a project from the draft. True when the change was
  // applied or there was nothing to send; false when refused (busy), failed or overtaken.
  async::TaskHandle<bool> save(ProjectDraft draft, std::optional<LibraryProject> project);
  // Deletes a project and its runs from the lists and closes whatever project was open.
  async::TaskHandle<bool> deleteProject(LibraryProject project);

  // How many of its tasks have not ended yet.
  std::size_t runningTasks() const { return tasks_.running(); }

 private:
  using Token = std::uint64_t;

  // How a task reaches its state: the state while it exists, nothing once it has been
  // destroyed (its cancelled tasks may still be unwinding then).
  class Self {
   public:
    Self(ProjectLibraryState* state, std::weak_ptr<const int> life) : state_(state), life_(std::move(life)) {}
    ProjectLibraryState* get() const { return life_.expired() ? nullptr : state_; }

   private:
    ProjectLibraryState* state_;
    std::weak_ptr<const int> life_;
  };
  Self self() { return Self(this, life_); }

  Token renew() { return ++lastToken_; }
  bool isCurrent(Token generation) const { return generation_ == generation; }
  bool isLocalPreview() const { return source_ == LibrarySource::localPreview; }
  template <class T>
  async::TaskHandle<T> start(async::Task<T> task) {
    return tasks_.add(async::spawn(std::move(task)));
  }
  // A handle whose task ends at once with `value`, for operations decided on the spot.
  static async::TaskHandle<void> finished();
  static async::TaskHandle<bool> finished(bool value);

  static async::Task<void> refreshTask(Self self, DesktopAPI api, async::TaskHandle<std::vector<LibraryProject>> list,
                                       Token generation);
  static async::Task<void> openTask(Self self, async::TaskHandle<LibraryProject> detail,
                                    async::TaskHandle<std::vector<SavedAudit>> projectRuns, Token generation,
                                    Token selection);
  static async::Task<void> previewTask(Self self, DesktopAPI api, std::string projectID, std::string previewID,
                                       Token generation);
  static async::Task<void> exportTask(Self self, DesktopAPI api, std::string projectID, std::string filename,
                                      Token generation);
  static async::Task<void> deleteRunTask(Self self, DesktopAPI api, std::string runID, Token generation);
  static async::Task<bool> saveTask(Self self, DesktopAPI api, nlohmann::json::object_t body, ProjectDraft draft,
                                    std::optional<LibraryProject> project, Token generation);
  static async::Task<bool> deleteProjectTask(Self self, DesktopAPI api, std::string projectID, Token generation);

  bool isPreviewShown(const std::string& previewID) const;
  void removeRunLocally(const std::string& runID);
  void removeProjectLocally(const std::string& projectID);
  void applySavedProject(LibraryProject project);

  std::shared_ptr<SaveDialog> saveDialog_;
  std::optional<DesktopAPI> api_;
  // Until configure() says otherwise nothing is sent.
  LibrarySource source_ = LibrarySource::localPreview;
  Token lastToken_ = 0;
  Token generation_ = renew();
  Token selection_ = renew();
  // Expires with the state; its tasks hold it weakly (see Self).
  std::shared_ptr<const int> life_ = std::make_shared<const int>(0);
  // Last, so it goes first: every task is cancelled before anything else is torn down.
  async::OwnedTasks tasks_;
};

}  // namespace vesk

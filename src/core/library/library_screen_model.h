#pragma once
// The "Projects & history" screen without its widgets: its own view state (search, kind
// filter, archive switch, sheet switches), the lists and sentences it draws, which
// actions are open, and its life on screen: the appearance task that configures the
// library, the reaction to the project the workspace asks for, and the five callbacks by
// which it reports to the shell. It owns the screen's library state, made afresh for
// each visit.
#include "core/async/owned_tasks.h"
#include "core/library/library_list_contents.h"
#include "core/library/library_presentation.h"
#include "core/library/list_splices.h"
#include "core/library/project_library_state.h"
#include "core/shell/change_coalescer.h"
#include "core/workspace/published.h"

#include <sigc++/connection.h>
#include <sigc++/signal.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace vesk {

// How the screen reports to the shell. Each may be empty.
struct LibraryScreenCallbacks {
  std::function<void(const SavedAudit&)> onOpenRun;
  std::function<void(const LibraryProject&)> onNewReview;
  std::function<void()> onDismiss;
  std::function<void()> onLibraryChanged;
  std::function<void(const std::optional<std::string>&)> onProjectSelected;
};

class LibraryScreenModel {
 public:
  // What the shell builds the screen from.
  struct Inputs {
    std::optional<DesktopAPI> api;
    bool fixture = false;
    std::vector<SavedAudit> initialReports;
    std::optional<std::string> initialProjectID;
  };

  LibraryScreenModel(std::shared_ptr<SaveDialog> saveDialog, Inputs inputs, LibraryScreenCallbacks callbacks);
  ~LibraryScreenModel();
  LibraryScreenModel(const LibraryScreenModel&) = delete;
  LibraryScreenModel& operator=(const LibraryScreenModel&) = delete;

  ProjectLibraryState& state() { return *state_; }
  const ProjectLibraryState& state() const { return *state_; }

  // The screen's own state.
  Published<std::string> search;
  Published<std::string> kind{"all"};  // "all", "landing" or "dashboard"
  Published<bool> archive{false};
  Published<bool> editor{false};
  Published<bool> creating{false};
  Published<std::optional<SavedAudit>> deletingRun;

  // Emitted once per main-loop turn in which anything the screen draws changed.
  sigc::signal<void()>& signalChanged() { return changed_; }
  // Emitted just before signalChanged when the list's entries changed, with the splices
  // that turn the entries last announced into entries().
  sigc::signal<void(const std::vector<ListSplice>&)>& signalEntriesChanged() { return entriesChanged_; }

  // The screen is shown: configures the library and opens the project asked for.
  void appear();
  // The workspace's client changed. Only a new token configures the library again.
  void setAPI(std::optional<DesktopAPI> api);
  // The project the workspace wants open changed.
  void setInitialProjectID(std::optional<std::string> projectID);

  // What the screen draws.
  LibraryView view() const;
  bool fixture() const { return inputs_.fixture; }
  // The list: the open project's detail, the empty state, then the shown projects or runs.
  const std::vector<LibraryEntry>& entries() const { return contents_.entries(query()); }
  // How many projects or runs the list shows.
  std::size_t shownCount() const { return contents_.shownCount(query()); }
  std::string title() const;
  std::string countLabel() const;
  std::string searchPrompt() const { return librarySearchPrompt(view()); }
  std::optional<LibraryEmptyState> emptyState() const;
  std::string scrollIdentity() const { return libraryScrollIdentity(*archive, *state_->selected); }
  // The anchor preview this screen shows: none while the editor is open (it shows its own).
  std::optional<ReportSourcePreview> shownPreview() const;

  // Which actions are open. The view pills, "New project", the kind chips, the search,
  // "Back to projects" and "Done" always are.
  bool canRefresh() const { return !*state_->busy && !fixture(); }
  bool canChangeProject() const { return !*state_->busy; }  // rows, "Project settings", "New audit"
  bool canDeleteRun(const SavedAudit& run) const { return !*state_->busy && run.status != "running"; }
  bool canUseSavedAnchor(const LibraryProject& project) const;

  // The user's actions.
  void showProjects();
  void showArchive();
  void setSearch(std::string text) { search = std::move(text); }
  void setKind(std::string value) { kind = std::move(value); }
  void clearFilters();
  void clearSearch() { search = std::string(); }
  void openProject(const LibraryProject& project);
  void backToProjects();
  void refresh();
  void newProject();
  void projectSettings();
  void closeEditor() { editor = false; }
  void newAudit();
  void done();
  void openRun(const SavedAudit& run);
  void askToDeleteRun(const SavedAudit& run) { deletingRun = run; }
  // The same, for the listed record with that id; nothing when it is no longer listed.
  void openProjectWithID(const std::string& projectID);
  void openRunWithID(const std::string& runID);
  void askToDeleteRunWithID(const std::string& runID);
  void cancelRunDeletion() { deletingRun = std::nullopt; }
  // Deletes the run being confirmed; the confirmation closes only once the run is gone.
  async::TaskHandle<void> confirmRunDeletion();
  void previewAnchor(const LibraryProject& project) { state_->previewAnchor(project); }
  void exportAnchor(const LibraryProject& project) { state_->exportAnchor(project); }
  void dismissPreview() { state_->anchorPreview = std::nullopt; }

 private:
  class Self {
   public:
    Self(LibraryScreenModel* model, std::weak_ptr<const int> life) : model_(model), life_(std::move(life)) {}
    LibraryScreenModel* get() const { return life_.expired() ? nullptr : model_; }

   private:
    LibraryScreenModel* model_;
    std::weak_ptr<const int> life_;
  };
  Self self() { return Self(this, life_); }

  static async::Task<void> appearanceTask(Self self);
  static async::Task<void> deletionTask(Self self, SavedAudit run);
  void selectionChanged();
  void revisionChanged();
  std::optional<LibraryProject> listedProject(const std::string& projectID) const;
  std::optional<SavedAudit> listedRun(const std::string& runID) const;
  LibraryListContents::Query query() const;
  void flush();

  std::unique_ptr<ProjectLibraryState> state_;
  Inputs inputs_;
  LibraryScreenCallbacks callbacks_;
  std::optional<std::string> reportedSelection_;
  std::int64_t reportedRevision_ = 0;
  sigc::signal<void()> changed_;
  sigc::signal<void(const std::vector<ListSplice>&)> entriesChanged_;
  // A cache of what the records and the question give; filled as it is read.
  mutable LibraryListContents contents_;
  std::vector<LibraryEntry> announced_;
  std::uint64_t announcedGeneration_ = 0;
  ChangeCoalescer coalescer_;
  std::vector<sigc::connection> connections_;
  std::shared_ptr<const int> life_ = std::make_shared<const int>(0);
  async::TaskSlot appearance_;
  // Last, so it goes first: nothing the screen started outlives it.
  async::OwnedTasks tasks_;
};

}  // namespace vesk

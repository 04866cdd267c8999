#pragma once
// The project editor sheet without its widgets: the draft it edits, the typed name of the
// delete zone, the message about a picked file, what the form, the anchor chip and the
// footer show and allow, and the save and delete that close it on success. Creating when
// it is given no project, editing that project otherwise.
#include "core/async/owned_tasks.h"
#include "core/library/project_draft.h"
#include "core/library/project_library_state.h"
#include "core/shell/change_coalescer.h"
#include "core/workspace/published.h"

#include <sigc++/signal.h>

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

namespace vesk {

// The typed-name rule of a project's deletion: both texts trimmed of white space and
// line breaks, then equal by canonical equivalence, case and all. Nothing typed never
// passes, even for a project whose saved name is empty.
bool deletionNameMatches(std::string_view typed, std::string_view savedName);

class ProjectEditorModel {
 public:
  // The delete zone's scroll target.
  static constexpr const char* confirmationID = "project-delete-confirmation";
  // How long the delete zone waits before its field takes focus.
  static constexpr std::chrono::milliseconds focusDelay{180};

  ProjectEditorModel(ProjectLibraryState& state, std::optional<LibraryProject> project, std::function<void()> onClose);
  ~ProjectEditorModel();
  ProjectEditorModel(const ProjectEditorModel&) = delete;
  ProjectEditorModel& operator=(const ProjectEditorModel&) = delete;

  Published<ProjectDraft> draft;
  Published<std::string> confirmName;
  Published<bool> deletingProject{false};
  Published<std::optional<std::string>> fileError;
  // Set by the focus task once the delete zone has settled; the view focuses the field
  // and scrolls to it. Cleared when the zone closes.
  Published<bool> confirmationFocused{false};

  // Emitted once per main-loop turn in which anything the sheet draws changed.
  sigc::signal<void()>& signalChanged() { return changed_; }

  const std::optional<LibraryProject>& project() const { return project_; }
  bool creating() const { return !project_.has_value(); }
  bool busy() const { return *state_.busy; }
  std::string header() const { return creating() ? "Start something" : "Project settings"; }
  int idealHeight() const { return creating() ? 760 : 700; }
  // The state's sentence first, else the file's.
  std::optional<std::string> errorMessage() const;
  // While editing a project that states its intent: the read-only line in place of the picker.
  std::optional<std::string> intentLine() const;

  // The anchor area.
  std::optional<std::string> shownFileName() const;
  std::string anchorButtonTitle() const { return shownFileName() ? "Replace anchor file" : "Add an anchor file"; }
  struct ChipButtons {
    bool viewPending = false;  // "View image" of the picked file
    bool viewSaved = false;    // "View image" of the saved anchor
    bool viewSavedEnabled = false;
    bool saveFile = false;  // "Save file…"
    bool saveFileEnabled = false;
    bool operator==(const ChipButtons&) const = default;
  };
  ChipButtons chipButtons() const;

  // Form edits.
  void setName(std::string name);
  void setBrief(std::string brief);
  void setContextURL(std::string url);
  // Pressing a type chip: selects it, or clears the type when it was selected.
  void toggleKind(const std::string& kind);
  void chooseIntent(const std::string& intent);
  // Drops a pending file first; otherwise marks the saved anchor for removal.
  void removeAnchor();
  void viewPendingImage();
  void viewSavedImage();
  void saveSavedFile();
  // The importer's answer: a file to read, or the importer's own failure.
  async::TaskHandle<void> filePicked(std::filesystem::path file);
  void pickFailed(std::string sentence) { fileError = std::move(sentence); }

  // The delete zone.
  void setDeletingProject(bool open);
  bool deleteAllowed() const;
  std::string confirmationPrompt() const;  // "Type <saved name> to confirm."

  // The footer.
  bool deleteFormShown() const { return *deletingProject && !creating(); }
  std::string primaryTitle() const;
  bool primaryEnabled() const;
  bool cancelEnabled() const { return !busy(); }
  void cancel();
  // Saves or deletes, as the footer shows; closes the sheet on success.
  async::TaskHandle<bool> primary();

 private:
  class Self {
   public:
    Self(ProjectEditorModel* model, std::weak_ptr<const int> life) : model_(model), life_(std::move(life)) {}
    ProjectEditorModel* get() const { return life_.expired() ? nullptr : model_; }

   private:
    ProjectEditorModel* model_;
    std::weak_ptr<const int> life_;
  };
  Self self() { return Self(this, life_); }

  void editDraft(const std::function<void(ProjectDraft&)>& edit);
  static async::Task<void> readTask(Self self, std::filesystem::path file);
  static async::Task<void> focusTask(Self self);
  static async::Task<bool> closeOnSuccess(async::TaskHandle<bool> operation, std::function<void()> onClose);

  ProjectLibraryState& state_;
  std::optional<LibraryProject> project_;
  std::function<void()> onClose_;
  sigc::signal<void()> changed_;
  ChangeCoalescer coalescer_;
  std::shared_ptr<const int> life_ = std::make_shared<const int>(0);
  async::TaskSlot focus_;
  async::OwnedTasks tasks_;
};

}  // namespace vesk

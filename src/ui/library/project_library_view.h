#pragma once
// The "Projects & history" screen: the project list with its search and kind filter, the
// run archive, and the open project with its detail and runs; over it, the project
// editor, the anchor preview and the run deletion sheets. It draws LibraryScreenModel and
// hands it the user's actions.
#include "core/library/library_screen_model.h"
#include "ui/app/sheet_layer.h"
#include "ui/app/weak_widget.h"
#include "ui/library/anchor_file_panel.h"
#include "ui/library/anchor_preview_host.h"
#include "ui/library/library_entry_list.h"
#include "ui/library/library_list_cell.h"

#include <gtkmm/box.h>
#include <gtkmm/button.h>
#include <gtkmm/entry.h>
#include <gtkmm/label.h>
#include <gtkmm/listview.h>
#include <gtkmm/scrolledwindow.h>
#include <gtkmm/spinner.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace vesk::ui {

class ProjectEditorView;
class ReportDeleteConfirmation;

class ProjectLibraryView : public Gtk::Box {
 public:
  // What the screen reaches outside itself.
  struct Services {
    SheetLayer* sheets = nullptr;
    std::shared_ptr<SaveDialog> saveDialog;
    std::shared_ptr<AnchorFilePanel> anchorFiles;
    std::function<void(const std::string&)> openLink;
  };

  ProjectLibraryView(LibraryScreenModel::Inputs inputs, LibraryScreenCallbacks callbacks, Services services);
  ~ProjectLibraryView() override;

  LibraryScreenModel& model() { return model_; }

  Gtk::Button& projectsPill() { return *projectsPill_; }
  Gtk::Button& archivePill() { return *archivePill_; }
  Gtk::Button& newProjectButton() { return *newProject_; }
  Gtk::Spinner& spinner() { return *spinner_; }
  Gtk::Label& title() { return *title_; }
  Gtk::Label& fixtureNote() { return *fixtureNote_; }
  Gtk::Label& errorLabel() { return *error_; }
  Gtk::Entry& searchField() { return *search_; }
  Gtk::Widget& kindRow() { return *kindRow_; }
  Gtk::Label& countLabel() { return *count_; }
  Gtk::Widget& projectActions() { return *projectActions_; }
  Gtk::Button& projectSettingsButton() { return *projectSettings_; }
  Gtk::Button& newAuditButton() { return *newAudit_; }
  Gtk::ListView& list() { return *list_; }
  // How many project and run rows the list has built, and how many entries it has bound:
  // a change the rows do not show builds and binds none.
  std::size_t rowsBuilt() const { return listHost_->rowsBuilt; }
  std::size_t rowBinds() const { return listHost_->binds; }
  std::size_t rowsBound() const { return listHost_->bound.size(); }
  Gtk::ScrolledWindow& scroller() { return *scroller_; }
  Gtk::Button& backButton() { return *back_; }
  Gtk::Button& refreshButton() { return *refresh_; }
  Gtk::Button& doneButton() { return *done_; }
  // The sheets while they show, else nullptr.
  ProjectEditorView* editor() const { return editorContent_; }
  ReportDeleteConfirmation* deletionSheet() const { return deletionContent_; }
  AnchorPreviewHost& preview() { return *preview_; }

 private:
  Gtk::Widget& makeTopBar();
  Gtk::Widget& makeKindRow();
  Gtk::Widget& makeProjectActions();
  Gtk::Widget& makeList();
  Gtk::Widget& makeBottomBar();
  void redraw();
  void followEntries();
  bool stepTowardEntries();
  void keepStepping();
  void tickTowardEntries();
  void stopStepping();
  void activateEntry(guint position);
  void startAtTopOnNewIdentity();
  void releaseFocusFromRemovedRow(const LibraryEntryList::Leaving& removed);
  void redrawList();
  void redrawSheets();
  bool escape();

  LibraryScreenModel model_;
  Services services_;
  WeakWidget sheetLayer_;  // the layer of services_, for the destructor
  // Managed, owned by the screen's widget tree.
  Gtk::Button* projectsPill_ = nullptr;
  Gtk::Button* archivePill_ = nullptr;
  Gtk::Button* newProject_ = nullptr;
  Gtk::Spinner* spinner_ = nullptr;
  Gtk::Label* title_ = nullptr;
  Gtk::Label* fixtureNote_ = nullptr;
  Gtk::Label* error_ = nullptr;
  Gtk::Entry* search_ = nullptr;
  Gtk::Box* kindRow_ = nullptr;
  Gtk::Button* kindChips_[3] = {nullptr, nullptr, nullptr};
  Gtk::Label* count_ = nullptr;
  Gtk::Widget* projectActions_ = nullptr;
  Gtk::Button* projectSettings_ = nullptr;
  Gtk::Button* newAudit_ = nullptr;
  Gtk::ScrolledWindow* scroller_ = nullptr;
  Gtk::ListView* list_ = nullptr;
  LibraryEntryList entries_;
  // The frame callback on the list that hands it the rest of a large change; 0 when none
  // waits. It stops when the list leaves the window, while GTK still holds the list.
  guint entriesTick_ = 0;
  bool drawnArchive_ = false;
  bool drawnBusy_ = false;
  std::shared_ptr<LibraryListHost> listHost_;
  Gtk::Button* back_ = nullptr;
  Gtk::Button* refresh_ = nullptr;
  Gtk::Button* done_ = nullptr;
  std::string drawnIdentity_;
  std::optional<SheetLayer::SheetId> editorSheet_;
  ProjectEditorView* editorContent_ = nullptr;  // owned by the sheet layer while shown
  std::optional<SheetLayer::SheetId> deletionSheet_;
  ReportDeleteConfirmation* deletionContent_ = nullptr;  // owned by the sheet layer while shown
  std::unique_ptr<AnchorPreviewHost> preview_;
  bool leaving_ = false;
};

}  // namespace vesk::ui

#pragma once
// The project editor sheet: "Start something" for a new project, "Project settings" for
// the open one. Its form edits a draft; the footer creates, saves or, with the project's
// name typed in the delete zone, deletes; the sheet closes only when that succeeded.
#include "core/async/owned_tasks.h"
#include "core/library/project_editor_model.h"
#include "ui/app/sheet_layer.h"
#include "ui/library/anchor_file_panel.h"
#include "ui/library/anchor_preview_host.h"

#include <gtkmm/box.h>
#include <gtkmm/button.h>
#include <gtkmm/expander.h>
#include <gtkmm/label.h>
#include <gtkmm/scrolledwindow.h>
#include <gtkmm/spinner.h>

#include <memory>

namespace vesk::ui {

class AtelierTextField;

class ProjectEditorView : public Gtk::Box {
 public:
  static constexpr int width = 620;
  static constexpr int minimumHeight = 560;

  ProjectEditorView(ProjectLibraryState& state, std::optional<LibraryProject> project, std::function<void()> onClose,
                    SheetLayer& sheets, std::shared_ptr<AnchorFilePanel> files);
  ~ProjectEditorView() override;

  ProjectEditorModel& model() { return model_; }
  // Whether Escape or the platform may close the sheet now.
  bool dismissible() const { return !model_.busy(); }

  Gtk::Label& header() { return *header_; }
  Gtk::Label& errorLabel() { return *errorLabel_; }
  Gtk::Widget& errorBox() { return *errorBox_; }
  AtelierTextField& nameField() { return *name_; }
  Gtk::Button& websiteChip() { return *website_; }
  Gtk::Button& applicationChip() { return *application_; }
  Gtk::Button& anchorButton() { return *anchorButton_; }
  Gtk::Box& anchorChip() { return *anchorChip_; }
  Gtk::Expander* deleteZone() { return deleteZone_; }
  AtelierTextField* confirmationField() { return confirmation_; }
  Gtk::Button& cancelButton() { return *cancel_; }
  Gtk::Button& primaryButton() { return *primary_; }
  Gtk::ScrolledWindow& scroller() { return *scroller_; }

 private:
  Gtk::Widget& makeForm();
  Gtk::Widget& makeTypeRow();
  Gtk::Widget* makeIntent();
  Gtk::Widget& makeAnchorArea();
  Gtk::Widget& makeDeleteZone();
  Gtk::Widget& makeFooter();
  void redraw();
  void redrawAnchorChip();
  void pickFile();
  void focusConfirmation();
  static async::Task<void> pickTask(std::weak_ptr<const int> life, ProjectEditorView* view,
                                    std::shared_ptr<AnchorFilePanel> files, Gtk::Window* parent);

  ProjectEditorModel model_;
  std::shared_ptr<AnchorFilePanel> files_;
  Gtk::ScrolledWindow* scroller_ = nullptr;  // managed
  // Managed, owned by the sheet's widget tree.
  Gtk::Label* header_ = nullptr;
  Gtk::Box* errorBox_ = nullptr;
  Gtk::Label* errorLabel_ = nullptr;
  Gtk::Box* form_ = nullptr;
  AtelierTextField* name_ = nullptr;
  Gtk::Button* website_ = nullptr;
  Gtk::Button* application_ = nullptr;
  Gtk::Button* redesign_ = nullptr;
  Gtk::Button* buildNew_ = nullptr;
  Gtk::Box* anchorChip_ = nullptr;
  Gtk::Button* anchorButton_ = nullptr;
  Gtk::Expander* deleteZone_ = nullptr;
  AtelierTextField* confirmation_ = nullptr;
  Gtk::Button* cancel_ = nullptr;
  Gtk::Spinner* spinner_ = nullptr;
  Gtk::Button* primary_ = nullptr;
  std::optional<ProjectEditorModel::ChipButtons> drawnChip_;
  std::optional<std::string> drawnFile_;
  bool drawnFocus_ = false;
  std::unique_ptr<AnchorPreviewHost> preview_;
  std::shared_ptr<const int> life_ = std::make_shared<const int>(0);
  async::OwnedTasks tasks_;
};

}  // namespace vesk::ui

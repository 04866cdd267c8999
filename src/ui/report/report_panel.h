#pragma once
// The "Your report" panel: the report's error and notice, its archived sources, the link
// to the audit it continues, the discussion box, the send row, the report actions and the
// disclaimer, with the four sheets they open (image preview, share, comparison, delete)
// stacked above it. Every action calls the report state; the panel keeps only which of
// its sheets is open, the discussion text and whether the sources are expanded. While
// the state is busy the close button and Escape do nothing.
#include "core/report/report_panel_model.h"
#include "core/report/report_state.h"
#include "core/workspace/published.h"
#include "ui/app/sheet_escape.h"
#include "ui/report/discussion_box.h"

#include "ui/report/sheet_frame.h"

#include <gtkmm/box.h>
#include <gtkmm/button.h>
#include <gtkmm/expander.h>
#include <gtkmm/label.h>
#include <gtkmm/spinner.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace vesk::ui {

class SheetHost;
class SheetLayer;

class ReportActionsPanel : public SheetFrame, public SheetEscape {
 public:
  // The whole panel, its margin included.
  static constexpr int width = 700;
  static constexpr int height = 560;
  static constexpr int margin = 30;

  struct Callbacks {
    std::function<void()> onClose;
    std::function<void(const SavedAudit&)> onOpenRun;
    std::function<void(const ReportBaseline&)> onReaudit;
    std::function<void(const std::string& runID)> onDelete;
    // Opens a source's web address in the browser.
    std::function<void(const std::string& address)> openLink;
  };

  // `sheets` is the layer the panel's own sheets stack on.
  ReportActionsPanel(ReportState& state, SheetLayer& sheets, Callbacks callbacks, bool initialSourcesExpanded = false,
                     const std::string& initialInstruction = "");
  ~ReportActionsPanel() override;

  bool escapeCloses() override { return !*state_.busy; }

  const ReportPanelLook& look() const { return look_; }
  Gtk::Button& closeButton() { return *close_; }
  Gtk::Label& errorLabel() { return *error_; }
  Gtk::Label& noticeLabel() { return *notice_; }
  Gtk::Expander& sources() { return *sources_; }
  const std::vector<Gtk::Widget*>& sourceRows() const { return sourceRows_; }
  Gtk::Button& openOriginalButton() { return *openOriginal_; }
  DiscussionBox& discussion() { return *discussion_; }
  Gtk::Box& sendRow() { return *sendRow_; }
  Gtk::Button& sendButton() { return *send_; }
  Gtk::Button& copyButton() { return *copy_; }
  Gtk::Button& downloadButton() { return *download_; }
  Gtk::Button& shareButton() { return *share_; }
  Gtk::Button& compareButton() { return *compare_; }
  Gtk::Button& deleteButton() { return *delete_; }

 private:
  Gtk::Widget& buildHeader();
  Gtk::Widget& buildScrollingArea();
  Gtk::Widget& buildFooter();
  void hostSheets();
  void send();
  void redraw();
  void redrawSources();
  void redrawDiscussion();
  Gtk::Widget& sourceRow(const PanelSourceRow& row, long index);
  Gtk::Widget& attachmentRow(const PanelAttachmentRow& row, long index);

  ReportState& state_;
  SheetLayer& sheets_;
  Callbacks callbacks_;
  ReportPanelLook look_;
  bool drawnOnce_ = false;
  // Which of the panel's sheets is open; the preview follows the state's preview.
  Published<bool> previewing_{false};
  Published<bool> sharing_{false};
  Published<bool> comparing_{false};
  Published<bool> deleting_{false};
  std::vector<std::unique_ptr<SheetHost>> hosts_;
  // Lets a deletion that ends after the panel closed know it is gone.
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
  // Managed, owned by the panel.
  Gtk::Button* close_;
  Gtk::Label* error_;
  Gtk::Label* notice_;
  Gtk::Expander* sources_;
  Gtk::Box* sourceList_;
  std::vector<Gtk::Widget*> sourceRows_;
  Gtk::Button* openOriginal_;
  DiscussionBox* discussion_;
  Gtk::Box* sendRow_;
  Gtk::Label* sampleNote_;
  Gtk::Spinner* spinner_;
  Gtk::Button* send_;
  Gtk::Button* copy_;
  Gtk::Button* download_;
  Gtk::Button* share_;
  Gtk::Button* compare_;
  Gtk::Button* delete_;
};

}  // namespace vesk::ui

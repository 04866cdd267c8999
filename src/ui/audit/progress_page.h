#pragma once
// The progress screen's content column: in the preview the eyebrow and the sample's
// stage list, otherwise the live progress panel; the paragraph; and the footer of up to
// four buttons. It draws ProgressPresentation and hands every click to it.
#include "core/shell/progress_presentation.h"
#include "ui/app/screen_context.h"
#include "ui/audit/live_progress_view.h"

#include <gtkmm/box.h>
#include <gtkmm/button.h>
#include <gtkmm/label.h>

#include <memory>
#include <optional>

namespace vesk::ui {

class ProgressPage : public Gtk::Box {
 public:
  explicit ProgressPage(std::shared_ptr<Workspace> workspace);
  ~ProgressPage() override;

  ProgressPresentation& presentation() { return presentation_; }
  Gtk::Label& eyebrow() { return *eyebrow_; }
  Gtk::Label& paragraph() { return *paragraph_; }
  // The live panel, or null in the preview.
  LiveProgressView* liveView() { return live_; }
  // The preview's stage rows (null outside the preview) and their spinners.
  Gtk::Box* stageList() { return stageList_; }
  Gtk::Box* stageRows() { return stageRows_; }
  Gtk::Button& leaveButton() { return *leave_; }
  Gtk::Button& connectionButton() { return *connection_; }
  Gtk::Button& checkButton() { return *check_; }
  Gtk::Button& retryButton() { return *retry_; }

 private:
  void draw();
  void buildBody(bool preview);
  void drawStages();

  std::shared_ptr<Workspace> workspace_;
  ProgressPresentation presentation_;
  std::optional<bool> builtPreview_;
  // Managed children.
  Gtk::Label* eyebrow_ = nullptr;
  Gtk::Label* paragraph_ = nullptr;
  Gtk::Box* body_ = nullptr;
  LiveProgressView* live_ = nullptr;
  Gtk::Box* stageList_ = nullptr;
  Gtk::Box* stageRows_ = nullptr;
  Gtk::Label* stageNote_ = nullptr;
  std::vector<StageRow> drawnStages_;
  Gtk::Button* leave_ = nullptr;
  Gtk::Button* connection_ = nullptr;
  Gtk::Button* check_ = nullptr;
  Gtk::Button* retry_ = nullptr;
  sigc::connection changed_;
};

std::unique_ptr<Gtk::Widget> makeProgressPage(const ScreenContext& context);

}  // namespace vesk::ui

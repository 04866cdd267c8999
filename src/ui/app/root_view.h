#pragma once
// The whole content of the window, back to front: the canvas; the main row of the
// sidebar column and the main column, in which the current screen sits under the
// floating header band and its top veil; the tips overlay; and the sheets. It keeps the
// state the header, the composer and its sheets share, hands the header inset down to
// the screens, hosts the feedback sheet, the comparison chooser and the file panel, and
// takes over the window's tips, feedback and sidebar commands.
#include "core/report/report_state.h"
#include "core/shell/root_presentation.h"
#include "core/shell/root_view_state.h"
#include "ui/app/effect_action.h"
#include "ui/app/file_panel.h"

#include <gtkmm/box.h>
#include <gtkmm/overlay.h>
#include <gtkmm/revealer.h>
#include <gtkmm/widget.h>

#include <filesystem>
#include <memory>
#include <optional>

namespace vesk::ui {

class FileIntake;
class ReaderWebContext;
class HeaderBand;
class ScreenSlot;
class ShellActions;
class SheetHost;
class SheetLayer;
class TipsOverlay;
class VeskScrollVeil;
class WindowHeaderView;

class RootView : public Gtk::Widget {
 public:
  static constexpr int minimumWidth = 1020;
  static constexpr int minimumHeight = 740;
  static constexpr int sidebarWidth = 240;
  static constexpr int columnMargin = 20;  // the main column's trailing and bottom margins
  static constexpr int sidebarTopMargin = 48;
  static constexpr double sidebarSeconds = 0.2;

  // `readerPage`: the bundled page the report screens show reports in.
  RootView(std::shared_ptr<Workspace> workspace, ShellActions& actions, std::shared_ptr<FilePanel> filePanel,
           std::optional<std::filesystem::path> readerPage = std::nullopt);
  ~RootView() override;

  RootViewState& state() { return state_; }
  const RootPresentation& presentation() const { return presentation_; }
  void toggleSidebar() { state_.toggleSidebar(); }

  HeaderBand& header() { return *header_; }
  WindowHeaderView& headerView() { return *headerView_; }
  // Where the sidebar's view goes.
  Gtk::Box& sidebarSlot() { return *sidebarSlot_; }
  Gtk::Revealer& sidebarColumn() { return *sidebar_; }
  Gtk::Box& mainRow() { return *mainRow_; }
  Gtk::Overlay& mainColumn() { return *mainColumn_; }
  ScreenSlot& screenSlot() { return *slot_; }
  VeskScrollVeil& topVeil() { return *veil_; }
  TipsOverlay& tips() { return *tips_; }
  SheetLayer& sheets() { return *sheets_; }
  // The window's commands, for screens that take an effect over (print, share).
  ShellActions& actions() { return actions_; }
  // The desktop's save panel and clipboard, for the report states of the screens.
  const ReportState::Environment& reportEnvironment() const { return reportEnvironment_; }
  // The composer's "Change audit": prepares the root's own comparison state for the
  // workspace's project and opens the comparison chooser, which loads the project's
  // earlier full audits. Without a project it does nothing.
  void openComparisonChooser();
  ReportState& comparisonState() { return state_.comparisonState(); }
  // The window's reader web view and its context, made when the first report opens.
  ReaderWebContext& readerWeb();
  // The same, or none while no report has opened yet.
  ReaderWebContext* madeReaderWeb() const { return readerWeb_.get(); }
  const std::optional<std::filesystem::path>& readerPage() const { return readerPage_; }

 private:
  void buildMainRow();
  void buildMainColumn();
  void hostSheets();
  void presentationChanged();
  void sidebarChanged();
  void tipsChanged();
  void layersChanged();

  std::shared_ptr<Workspace> workspace_;
  ShellActions& actions_;
  const std::optional<std::filesystem::path> readerPage_;
  ReportState::Environment reportEnvironment_;
  RootViewState state_;
  RootPresentation presentation_;
  std::optional<double> headerInset_;  // the inset last handed down
  // Managed, owned by the view's widget tree.
  Gtk::Box* mainRow_ = nullptr;
  Gtk::Revealer* sidebar_ = nullptr;
  Gtk::Box* sidebarSlot_ = nullptr;
  Gtk::Overlay* mainColumn_ = nullptr;
  ScreenSlot* slot_ = nullptr;
  VeskScrollVeil* veil_ = nullptr;
  HeaderBand* header_ = nullptr;
  TipsOverlay* tips_ = nullptr;
  SheetLayer* sheets_ = nullptr;
  std::unique_ptr<SheetHost> feedback_;
  std::unique_ptr<SheetHost> comparison_;
  std::unique_ptr<FileIntake> intake_;
  std::unique_ptr<ReaderWebContext> readerWeb_;
  std::unique_ptr<WindowHeaderView> headerView_;
  EffectAction::Ownership tipsCommand_;
  EffectAction::Ownership feedbackCommand_;
  EffectAction::Ownership sidebarCommand_;
};

}  // namespace vesk::ui

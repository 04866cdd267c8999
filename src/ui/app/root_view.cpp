#include "ui/app/root_view.h"

#include "core/shell/composer_actions.h"
#include "core/style/control_stylesheet.h"
#include "core/style/shell_stylesheet.h"
#include "ui/account/feedback_sheet.h"
#include "ui/app/desktop_clipboard.h"
#include "ui/app/file_intake.h"
#include "ui/app/header_band.h"
#include "ui/app/inert.h"
#include "ui/app/pdf_save_dialog.h"
#include "ui/app/screen_slot.h"
#include "ui/app/sheet_host.h"
#include "ui/app/sheet_layer.h"
#include "ui/app/shell_actions.h"
#include "ui/app/tips_overlay.h"
#include "ui/app/weak_widget.h"
#include "ui/app/window_header_view.h"
#include "ui/base/fixed_width_bin.h"
#include "ui/base/minimum_floor_layout.h"
#include "ui/report/comparison_chooser.h"
#include "ui/report/reader/reader_web_context.h"
#include "ui/sidebar/vesk_sidebar.h"
#include "ui/style/vesk_environment.h"
#include "ui/style/vesk_glass_surface.h"
#include "ui/style/vesk_scroll_veil.h"
#include "ui/style/workspace_canvas.h"

#include <gtkmm/windowhandle.h>

#include <cmath>

namespace vesk::ui {

RootView::RootView(std::shared_ptr<Workspace> workspace, ShellActions& actions, std::shared_ptr<FilePanel> filePanel,
                   std::optional<std::filesystem::path> readerPage)
    : workspace_(workspace),
      actions_(actions),
      readerPage_(std::move(readerPage)),
      reportEnvironment_{std::make_shared<PdfSaveDialog>([root = std::make_shared<WeakWidget>(this)]() {
                           auto* widget = root->get();
                           return widget ? dynamic_cast<Gtk::Window*>(widget->get_root()) : nullptr;
                         }),
                         std::make_shared<DesktopClipboard>()},
      state_(workspace),
      presentation_(workspace) {
  set_layout_manager(MinimumFloorLayout::create());
  set_overflow(Gtk::Overflow::HIDDEN);
  set_size_request(minimumWidth, minimumHeight);
  add_css_class(ShellClasses::root);

  Gtk::make_managed<WorkspaceCanvas>()->set_parent(*this);
  buildMainRow();
  sidebarSlot_->append(*Gtk::make_managed<VeskSidebar>(workspace_, actions.linkOpener()));
  tips_ = Gtk::make_managed<TipsOverlay>([this] { state_.showingTips = false; });
  tips_->set_parent(*this);
  sheets_ = Gtk::make_managed<SheetLayer>();
  sheets_->set_parent(*this);
  hostSheets();
  intake_ = std::make_unique<FileIntake>(*this, state_, workspace_, std::move(filePanel));
  headerView_ = std::make_unique<WindowHeaderView>(*header_, workspace_, state_, actions);

  presentationChanged();
  presentation_.signalChanged().connect(sigc::mem_fun(*this, &RootView::presentationChanged));
  observeVeskChromeHeight(*this, [this](double height) { presentation_.setChromeHeight(height); });
  state_.sidebarVisible.signalChanged().connect(sigc::mem_fun(*this, &RootView::sidebarChanged));
  state_.showingTips.signalChanged().connect(sigc::mem_fun(*this, &RootView::tipsChanged));
  sheets_->signalDepthChanged().connect(sigc::mem_fun(*this, &RootView::layersChanged));

  tipsCommand_ = actions.tips().own([this] { state_.showingTips = true; });
  feedbackCommand_ = actions.feedback().own([this] { state_.showingFeedback = true; });
  sidebarCommand_ = actions.toggleSidebar().own([this] { toggleSidebar(); });
}

RootView::~RootView() {
  headerView_.reset();
  intake_.reset();
  feedback_.reset();
  comparison_.reset();
  // The screens go first: a report screen gives the reader's web view back on its way.
  while (auto* child = get_first_child()) child->unparent();
}

ReaderWebContext& RootView::readerWeb() {
  if (!readerWeb_) readerWeb_ = std::make_unique<ReaderWebContext>();
  return *readerWeb_;
}

// The sidebar column (shown or hidden by the toggle, kept alive while hidden) and the
// main column, which has no leading margin: with the sidebar hidden it starts at the
// window's leading edge.
void RootView::buildMainRow() {
  mainRow_ = Gtk::make_managed<Gtk::Box>(Gtk::Orientation::HORIZONTAL, 0);
  mainRow_->add_css_class(ShellClasses::mainRow);
  sidebar_ = Gtk::make_managed<Gtk::Revealer>();
  sidebar_->set_transition_type(Gtk::RevealerTransitionType::SLIDE_RIGHT);
  sidebar_->set_reveal_child(*state_.sidebarVisible);
  auto* surface = Gtk::make_managed<VeskGlassSurface>(24, VeskGlassRole::sidebar);
  surface->setClipsChild(true);
  sidebarSlot_ = Gtk::make_managed<Gtk::Box>(Gtk::Orientation::VERTICAL, 0);
  surface->set_child(*sidebarSlot_);
  // One width whatever the footer's name: the main column never moves with the account.
  auto* column = Gtk::make_managed<FixedWidthBin>(*surface, sidebarWidth);
  column->set_margin_start(columnMargin);
  column->set_margin_top(sidebarTopMargin);
  column->set_margin_bottom(columnMargin);
  sidebar_->set_child(*column);
  mainRow_->append(*sidebar_);
  buildMainColumn();
  mainRow_->append(*mainColumn_);
  mainRow_->set_parent(*this);
}

// The screen slot, the top veil over it and the header band over both; the band sits 34
// below the top edge. The veil paints the window's canvas down to the bottom of the band
// and fades out below it, so nothing that scrolls up under the header can be read there.
void RootView::buildMainColumn() {
  mainColumn_ = Gtk::make_managed<Gtk::Overlay>();
  mainColumn_->set_hexpand(true);
  mainColumn_->set_margin_end(columnMargin);
  mainColumn_->set_margin_bottom(columnMargin);
  slot_ = Gtk::make_managed<ScreenSlot>(ScreenContext{workspace_, &state_, this});
  mainColumn_->set_child(*slot_);
  // The canvas itself: what scrolls under the header is hidden, not just softened.
  const auto metrics = presentation_.state().metrics;
  veil_ = Gtk::make_managed<VeskScrollVeil>(metrics.veilHeight, false, metrics.veilOpaqueLength / metrics.veilHeight,
                                            VeskScrollVeil::Backdrop::canvas);
  mainColumn_->add_overlay(*veil_);
  header_ = Gtk::make_managed<HeaderBand>([this] { presentation_.dismissError(); });
  auto* handle = Gtk::make_managed<Gtk::WindowHandle>();  // drags the window by its header
  handle->set_child(*header_);
  handle->set_valign(Gtk::Align::START);
  handle->set_margin_top(static_cast<int>(RootMetrics::headerTopMargin));
  mainColumn_->add_overlay(*handle);
}

// The feedback sheet and the comparison chooser.
void RootView::hostSheets() {
  feedback_ = std::make_unique<SheetHost>(
      *sheets_, state_.showingFeedback,
      [this] { return std::make_unique<FeedbackSheet>(workspace_, [this] { state_.showingFeedback = false; }); },
      [](Gtk::Widget& sheet) { return static_cast<FeedbackSheet&>(sheet).dismissible(); });
  comparison_ = std::make_unique<SheetHost>(*sheets_, state_.changingComparison, [this] {
    return std::make_unique<ReportComparisonView>(
        state_.comparisonState(), [this](const ReportBaseline& baseline) { state_.selectComparisonBaseline(baseline); },
        [this] { state_.cancelComparison(); });
  });
}

// The composer's "Change audit" does the same through its actions.
void RootView::openComparisonChooser() { ComposerActions(workspace_, state_).changeComparison(); }

void RootView::presentationChanged() {
  const auto& state = presentation_.state();
  slot_->show(state.screen);
  if (headerInset_ != state.metrics.headerInset) {
    headerInset_ = state.metrics.headerInset;
    setVeskHeaderInset(*slot_, state.metrics.headerInset);
  }
  slot_->set_margin_top(static_cast<int>(std::lround(state.slotTopPadding)));
  veil_->set_visible(state.showsTopVeil);
  veil_->setHeight(state.metrics.veilHeight);
  veil_->setOpaqueFraction(state.metrics.veilOpaqueLength / state.metrics.veilHeight);
  header_->banner().show(state.error);
}

void RootView::sidebarChanged() {
  const bool reduceMotion = veskAccessibility(*this).reduceMotion;
  sidebar_->set_transition_duration(reduceMotion ? 0 : static_cast<guint>(std::lround(sidebarSeconds * 1000)));
  sidebar_->set_reveal_child(*state_.sidebarVisible);
}

void RootView::tipsChanged() {
  const bool shown = *state_.showingTips;
  if (veskAccessibility(*this).reduceMotion) {
    mainRow_->add_css_class(ControlClasses::reduceMotion);
  } else {
    mainRow_->remove_css_class(ControlClasses::reduceMotion);
  }
  if (shown) {
    mainRow_->add_css_class(ShellClasses::blurred);
  } else {
    mainRow_->remove_css_class(ShellClasses::blurred);
  }
  tips_->setShown(shown);
  layersChanged();
  // The composer's Tips control took the focus back if it is shown; otherwise none does.
  if (!shown) {
    if (auto* root = get_root(); root && isWithin(root->get_focus(), *tips_)) root->unset_focus();
  }
}

// What a layer covers takes no clicks or focus and is hidden from assistive technologies.
void RootView::layersChanged() {
  const bool sheet = sheets_->depth() > 0;
  setInteraction(*mainRow_, sheet || *state_.showingTips ? Interaction::inert : Interaction::live);
  tips_->setCovered(sheet);
}

}  // namespace vesk::ui

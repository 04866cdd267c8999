#include "ui/report/report_screen.h"

#include "core/style/report_stylesheet.h"
#include "ui/app/root_view.h"
#include "ui/app/sheet_host.h"
#include "ui/app/shell_actions.h"
#include "ui/report/reader/report_reader_view.h"
#include "ui/report/report_panel.h"
#include "ui/report/report_widgets.h"
#include "ui/report/share_sheet.h"
#include "ui/style/vesk_environment.h"
#include "ui/style/vesk_scroll_veil.h"
#include "ui/style/vesk_typography.h"

#include <glibmm/main.h>

#include <algorithm>

namespace vesk::ui {

ReportScreen::ReportScreen(const ScreenContext& context)
    : state_(std::make_unique<ReportScreenState>(context.workspace, context.rootView->reportEnvironment())) {
  overlay_ = Gtk::make_managed<Gtk::Overlay>();
  overlay_->set_margin_start(leadingMargin);
  overlay_->set_margin_end(trailingMargin);
  auto& actions = context.rootView->actions();
  reader_ = Gtk::make_managed<ReportReaderView>(context.rootView->readerWeb(), context.rootView->readerPage(),
                                                context.rootView->reportEnvironment().clipboard,
                                                [&actions](const std::string& address) { actions.openLink(address); });
  overlay_->set_child(*reader_);
  const auto metrics = reportScreenMetrics(veskHeaderInset(*context.rootView));
  // The window's canvas: the report's text never shows under the window header or the
  // screen's own header row.
  topVeil_ = Gtk::make_managed<VeskScrollVeil>(metrics.veilHeight, false, 0.8, VeskScrollVeil::Backdrop::canvas);
  topVeil_->set_valign(Gtk::Align::START);
  topVeil_->set_can_target(false);
  overlay_->add_overlay(*topVeil_);
  overlay_->add_overlay(buildHeader());
  auto* bottomVeil = Gtk::make_managed<VeskScrollVeil>(bottomVeilHeight, true, 0.42);
  bottomVeil->set_valign(Gtk::Align::END);
  bottomVeil->set_can_target(false);
  overlay_->add_overlay(*bottomVeil);
  overlay_->set_parent(*this);

  hostSheets(context);
  shareCommand_ = actions.shareReport().own([this] { state_->shareRequested(); });
  printCommand_ = actions.print().own([this] { reader_->print(); });

  auto& workspace = state_->workspace();
  // The reader follows the run, the connection (a reconnect brings a new token for its
  // evidence and requests) and the run's sources.
  for (auto* signal : {&workspace.current.signalChanged(), &workspace.fixture.signalChanged(),
                       &workspace.connectionRevision.signalChanged(), &workspace.originText.signalChanged(),
                       &state_->report().sources.signalChanged()})
    signal->connect(sigc::mem_fun(*this, &ReportScreen::redraw));
  applyHeaderInset();
}

ReportScreen::~ReportScreen() {
  insetIdle_.disconnect();
  shareCommand_.release();
  printCommand_.release();
  // The sheets close before the state they show goes.
  panel_.reset();
  share_.reset();
  overlay_->unparent();
  state_.reset();
}

Gtk::Widget& ReportScreen::buildHeader() {
  header_ = Gtk::make_managed<Gtk::Box>(Gtk::Orientation::VERTICAL, 6);
  header_->set_valign(Gtk::Align::START);
  header_->set_margin_start(headerSideMargin);
  header_->set_margin_end(headerSideMargin);
  auto* row = Gtk::make_managed<Gtk::Box>(Gtk::Orientation::HORIZONTAL, 8);
  row->set_margin_top(12);
  row->set_margin_bottom(12);
  kind_ = Gtk::make_managed<Gtk::Label>();
  VeskTypography::apply(*kind_, VeskTypography::body(15, FontWeight::medium));
  localPreview_ = Gtk::make_managed<Gtk::Label>("Local preview");
  localPreview_->add_css_class(ReportClasses::mutedText);
  actionsButton_ = Gtk::make_managed<Gtk::Button>("Report actions");
  actionsButton_->add_css_class(ReportClasses::plainButton);
  actionsButton_->signal_clicked().connect([this] { state_->actions = true; });
  row->append(*kind_);
  row->append(*localPreview_);
  row->append(report::flexibleSpace());
  row->append(*actionsButton_);
  header_->append(*row);
  return *header_;
}

void ReportScreen::hostSheets(const ScreenContext& context) {
  auto& sheets = context.rootView->sheets();
  ShellActions* actions = &context.rootView->actions();
  share_ = std::make_unique<SheetHost>(sheets, state_->sharing, [this] {
    return std::make_unique<ReportShareView>(state_->report(), [this] { state_->sharing = false; });
  });
  panel_ = std::make_unique<SheetHost>(sheets, state_->actions, [this, &sheets, actions] {
    ReportActionsPanel::Callbacks callbacks;
    callbacks.onClose = [this] { state_->actions = false; };
    callbacks.onOpenRun = [this](const SavedAudit& run) { state_->openRun(run); };
    callbacks.onReaudit = [this](const ReportBaseline& baseline) { state_->reaudit(baseline); };
    callbacks.onDelete = [this](const std::string& runID) { state_->deleted(runID); };
    callbacks.openLink = [actions](const std::string& address) { actions->openLink(address); };
    return std::make_unique<ReportActionsPanel>(state_->report(), sheets, std::move(callbacks));
  });
}

void ReportScreen::redraw() {
  kind_->set_text(state_->kindLabel());
  localPreview_->set_visible(state_->localPreview());
  reader_->setArguments(
      state_->readerArguments(appliedInset_.value_or(veskHeaderInset(*this))),
      [this](const SharedText& output, const std::string& runID) { state_->acceptOutput(output, runID); });
}

// The header inset arrives through the widget tree; the lengths follow it on the next
// turn, never inside the allocation that noticed the change.
void ReportScreen::size_allocate_vfunc(int width, int height, int baseline) {
  if (appliedInset_ != veskHeaderInset(*this) && !insetIdle_.connected()) {
    insetIdle_ = Glib::signal_idle().connect([this] {
      applyHeaderInset();
      return false;
    });
  }
  overlay_->size_allocate(Gtk::Allocation(0, 0, width, height), baseline);
  // Hidden down to the bottom of the screen's header, which lies below the window's band.
  graphene_rect_t bounds;
  if (topVeil_->get_height() > 0 &&
      gtk_widget_compute_bounds(GTK_WIDGET(header_->gobj()), GTK_WIDGET(overlay_->gobj()), &bounds)) {
    const double bottom = static_cast<double>(bounds.origin.y) + bounds.size.height;
    topVeil_->setOpaqueFraction(std::min(1.0, bottom / topVeil_->get_height()));
  }
}

Gtk::SizeRequestMode ReportScreen::get_request_mode_vfunc() const { return Gtk::SizeRequestMode::CONSTANT_SIZE; }

void ReportScreen::measure_vfunc(Gtk::Orientation orientation, int forSize, int& minimum, int& natural,
                                 int& minimumBaseline, int& naturalBaseline) const {
  overlay_->measure(orientation, forSize, minimum, natural, minimumBaseline, naturalBaseline);
  minimum = 0;  // a screen never sets the window's minimum
}

void ReportScreen::applyHeaderInset() {
  const double inset = veskHeaderInset(*this);
  appliedInset_ = inset;
  const auto metrics = reportScreenMetrics(inset);
  header_->set_margin_top(static_cast<int>(metrics.headerTop));
  topVeil_->setHeight(metrics.veilHeight);
  redraw();
}

}  // namespace vesk::ui

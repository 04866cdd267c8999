// ReportActionsPanel: construction, its header and footer, its sheets and its redraw.
#include "ui/report/report_panel.h"

#include "core/style/report_stylesheet.h"
#include "core/style/shell_stylesheet.h"
#include "ui/app/sheet_host.h"
#include "ui/app/sheet_layer.h"
#include "ui/base/layout_container.h"
#include "ui/controls/accessible_label.h"
#include "ui/controls/action_footer.h"
#include "ui/controls/choice_pill_layout.h"
#include "ui/controls/vesk_glyph.h"
#include "ui/controls/vesk_spinner.h"
#include "ui/report/comparison_chooser.h"
#include "ui/report/image_preview_sheet.h"
#include "ui/report/report_delete_sheet.h"
#include "ui/report/report_widgets.h"
#include "ui/report/share_sheet.h"
#include "ui/style/vesk_typography.h"

#include <gtkmm/eventcontroller.h>
#include <gtkmm/shortcut.h>
#include <gtkmm/shortcutaction.h>
#include <gtkmm/shortcutcontroller.h>
#include <gtkmm/shortcuttrigger.h>
#include <sigc++/adaptors/track_obj.h>

namespace vesk::ui {

ReportActionsPanel::ReportActionsPanel(ReportState& state, SheetLayer& sheets, Callbacks callbacks,
                                       bool initialSourcesExpanded, const std::string& initialInstruction)
    : SheetFrame(width, height, margin, 20), state_(state), sheets_(sheets), callbacks_(std::move(callbacks)) {
  append(buildHeader());
  auto* view = Gtk::make_managed<Gtk::Box>(Gtk::Orientation::VERTICAL, 20);
  view->set_vexpand(true);
  error_ = &report::textLabel("", ShellClasses::secondaryText);
  error_->set_selectable(true);
  view->append(*error_);
  view->append(buildScrollingArea());
  view->append(buildFooter());
  auto& disclaimer = report::textLabel(
      "Vesk uses AI and can make mistakes or miss context. Verify important findings before acting on them.",
      ReportClasses::mutedText);
  VeskTypography::apply(disclaimer, VeskTypography::display(15, FontWeight::regular, true));
  view->append(disclaimer);
  append(*view);

  sources_->set_expanded(initialSourcesExpanded);
  discussion_->setText(initialInstruction);
  hostSheets();

  // Ctrl+Return sends from anywhere in the panel, before the field takes the key.
  auto shortcuts = Gtk::ShortcutController::create();
  shortcuts->set_propagation_phase(Gtk::PropagationPhase::CAPTURE);
  shortcuts->add_shortcut(
      Gtk::Shortcut::create(Gtk::KeyvalTrigger::create(GDK_KEY_Return, Gdk::ModifierType::CONTROL_MASK),
                            Gtk::CallbackAction::create([this](Gtk::Widget&, const Glib::VariantBase&) {
                              send();
                              return true;
                            })));
  add_controller(shortcuts);

  for (auto* signal : {&state_.error.signalChanged(), &state_.message.signalChanged(), &state_.busy.signalChanged(),
                       &state_.report.signalChanged(), &state_.input.signalChanged(), &state_.sources.signalChanged(),
                       &state_.attachments.signalChanged(), &state_.loadingDetails.signalChanged(),
                       &state_.originalReviewID.signalChanged(), &state_.sharedSlug.signalChanged()})
    signal->connect(sigc::mem_fun(*this, &ReportActionsPanel::redraw));
  redraw();
}

ReportActionsPanel::~ReportActionsPanel() {
  *alive_ = false;
  hosts_.clear();  // the panel's sheets go with it
}

Gtk::Widget& ReportActionsPanel::buildHeader() {
  auto* row = Gtk::make_managed<Gtk::Box>(Gtk::Orientation::HORIZONTAL, 8);
  auto& title = report::displayTitle("Your report", 36);
  title.set_hexpand(true);
  title.set_valign(Gtk::Align::CENTER);
  row->append(title);
  close_ = &report::pill("", VeskButtonRole::tertiary, PillSize::regular, [this] {
    // A copy: closing destroys the panel, and its callbacks with it.
    if (const auto close = callbacks_.onClose; close && !*state_.busy) close();
  });
  close_->set_child(*Gtk::make_managed<VeskGlyph>(VeskGlyph::Kind::close, 16));
  close_->add_css_class(ShellClasses::tipsClose);
  close_->set_size_request(32, 32);
  close_->set_valign(Gtk::Align::CENTER);
  close_->set_tooltip_text("Close report actions");
  setAccessibleLabel(*close_, "Close report actions");
  row->append(*close_);
  return *row;
}

Gtk::Widget& ReportActionsPanel::buildFooter() {
  auto* content = Gtk::make_managed<Gtk::Box>(Gtk::Orientation::VERTICAL, 14);
  sendRow_ = Gtk::make_managed<Gtk::Box>(Gtk::Orientation::HORIZONTAL, 10);
  sampleNote_ = &report::textLabel("Sample reports do not request model work.", ReportClasses::mutedText);
  sampleNote_->set_hexpand(true);
  sendRow_->append(*sampleNote_);
  sendRow_->append(report::flexibleSpace());
  spinner_ = Gtk::make_managed<VeskSpinner>();
  sendRow_->append(*spinner_);
  send_ = &report::pill("", VeskButtonRole::accent, PillSize::regular, [this] { send(); });
  sendRow_->append(*send_);
  content->append(*sendRow_);

  // "Delete run…" is a shorter, unframed pill: it sits on the row's centre line.
  auto* actions = Gtk::make_managed<LayoutContainer>(ChoicePillLayout::create(10, PillRowAlignment::centre));
  const auto compact = PillSize::compact;
  copy_ = &report::pill("Copy", VeskButtonRole::secondary, compact, [this] { state_.copyMarkdown(); });
  download_ = &report::pill("Download .md…", VeskButtonRole::secondary, compact, [this] { state_.exportMarkdown(); });
  share_ = &report::pill("Share…", VeskButtonRole::secondary, compact, [this] { sharing_ = true; });
  compare_ = &report::pill("Compare audits…", VeskButtonRole::secondary, compact, [this] {
    comparing_ = true;
    state_.loadBaselines();  // a task of the state's own
  });
  delete_ = &report::pill("Delete run…", VeskButtonRole::tertiary, compact, [this] { deleting_ = true; });
  for (auto* button : {copy_, download_, share_, compare_, delete_}) actions->append(*button);
  content->append(*actions);
  return *Gtk::make_managed<ActionFooter>(*content);
}

void ReportActionsPanel::hostSheets() {
  state_.sourcePreview.signalChanged().connect(
      sigc::track_object([this] { previewing_ = state_.sourcePreview->has_value(); }, *this));
  previewing_.signalChanged().connect([this] {
    if (!*previewing_ && state_.sourcePreview->has_value()) state_.sourcePreview = std::nullopt;
  });
  hosts_.push_back(std::make_unique<SheetHost>(sheets_, previewing_, [this] {
    auto sheet = std::make_unique<ImagePreviewSheet>([this] { state_.sourcePreview = std::nullopt; });
    sheet->follow(state_.sourcePreview);
    return sheet;
  }));
  hosts_.push_back(std::make_unique<SheetHost>(
      sheets_, sharing_, [this] { return std::make_unique<ReportShareView>(state_, [this] { sharing_ = false; }); }));
  hosts_.push_back(std::make_unique<SheetHost>(sheets_, comparing_, [this] {
    return std::make_unique<ReportComparisonView>(
        state_,
        [this](const ReportBaseline& baseline) {
          // Copied first: closing the chooser destroys this function.
          const auto reaudit = callbacks_.onReaudit;
          comparing_ = false;  // closes before the re-audit starts
          if (reaudit) reaudit(baseline);
        },
        [this] { comparing_ = false; });
  }));
  hosts_.push_back(std::make_unique<SheetHost>(sheets_, deleting_, [this] {
    auto sheet = std::make_unique<ReportDeleteConfirmation>(
        [this] { deleting_ = false; },
        [this] {
          state_.deleteRun(
              [this, alive = std::weak_ptr<bool>(alive_), onDelete = callbacks_.onDelete](const std::string& runID) {
                if (const auto panel = alive.lock(); panel && *panel) deleting_ = false;  // closes before onDelete
                if (onDelete) onDelete(runID);
              });
        });
    sheet->follow(state_.busy, state_.error);
    return sheet;
  }));
}

// Sends the text as typed; the operation trims and checks it.
void ReportActionsPanel::send() {
  if (!look_.discussion || !discussionLook(discussion_->text(), *state_.busy, state_.isLocalPreview()).sendEnabled)
    return;
  state_.followUp(discussion_->text());
}

void ReportActionsPanel::redraw() {
  auto look = reportPanelLook(state_);
  const bool sourcesChanged = !drawnOnce_ || look.input != look_.input || look.sources != look_.sources ||
                              look.attachments != look_.attachments || look.loadingSources != look_.loadingSources ||
                              look.noSources != look_.noSources;
  drawnOnce_ = true;
  look_ = std::move(look);
  close_->set_sensitive(!*state_.busy);
  report::showOptional(*error_, look_.error);
  report::showOptional(*notice_, look_.message);
  if (sourcesChanged) redrawSources();  // rebuilt only when they change, so focus stays
  openOriginal_->set_visible(look_.openOriginal);
  openOriginal_->set_sensitive(look_.openOriginalEnabled);
  discussion_->set_visible(look_.discussion);
  discussion_->setStrings(look_.heading, look_.placeholder);
  discussion_->setEditable(look_.fieldEnabled);
  sendRow_->set_visible(look_.discussion);
  sampleNote_->set_visible(look_.sampleNote);
  spinner_->set_visible(look_.progress);
  spinner_->set_spinning(look_.progress);
  send_->set_label(look_.sendLabel);
  redrawDiscussion();
  share_->set_label(look_.shareLabel);
  share_->set_visible(look_.share);
  share_->set_sensitive(look_.shareEnabled);
  compare_->set_visible(look_.compare);
  compare_->set_sensitive(look_.compareEnabled);
  delete_->set_sensitive(look_.deleteEnabled);
}

void ReportActionsPanel::redrawDiscussion() {
  const auto discussion = discussionLook(discussion_->text(), *state_.busy, state_.isLocalPreview());
  discussion_->setCounter(discussion.counter);
  send_->set_sensitive(discussion.sendEnabled);
}

}  // namespace vesk::ui

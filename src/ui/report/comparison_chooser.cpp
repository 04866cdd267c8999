#include "ui/report/comparison_chooser.h"

#include "core/style/report_stylesheet.h"
#include "core/style/shell_stylesheet.h"
#include "ui/controls/action_footer.h"
#include "ui/controls/vesk_spinner.h"
#include "ui/report/report_widgets.h"
#include "ui/style/vesk_scroll_edges.h"
#include "ui/style/vesk_typography.h"

#include <gtkmm/spinner.h>

namespace vesk::ui {

ReportComparisonView::ReportComparisonView(ReportState& state, std::function<void(const ReportBaseline&)> onSelect,
                                           std::function<void()> onCancel)
    : SheetFrame(width, std::nullopt, margin, 20), state_(state), onSelect_(std::move(onSelect)) {
  auto& title = report::textLabel("Choose a previous audit");
  VeskTypography::apply(title, VeskTypography::display(28, FontWeight::medium, false));
  append(title);
  append(report::textLabel("Completed full audits from this project.", ShellClasses::secondaryText));
  append(report::textLabel(
      "Add the current URL or screenshots, and tell Vesk what changed. The comparison uses one full audit."));

  loading_ = Gtk::make_managed<Gtk::Box>(Gtk::Orientation::HORIZONTAL, 10);
  auto* spinner = Gtk::make_managed<VeskSpinner>();
  spinner->set_spinning(true);
  loading_->append(*spinner);
  loading_->append(report::textLabel("Loading previous audits…"));
  append(*loading_);
  error_ = &report::textLabel("");
  append(*error_);
  // Loads again in a task of the state's own, which ends with the state.
  tryAgain_ =
      &report::pill("Try again", VeskButtonRole::secondary, PillSize::regular, [this] { state_.loadBaselines(); });
  tryAgain_->set_halign(Gtk::Align::START);
  append(*tryAgain_);
  empty_ = &report::textLabel("There are no completed full audits in this project yet.", ReportClasses::mutedText);
  append(*empty_);

  rows_ = Gtk::make_managed<Gtk::Box>(Gtk::Orientation::VERTICAL, 0);
  scroller_ = Gtk::make_managed<Gtk::ScrolledWindow>();
  scroller_->set_policy(Gtk::PolicyType::NEVER, Gtk::PolicyType::AUTOMATIC);
  scroller_->set_propagate_natural_height(true);
  scroller_->set_max_content_height(listHeight);
  scroller_->set_child(*rows_);
  append(*Gtk::make_managed<VeskScrollEdges>(*scroller_));

  auto* row = Gtk::make_managed<Gtk::Box>(Gtk::Orientation::HORIZONTAL, 8);
  row->append(report::flexibleSpace());
  cancel_ = &report::pill("Cancel", VeskButtonRole::secondary, PillSize::regular, std::move(onCancel));
  row->append(*cancel_);
  append(*Gtk::make_managed<ActionFooter>(*row));

  for (auto* signal : {&state_.baselines.signalChanged(), &state_.baselineError.signalChanged(),
                       &state_.loadingBaselines.signalChanged()})
    signal->connect(sigc::mem_fun(*this, &ReportComparisonView::redraw));
  redraw();
}

Gtk::Button& ReportComparisonView::makeRow(const ComparisonChooserRow& row) {
  auto* content = Gtk::make_managed<Gtk::Box>(Gtk::Orientation::HORIZONTAL, 20);
  auto& subject = report::textLabel(row.subject);
  subject.set_hexpand(true);
  content->append(subject);
  auto* date = Gtk::make_managed<Gtk::Label>();
  date->set_text(row.date);
  date->add_css_class(ShellClasses::secondaryText);
  date->set_valign(Gtk::Align::BASELINE);
  subject.set_valign(Gtk::Align::BASELINE);
  content->append(*date);
  auto* button = Gtk::make_managed<Gtk::Button>();
  button->set_child(*content);
  button->add_css_class(ReportClasses::chooserRow);
  button->signal_clicked().connect([this, baseline = row.baseline] {
    // A copy: choosing may close the chooser, and this with it.
    if (const auto select = onSelect_) select(baseline);
  });
  return *button;
}

void ReportComparisonView::redraw() {
  look_ = comparisonChooserLook(*state_.baselines, *state_.baselineError, *state_.loadingBaselines);
  loading_->set_visible(look_.loading);
  report::showOptional(*error_, look_.error);
  tryAgain_->set_visible(look_.error.has_value());
  empty_->set_visible(look_.empty);
  for (auto* button : rowButtons_) rows_->remove(*button);
  rowButtons_.clear();
  for (const auto& row : look_.rows) {
    auto& button = makeRow(row);
    rows_->append(button);
    rowButtons_.push_back(&button);
  }
}

}  // namespace vesk::ui

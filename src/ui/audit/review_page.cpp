#include "ui/audit/review_page.h"

#include "core/style/audit_stylesheet.h"
#include "core/style/shell_stylesheet.h"
#include "ui/audit/audit_page_parts.h"
#include "ui/controls/action_footer.h"
#include "ui/controls/atelier_checkbox_style.h"
#include "ui/style/vesk_typography.h"

namespace vesk::ui {

namespace {

constexpr int pageSpacing = 24;
constexpr int summarySpacing = 18;
constexpr int summaryMargin = 12;

}  // namespace

ReviewPage::ReviewPage(std::shared_ptr<Workspace> workspace)
    : Gtk::Box(Gtk::Orientation::VERTICAL, pageSpacing), presentation_(std::move(workspace)) {
  append(pageHeading(ReviewPresentation::heading));
  lead_ = &pageParagraph("");
  append(*lead_);
  append(makeSummary());

  checkbox_ = Gtk::make_managed<Gtk::CheckButton>();
  AtelierCheckboxStyle().apply(*checkbox_);
  checkbox_->set_halign(Gtk::Align::START);
  toggled_ = checkbox_->signal_toggled().connect([this] { presentation_.setConfirmed(checkbox_->get_active()); });
  append(*checkbox_);

  footerRow_ = Gtk::make_managed<Gtk::Box>(Gtk::Orientation::HORIZONTAL, 6);
  back_ = &backPill(ReviewPresentation::backTitle, [this] { presentation_.back(); });
  footerRow_->append(*back_);
  auto* spacer = Gtk::make_managed<Gtk::Box>();
  spacer->set_hexpand(true);
  footerRow_->append(*spacer);
  append(*Gtk::make_managed<ActionFooter>(*footerRow_));

  addRunShortcut(*this, [this] { presentation_.run(); });
  changed_ = presentation_.signalChanged().connect([this] { draw(); });
  draw();
}

ReviewPage::~ReviewPage() {
  changed_.disconnect();
  toggled_.disconnect();
}

Gtk::Widget& ReviewPage::makeSummary() {
  auto& summary = *Gtk::make_managed<Gtk::Box>(Gtk::Orientation::VERTICAL, summarySpacing);
  summary.set_margin_top(summaryMargin);
  summary.set_margin_bottom(summaryMargin);
  projectName_ = &wrappingText("", VeskTypography::display(28, FontWeight::regular, true));
  summary.append(*projectName_);
  auto& divider = *Gtk::make_managed<Gtk::Box>();
  divider.add_css_class(AuditClasses::rule);
  summary.append(divider);
  summary.append(wrappingText(ReviewPresentation::angles, VeskTypography::body(15)));
  sources_ = &wrappingText("", VeskTypography::body(14), AuditClasses::mutedText);
  summary.append(*sources_);
  summary.append(wrappingText(ReviewPresentation::note, VeskTypography::body(15), ShellClasses::secondaryText, 6));
  return summary;
}

void ReviewPage::draw() {
  const auto& state = presentation_.state();
  setPlainText(*lead_, state.lead);
  setPlainText(*projectName_, state.projectName);
  setPlainText(*sources_, state.sourcesLine);
  if (checkbox_->get_label().raw() != state.confirmationLabel) checkbox_->set_label(state.confirmationLabel);
  if (checkbox_->get_active() != state.confirmed) {
    toggled_.block();
    checkbox_->set_active(state.confirmed);
    toggled_.unblock();
  }
  if (!run_ || run_->title().raw() != state.runTitle) {
    if (run_) footerRow_->remove(*run_);
    run_ = Gtk::make_managed<PrimaryButton>(state.runTitle, "sparkle", !state.runEnabled, VeskButtonRole::accent,
                                            [this] { presentation_.run(); });
    footerRow_->append(*run_);
  }
  run_->set_sensitive(state.runEnabled);
}

std::unique_ptr<Gtk::Widget> makeReviewPage(const ScreenContext& context) {
  return std::make_unique<ReviewPage>(context.workspace);
}

}  // namespace vesk::ui

#include "ui/report/share_sheet.h"

#include "core/style/report_stylesheet.h"
#include "core/style/shell_stylesheet.h"
#include "core/style/typeface.h"
#include "ui/controls/action_footer.h"
#include "ui/controls/vesk_spinner.h"
#include "ui/report/report_widgets.h"
#include "ui/style/vesk_typography.h"

namespace vesk::ui {

ReportShareView::ReportShareView(ReportState& state, std::function<void()> onDismiss)
    : SheetFrame(width, std::nullopt, margin, 20), model_(state) {
  append(report::displayTitle("Share this report", 32));
  auto& intro =
      report::textLabel("Anyone with this link can read this report. Your project name and brief stay private.");
  intro.set_css_classes({});
  append(intro);

  link_ = &report::textLabel("", ReportClasses::linkBox);
  link_->set_selectable(true);
  link_->set_wrap_mode(Pango::WrapMode::CHAR);
  link_->set_hexpand(true);
  Pango::FontDescription mono;
  mono.set_family(std::string(monospaceFamily));
  mono.set_absolute_size(14 * PANGO_SCALE);
  VeskTypography::apply(*link_, mono);
  append(*link_);
  linkRow_ = Gtk::make_managed<Gtk::Box>(Gtk::Orientation::HORIZONTAL, 8);
  copy_ = &report::pill("Copy link", VeskButtonRole::secondary, PillSize::regular, [&state] { state.copyShareLink(); });
  arm_ = &report::pill("Revoke link", VeskButtonRole::tertiary, PillSize::regular, [this] { model_.arm(); });
  linkRow_->append(*copy_);
  linkRow_->append(*arm_);
  linkRow_->append(report::flexibleSpace());
  append(*linkRow_);

  warning_ = &report::textLabel("The earlier link will stop opening this report.", ShellClasses::secondaryText);
  append(*warning_);
  error_ = &report::textLabel("", ShellClasses::secondaryText);
  append(*error_);
  message_ = &report::textLabel("", ReportClasses::mutedText);
  append(*message_);
  buildFooter(std::move(onDismiss));

  model_.signalChanged().connect(sigc::mem_fun(*this, &ReportShareView::redraw));
  redraw();
}

// Every footer button exists once; redraw() shows those of the current footer.
void ReportShareView::buildFooter(std::function<void()> onDismiss) {
  onDismiss_ = std::move(onDismiss);
  auto& state = model_.state();
  footerRow_ = Gtk::make_managed<Gtk::Box>(Gtk::Orientation::HORIZONTAL, 8);
  cancel_ = &report::pill("Cancel", VeskButtonRole::secondary, PillSize::regular, [this] {
    if (model_.look().footer == ShareFooter::confirmRevoke) {
      model_.disarm();
    } else if (const auto dismiss = onDismiss_) {
      dismiss();  // a copy: dismissing closes the sheet, and this with it
    }
  });
  space_ = &report::flexibleSpace();
  spinner_ = Gtk::make_managed<VeskSpinner>();
  revoke_ =
      &report::pill("Revoke link", VeskButtonRole::destructive, PillSize::regular, [&state] { state.revokeShare(); });
  create_ =
      &report::pill("Create share link", VeskButtonRole::primary, PillSize::regular, [&state] { state.createShare(); });
  done_ = &report::pill("Done", VeskButtonRole::primary, PillSize::regular, [this] {
    if (const auto dismiss = onDismiss_) dismiss();
  });
  for (Gtk::Widget* item : std::initializer_list<Gtk::Widget*>{cancel_, space_, spinner_, revoke_, create_, done_})
    footerRow_->append(*item);
  append(*Gtk::make_managed<ActionFooter>(*footerRow_));
}

void ReportShareView::redraw() {
  const auto look = model_.look();
  report::showOptional(*link_, look.link);
  linkRow_->set_visible(look.linkButtons);
  linkRow_->set_sensitive(look.buttonsEnabled);
  warning_->set_visible(look.warning);
  report::showOptional(*error_, look.error);
  report::showOptional(*message_, look.message);

  cancel_->set_visible(look.footer != ShareFooter::done);
  revoke_->set_visible(look.footer == ShareFooter::confirmRevoke);
  create_->set_visible(look.footer == ShareFooter::createLink);
  create_->set_sensitive(look.createEnabled);
  done_->set_visible(look.footer == ShareFooter::done);
  spinner_->set_visible(look.progress);
  spinner_->set_spinning(look.progress);
  footerRow_->set_sensitive(look.buttonsEnabled);
}

}  // namespace vesk::ui

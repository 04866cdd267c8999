#include "ui/report/report_delete_sheet.h"

#include "core/report/report_sheets.h"
#include "core/style/shell_stylesheet.h"
#include "ui/controls/action_footer.h"
#include "ui/report/report_widgets.h"

namespace vesk::ui {

ReportDeleteConfirmation::ReportDeleteConfirmation(std::function<void()> onCancel, std::function<void()> onDelete)
    : SheetFrame(width, std::nullopt, margin, 20) {
  append(report::displayTitle("Delete this run?", 32));
  append(report::textLabel("This removes the run and its attachments. This can’t be undone."));
  error_ = &report::textLabel("", ShellClasses::secondaryText);
  error_->set_selectable(true);
  append(*error_);
  footerRow_ = Gtk::make_managed<Gtk::Box>(Gtk::Orientation::HORIZONTAL, 8);
  cancel_ = &report::pill("Cancel", VeskButtonRole::secondary, PillSize::regular, std::move(onCancel));
  delete_ = &report::pill("Delete run", VeskButtonRole::destructive, PillSize::regular, std::move(onDelete));
  footerRow_->append(*cancel_);
  footerRow_->append(report::flexibleSpace());
  footerRow_->append(*delete_);
  append(*Gtk::make_managed<ActionFooter>(*footerRow_));
  update(false, std::nullopt);
}

void ReportDeleteConfirmation::update(bool busy, const std::optional<std::string>& error) {
  busy_ = busy;
  const auto look = deleteSheetLook(busy, error);
  delete_->set_label(look.deleteLabel);
  footerRow_->set_sensitive(look.buttonsEnabled);
  report::showOptional(*error_, look.error);
}

}  // namespace vesk::ui

namespace vesk::ui {

void ReportDeleteConfirmation::follow(Published<bool>& busy, Published<std::optional<std::string>>& error) {
  followedBusy_ = &busy;
  followedError_ = &error;
  busy.signalChanged().connect(sigc::mem_fun(*this, &ReportDeleteConfirmation::followed));
  error.signalChanged().connect(sigc::mem_fun(*this, &ReportDeleteConfirmation::followed));
  followed();
}

void ReportDeleteConfirmation::followed() { update(**followedBusy_, **followedError_); }

}  // namespace vesk::ui

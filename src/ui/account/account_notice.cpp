#include "ui/account/account_notice.h"

#include "core/style/atelier.h"
#include "ui/account/account_text.h"
#include "ui/controls/vesk_pill_style.h"

namespace vesk::ui {

AccountNotice::AccountNotice()
    : Gtk::Box(Gtk::Orientation::VERTICAL, 0),
      error_(accountLabel("", bodyStyle(AccountColors::critical(), 4))),
      feedback_(accountLabel("", displayStyle(17, Atelier::muted))) {
  for (auto* label : {error_, feedback_}) {
    label->set_margin_top(12);
    label->property_accessible_role() = Gtk::Accessible::Role::STATUS;
    label->set_visible(false);
    append(*label);
  }
  error_->set_selectable(true);
  set_visible(false);
}

void AccountNotice::show(const std::optional<account_rules::Notice>& notice) {
  const bool error = notice && notice->error;
  const bool feedback = notice && !notice->error;
  error_->set_text(error ? notice->text : "");
  feedback_->set_text(feedback ? notice->text : "");
  error_->set_visible(error);
  feedback_->set_visible(feedback);
  set_visible(notice.has_value());
}

Gtk::Button* accountPill(const Glib::ustring& label, VeskButtonRole role) {
  auto* button = Gtk::make_managed<Gtk::Button>(label);
  VeskPillStyle(role, PillSize::regular).apply(*button);
  return button;
}

}  // namespace vesk::ui

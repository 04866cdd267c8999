#include "ui/account/account_delete_sheet.h"

#include "core/account/account_change.h"
#include "core/account/account_screen_rules.h"
#include "core/async/spawn.h"
#include "core/style/atelier.h"
#include "ui/account/account_field.h"
#include "ui/account/account_notice.h"
#include "ui/account/account_text.h"
#include "ui/controls/action_footer.h"

namespace vesk::ui {

namespace {

// Not tied to the sheet: the deletion and its follow-up run to their end, and
// `onConfirmed` runs only while the sheet that asked is still there.
async::Task<void> deleteThenTell(std::shared_ptr<Workspace> workspace, std::shared_ptr<AccountState> state,
                                 AccountDeletion action, std::weak_ptr<bool> alive, std::function<void()> onConfirmed) {
  const bool confirmed = co_await deleteAndFollowUp(std::move(workspace), std::move(state), action);
  if (confirmed && !alive.expired()) onConfirmed();
}

}  // namespace

AccountDeleteSheet::AccountDeleteSheet(AccountDeletion action, std::shared_ptr<AccountState> state,
                                       std::shared_ptr<Workspace> workspace, std::function<void()> onConfirmed,
                                       std::function<void()> close)
    : Gtk::Box(Gtk::Orientation::VERTICAL, 20),
      action_(action),
      state_(std::move(state)),
      workspace_(std::move(workspace)),
      onConfirmed_(std::move(onConfirmed)),
      changes_([this] { refresh(); }) {
  const auto texts = account_rules::deletionTexts(action);
  set_size_request(width, -1);
  set_margin(32);
  append(*sheetLabel(texts.title, displayStyle(30, AccountColors::critical())));
  append(*sheetLabel(texts.explanation, bodyStyle(Atelier::secondaryInk, 5)));
  field_ = Gtk::make_managed<AccountField>(texts.fieldLabel, true);
  field_->signalChanged().connect([this] { refresh(); });
  append(*field_);
  error_ = sheetLabel("", bodyStyle(AccountColors::critical(), 4));
  append(*error_);

  cancel_ = accountPill("Cancel", VeskButtonRole::secondary);
  cancel_->signal_clicked().connect(std::move(close));
  confirm_ = accountPill(texts.confirm, VeskButtonRole::destructive);
  confirm_->signal_clicked().connect([this] { confirm(); });
  auto* row = Gtk::make_managed<Gtk::Box>(Gtk::Orientation::HORIZONTAL, 18);
  row->append(*cancel_);
  auto* space = Gtk::make_managed<Gtk::Box>();
  space->set_hexpand(true);
  row->append(*space);
  row->append(*confirm_);
  append(*Gtk::make_managed<ActionFooter>(*row));

  for (auto* signal :
       {&state_->loading.signalChanged(), &state_->savingName.signalChanged(), &state_->savingConsent.signalChanged(),
        &state_->exporting.signalChanged(), &state_->deleting.signalChanged(),
        &state_->deletionUncertain.signalChanged(), &state_->reconnectRequired.signalChanged(),
        &state_->noticeArea.signalChanged(), &state_->error.signalChanged()})
    changes_.follow(*signal);
  refresh();
}

AccountDeleteSheet::~AccountDeleteSheet() = default;

void AccountDeleteSheet::refresh() {
  const bool deleting = *state_->deleting;
  const auto texts = account_rules::deletionTexts(action_);
  field_->setEnabled(!deleting);
  const bool showsError = *state_->noticeArea == AccountNoticeArea::deletion && state_->error->has_value();
  error_->set_text(showsError ? **state_->error : "");
  error_->set_visible(showsError);
  cancel_->set_sensitive(!deleting);
  confirm_->set_label(deleting ? "Working\u2026" : texts.confirm);
  confirm_->set_sensitive(account_rules::canConfirmDeletion(*state_, field_->text().raw(), action_));
}

void AccountDeleteSheet::confirm() {
  std::weak_ptr<bool> alive = alive_;
  // A copy runs: it closes the sheet, which destroys onConfirmed_.
  async::spawn(deleteThenTell(workspace_, state_, action_, alive, [this] {
    const auto confirmed = onConfirmed_;
    confirmed();
  }));
  refresh();
}

}  // namespace vesk::ui

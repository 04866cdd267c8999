#include "ui/account/account_settings_view.h"

#include "build_config.h"
#include "core/account/account_screen_rules.h"
#include "core/style/atelier.h"
#include "core/text/text_rules.h"
#include "ui/account/account_delete_sheet.h"
#include "ui/account/account_field.h"
#include "ui/account/account_notice.h"
#include "ui/account/account_section.h"
#include "ui/account/account_switch.h"
#include "ui/account/account_text.h"
#include "ui/app/sheet_layer.h"
#include "ui/app/shell_commands.h"

namespace vesk::ui {

namespace {

constexpr std::int64_t longestName = 60;

}  // namespace

AccountSettingsView::AccountSettingsView(std::shared_ptr<AccountState> state, std::shared_ptr<Workspace> workspace,
                                         SheetLayer& sheets, OnChanged onChanged)
    : Gtk::Box(Gtk::Orientation::VERTICAL, 0),
      state_(std::move(state)),
      workspace_(std::move(workspace)),
      sheets_(sheets),
      sheetLayer_(&sheets),
      onChanged_(std::move(onChanged)),
      changes_([this] { refresh(); }) {
  append(buildRuns());
  runsDivider_ = Gtk::make_managed<AccountSectionDivider>();
  append(*runsDivider_);
  append(buildProfile());
  append(*Gtk::make_managed<AccountSectionDivider>());
  append(buildPrivacy());
  append(*Gtk::make_managed<AccountSectionDivider>());
  append(buildExport());
  append(*Gtk::make_managed<AccountSectionDivider>());
  append(buildEmail());
  append(*Gtk::make_managed<AccountSectionDivider>());
  append(buildDanger());
  follow();
  refresh();
}

AccountSettingsView::~AccountSettingsView() {
  if (const auto sheet = std::exchange(sheet_, std::nullopt)) dismissIfLayerAlive(sheetLayer_, *sheet);
}

void AccountSettingsView::follow() {
  AccountState& s = *state_;
  for (auto* signal :
       {&s.snapshot.signalChanged(), &s.displayName.signalChanged(), &s.loading.signalChanged(),
        &s.savingName.signalChanged(), &s.savingConsent.signalChanged(), &s.exporting.signalChanged(),
        &s.deleting.signalChanged(), &s.consentUncertain.signalChanged(), &s.profileUncertain.signalChanged(),
        &s.deletionUncertain.signalChanged(), &s.reconnectRequired.signalChanged(), &s.error.signalChanged(),
        &s.feedback.signalChanged(), &s.noticeArea.signalChanged(), &s.consentFeedback.signalChanged(),
        &s.consentError.signalChanged()})
    changes_.follow(*signal);
}

void AccountSettingsView::refresh() {
  const AccountState& s = *state_;
  const auto& snapshot = *s.snapshot;
  const bool idle = !s.busy() && !*s.reconnectRequired;

  const bool entitled = snapshot && snapshot->entitlements;
  runs_->set_visible(entitled);
  runsDivider_->set_visible(entitled);
  if (entitled) {
    runs_->headline().set_text(account_rules::runsHeadline(snapshot->entitlements->auditBalance));
    const auto bonus = account_rules::bonusLine(*snapshot->entitlements);
    bonus_->set_text(bonus.value_or(""));
    bonus_->set_visible(bonus.has_value());
  }

  writingName_ = true;
  name_->setText(*s.displayName);
  writingName_ = false;
  name_->setEnabled(idle);
  emailLine_->set_text(account_rules::emailLine(snapshot));
  save_->set_label(*s.savingName ? "Saving\u2026" : "Save");
  save_->set_sensitive(s.canSaveName());
  checkProfile_->set_visible(*s.profileUncertain);
  checkProfile_->set_sensitive(idle);
  profileNotice_->show(account_rules::notice(s, AccountNoticeArea::profile));

  refreshPrivacy();

  export_->set_label(*s.exporting ? "Packing your archive\u2026" : "Download your archive");
  export_->set_sensitive(idle);
  archiveNotice_->show(account_rules::notice(s, AccountNoticeArea::archive));

  email_->standfirst()->set_text(account_rules::emailStandfirst(snapshot, build::supportAddress));

  const bool danger = account_rules::dangerEnabled(s);
  clearRuns_->set_sensitive(danger);
  deleteWorkspace_->set_sensitive(danger);
  deletionNotice_->show(account_rules::notice(s, AccountNoticeArea::deletion));
}

void AccountSettingsView::refreshPrivacy() {
  const AccountState& s = *state_;
  const auto& snapshot = *s.snapshot;
  status_->set_text(account_rules::consentStatus(s));
  consent_->setOn(account_rules::consentOn(snapshot));
  consent_->setEnabled(account_rules::consentSwitchEnabled(s));
  noConsent_->set_visible(!account_rules::consentKnown(snapshot));
  consentMessage_->set_text(*s.consentFeedback);
  applyAccountTextStyle(*consentMessage_, bodyStyle(*s.consentError ? AccountColors::critical() : Atelier::muted));
  consentMessage_->set_visible(!s.consentFeedback->empty());
  checkChoiceRow_->set_visible(*s.consentUncertain);
  checkChoice_->set_sensitive(!s.busy() && !*s.reconnectRequired);
}

// Each edit is cut to 60 UTF-16 units of whole characters and tells the state.
void AccountSettingsView::nameEdited() {
  if (writingName_) return;
  const std::string typed = name_->text().raw();
  const std::string bounded = prefixWithinUTF16(typed, longestName);
  state_->displayName = bounded;
  if (bounded != typed) {
    writingName_ = true;
    name_->setText(bounded);
    writingName_ = false;
  }
  state_->profileEdited();
}

void AccountSettingsView::present(AccountDeletion deletion) {
  if (sheet_) return;
  deletion_ = deletion;
  // A confirmed deletion closes the sheet; its follow-up is the deletion's own.
  auto close = [this] {
    if (const auto sheet = std::exchange(sheet_, std::nullopt)) sheets_.dismiss(*sheet);
  };
  auto content = std::make_unique<AccountDeleteSheet>(deletion, state_, workspace_, close, close);
  auto* sheet = content.get();
  SheetLayer::Options options;
  options.escapeCloses = [sheet] { return sheet->dismissible(); };
  options.onDismissed = [this] {
    sheet_.reset();
    deletion_.reset();
  };
  sheet_ = sheets_.present(std::move(content), std::move(options));
}

void AccountSettingsView::openAddress(const std::string& address) {
  const auto action = address.starts_with("mailto:") ? Glib::ustring(ShellCommands::openMail)
                                                     : ShellCommands::openAddress.detailedName();
  activate_action(action, Glib::Variant<Glib::ustring>::create(address));
}

}  // namespace vesk::ui

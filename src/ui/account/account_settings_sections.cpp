// The sections of the settings view, built once; refresh() fills them from the state.
#include "build_config.h"
#include "core/account/account_screen_rules.h"
#include "core/async/spawn.h"
#include "core/style/account_stylesheet.h"
#include "core/style/atelier.h"
#include "core/style/control_stylesheet.h"
#include "ui/account/account_field.h"
#include "ui/account/account_notice.h"
#include "ui/account/account_section.h"
#include "ui/account/account_settings_view.h"
#include "ui/account/account_switch.h"
#include "ui/account/account_text.h"
#include "ui/controls/action_footer.h"
#include "ui/style/vesk_typography.h"

namespace vesk::ui {

namespace {

Gtk::Widget* flexibleSpace() {
  auto* space = Gtk::make_managed<Gtk::Box>();
  space->set_hexpand(true);
  return space;
}

// A button followed by a flexible space.
Gtk::Box* leadingRow(Gtk::Widget& button, int spacing = 6) {
  auto* row = Gtk::make_managed<Gtk::Box>(Gtk::Orientation::HORIZONTAL, spacing);
  row->append(button);
  row->append(*flexibleSpace());
  return row;
}

constexpr const char* detailParagraphs[] = {
    "This saves your permission; improvement collection is not active yet. If introduced, authorized Vesk reviewers "
    "may use new full-audit reports from the web app and the context and links you type while this is on. Nothing "
    "is published or used to train AI models.",
    "Uploaded screenshots and files themselves, earlier audits, and inherited comparison material are excluded. "
    "Reports may still describe or quote the material you supplied.",
    "Turning this off withdraws permission for further improvement use. Turning it on again applies only to new "
    "audits. Your saved audits stay in your account.",
};

}  // namespace

Gtk::Widget& AccountSettingsView::buildRuns() {
  runs_ = Gtk::make_managed<AccountSection>("Runs & billing", account_rules::runsHeadline(0));
  auto& content = runs_->content();
  content.append(
      *accountLabel("Each full audit uses one run. Quick reads do not use runs.", bodyStyle(Atelier::secondaryInk)));
  bonus_ = accountLabel("", bodyStyle(Atelier::secondaryInk));
  bonus_->set_margin_top(12);
  content.append(*bonus_);
  pricing_ = accountPill("View pricing", VeskButtonRole::secondary);
  pricing_->signal_clicked().connect([this] {
    const auto client = api();
    if (!client) return;
    if (const auto address = account_rules::pricingAddress(client->origin)) openAddress(*address);
  });
  auto* footer = Gtk::make_managed<ActionFooter>(*leadingRow(*pricing_));
  footer->set_margin_top(22);
  content.append(*footer);
  return *runs_;
}

Gtk::Widget& AccountSettingsView::buildProfile() {
  auto* section = Gtk::make_managed<AccountSection>("Profile", "Who you are.", "The name Vesk uses for your account.");
  auto& content = section->content();
  auto* fields = Gtk::make_managed<Gtk::Box>(Gtk::Orientation::VERTICAL, 24);
  name_ = Gtk::make_managed<AccountField>("Display name", false);
  name_->signalChanged().connect([this] { nameEdited(); });
  fields->append(*name_);
  auto* email = Gtk::make_managed<Gtk::Box>(Gtk::Orientation::VERTICAL, 8);
  email->append(
      *accountLabel("Email", AccountTextStyle{VeskTypography::body(15, FontWeight::medium), Atelier::secondaryInk}));
  emailLine_ = accountLabel("", bodyStyle());
  emailLine_->set_selectable(true);
  emailLine_->set_margin_top(12);
  emailLine_->set_margin_bottom(12);
  email->append(*emailLine_);
  auto* rule = Gtk::make_managed<Gtk::Box>();
  rule->add_css_class(ControlClasses::actionFooterHairline);  // the same 1 px rule in ink at 0.1
  email->append(*rule);
  email->append(*accountLabel("Managed by your sign-in provider \u2014 change it from your account settings there.",
                              bodyStyle(Atelier::muted, 4)));
  fields->append(*email);
  // 480 wide, against the leading edge (the column is wider).
  fields->set_size_request(480, -1);
  fields->set_halign(Gtk::Align::START);
  content.append(*fields);

  save_ = accountPill("Save", VeskButtonRole::primary);
  save_->signal_clicked().connect([this] {
    async::spawn([](std::shared_ptr<AccountState> state, std::optional<DesktopAPI> api,
                    OnChanged onChanged) -> async::Task<void> {
      if (co_await state->saveName(api)) co_await onChanged();
    }(state_, api(), onChanged_));
  });
  checkProfile_ = accountPill("Check saved profile", VeskButtonRole::secondary);
  checkProfile_->signal_clicked().connect([this] { async::spawn(state_->reload(api(), AccountNoticeArea::profile)); });
  auto* row = Gtk::make_managed<Gtk::Box>(Gtk::Orientation::HORIZONTAL, 20);
  row->set_margin_top(28);
  row->append(*save_);
  row->append(*checkProfile_);
  row->append(*flexibleSpace());
  content.append(*row);
  profileNotice_ = Gtk::make_managed<AccountNotice>();
  content.append(*profileNotice_);
  return *section;
}

Gtk::Widget& AccountSettingsView::buildPrivacy() {
  auto* section = Gtk::make_managed<AccountSection>("Privacy", "Your audit data.");
  auto& content = section->content();
  auto* row = Gtk::make_managed<Gtk::Box>(Gtk::Orientation::HORIZONTAL, 28);
  auto* words = Gtk::make_managed<Gtk::Box>(Gtk::Orientation::VERTICAL, 7);
  words->set_hexpand(true);
  words->append(
      *accountLabel("Help improve Vesk", AccountTextStyle{VeskTypography::body(17, FontWeight::medium), std::nullopt}));
  words->append(
      *accountLabel("Let our team examine future full-audit reports and context to improve the quality of audits.",
                    bodyStyle(Atelier::secondaryInk, 5)));
  row->append(*words);
  auto* control = Gtk::make_managed<Gtk::Box>(Gtk::Orientation::HORIZONTAL, 10);
  control->set_valign(Gtk::Align::START);
  status_ = accountLabel("", bodyStyle(Atelier::muted));
  status_->set_wrap(false);
  control->append(*status_);
  consent_ = Gtk::make_managed<AccountSwitch>("Help improve Vesk");
  consent_->signalFlipRequested().connect([this] { async::spawn(state_->changeConsent(api())); });
  control->append(*consent_);
  row->append(*control);
  content.append(*row);

  auto* optional = accountLabel("Optional. Private re-audits work either way.", bodyStyle(Atelier::muted));
  optional->set_margin_top(12);
  content.append(*optional);
  noConsent_ = accountLabel("Create a project before changing this setting.", bodyStyle(Atelier::muted));
  noConsent_->set_margin_top(10);
  content.append(*noConsent_);
  consentMessage_ = accountLabel("", bodyStyle(Atelier::muted));
  consentMessage_->set_margin_top(10);
  consentMessage_->property_accessible_role() = Gtk::Accessible::Role::STATUS;
  content.append(*consentMessage_);
  checkChoice_ = accountPill("Check saved choice", VeskButtonRole::secondary);
  checkChoice_->signal_clicked().connect([this] { async::spawn(state_->checkConsent(api(), std::nullopt)); });
  checkChoiceRow_ = leadingRow(*checkChoice_);
  checkChoiceRow_->set_margin_top(20);
  content.append(*checkChoiceRow_);

  details_ = Gtk::make_managed<Gtk::Expander>("How your data is used");
  details_->set_margin_top(18);
  auto* paragraphs = Gtk::make_managed<Gtk::Box>(Gtk::Orientation::VERTICAL, 12);
  paragraphs->set_margin_top(12);
  for (const char* paragraph : detailParagraphs)
    paragraphs->append(*accountLabel(paragraph, bodyStyle(Atelier::secondaryInk, 5)));
  details_->set_child(*paragraphs);
  content.append(*details_);
  return *section;
}

Gtk::Widget& AccountSettingsView::buildExport() {
  auto* section = Gtk::make_managed<AccountSection>("Your work", "Take it with you.",
                                                    "Download your audits as Markdown, grouped by project.");
  export_ = accountPill("Download your archive", VeskButtonRole::secondary);
  export_->signal_clicked().connect([this] { async::spawn(state_->exportArchive(api(), workspace_->saveDialog())); });
  section->content().append(*leadingRow(*export_));
  archiveNotice_ = Gtk::make_managed<AccountNotice>();
  section->content().append(*archiveNotice_);
  return *section;
}

Gtk::Widget& AccountSettingsView::buildEmail() {
  email_ = Gtk::make_managed<AccountSection>("Email", "Account updates.", Glib::ustring());
  // The section has no content of its own.
  email_->content().set_visible(false);
  return *email_;
}

Gtk::Widget& AccountSettingsView::dangerRow(const Glib::ustring& title, const Glib::ustring& body,
                                            AccountDeletion action, const Glib::ustring& label, Gtk::Button*& button) {
  auto* row = Gtk::make_managed<Gtk::Box>(Gtk::Orientation::VERTICAL, 8);
  row->set_margin_top(16);
  row->set_margin_bottom(16);
  row->append(*accountLabel(title, displayStyle(20)));
  row->append(*accountLabel(body, bodyStyle(Atelier::secondaryInk, 5)));
  button = accountPill(label, VeskButtonRole::tertiary);
  button->signal_clicked().connect([this, action] { present(action); });
  auto* buttons = Gtk::make_managed<Gtk::Box>(Gtk::Orientation::HORIZONTAL, 6);
  buttons->append(*flexibleSpace());
  buttons->append(*button);
  auto* footer = Gtk::make_managed<ActionFooter>(*buttons);
  footer->set_margin_top(16);
  row->append(*footer);
  return *row;
}

Gtk::Widget& AccountSettingsView::buildDanger() {
  danger_ = Gtk::make_managed<AccountSection>(
      "Danger zone", "The exits.",
      "Clear your audits or delete your workspace. Both actions require a confirmation phrase.",
      AccountColors::critical());
  auto& content = danger_->content();
  auto* rows = Gtk::make_managed<Gtk::Box>(Gtk::Orientation::VERTICAL, 18);
  rows->append(dangerRow("Clear all runs",
                         "Wipes every run in every project. Projects, their briefs, and their anchors stay. There's no "
                         "undo.",
                         AccountDeletion::runs, "Clear runs\u2026", clearRuns_));
  rows->append(dangerRow("Delete workspace",
                         "Wipes everything \u2014 projects, runs, attachments, and your settings. Your sign-in stays, "
                         "so starting fresh is one project away.",
                         AccountDeletion::workspace, "Delete workspace\u2026", deleteWorkspace_));
  content.append(*rows);
  deletionNotice_ = Gtk::make_managed<AccountNotice>();
  content.append(*deletionNotice_);

  // The closing line, in the display face: text, the mail link, text.
  const auto closing = displayStyle(15, Atelier::muted);
  auto* line = Gtk::make_managed<Gtk::Box>(Gtk::Orientation::HORIZONTAL, 4);
  line->set_margin_top(28);
  line->set_valign(Gtk::Align::BASELINE);
  auto* before = accountLabel("To close the sign-in account itself, email", closing);
  before->set_hexpand(false);
  line->append(*before);
  closeAccount_ = Gtk::make_managed<Gtk::Button>();
  closeAccount_->add_css_class(AccountClasses::link);
  closeAccount_->set_child(*accountLabel(build::supportAddress, displayStyle(15, Atelier::ink)));
  closeAccount_->signal_clicked().connect(
      [this] { openAddress(account_rules::closeAccountMailto(build::supportAddress)); });
  line->append(*closeAccount_);
  auto* after = accountLabel("\u2014 we'll handle it.", closing);
  after->set_hexpand(false);
  line->append(*after);
  content.append(*line);
  return *danger_;
}

Gtk::Widget& AccountSettingsView::dangerSection() { return *danger_; }

}  // namespace vesk::ui

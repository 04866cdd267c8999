#include "ui/account/account_view.h"

#include "core/account/account_change.h"
#include "core/account/account_screen_rules.h"
#include "core/signin/connection_key.h"
#include "core/style/atelier.h"
#include "ui/account/account_column.h"
#include "ui/account/account_notice.h"
#include "ui/account/account_section.h"
#include "ui/account/account_settings_view.h"
#include "ui/account/account_text.h"
#include "ui/app/root_view.h"
#include "ui/app/sheet_layer.h"
#include "ui/controls/action_footer.h"
#include "ui/controls/vesk_spinner.h"
#include "ui/style/vesk_scroll_veil.h"
#include "ui/style/vesk_typography.h"

namespace vesk::ui {

namespace {

Gtk::Widget* flexibleSpace() {
  auto* space = Gtk::make_managed<Gtk::Box>();
  space->set_hexpand(true);
  return space;
}

Gtk::Spinner* smallSpinner() {
  auto* spinner = Gtk::make_managed<VeskSpinner>();
  spinner->set_size_request(16, 16);
  spinner->set_valign(Gtk::Align::CENTER);
  return spinner;
}

// Refreshes the settings with the account area, then the workspace's account; not tied
// to the screen, so it runs to its end after the screen has gone.
async::Task<void> refreshAll(std::shared_ptr<Workspace> workspace, std::shared_ptr<AccountState> state) {
  co_await state->reload(workspace->api(), AccountNoticeArea::account);
  co_await workspace->refreshAccount();  // the workspace checks its own generation
}

}  // namespace

AccountView::AccountView(const ScreenContext& context, std::shared_ptr<AccountState> state)
    : context_(context), workspace_(context.workspace), state_(std::move(state)), changes_([this] { refresh(); }) {
  auto* page = Gtk::make_managed<Gtk::Box>(Gtk::Orientation::VERTICAL, 0);
  page->append(buildHeader());
  body_ = Gtk::make_managed<Gtk::Box>(Gtk::Orientation::VERTICAL, 0);
  body_->append(buildSignIn());
  body_->append(buildSignedIn());
  page->append(*body_);
  page->append(buildHelp());
  column_ = Gtk::make_managed<AccountColumn>(*page);
  scroller_ = Gtk::make_managed<Gtk::ScrolledWindow>();
  scroller_->set_policy(Gtk::PolicyType::NEVER, Gtk::PolicyType::AUTOMATIC);
  scroller_->set_has_frame(false);
  scroller_->set_child(*column_);
  scroller_->set_vexpand(true);
  scroller_->set_hexpand(true);
  set_child(*scroller_);
  auto* veil = Gtk::make_managed<VeskScrollVeil>(32, true, 0.42);
  veil->set_valign(Gtk::Align::END);
  add_overlay(*veil);
  follow();
  refresh();
}

AccountView::~AccountView() {
  if (binding_) binding_->cancel();
}

Gtk::Widget& AccountView::buildHeader() {
  auto* header = Gtk::make_managed<Gtk::Box>(Gtk::Orientation::VERTICAL, 14);
  header->set_margin_bottom(64);
  header->append(*Gtk::make_managed<AccountEyebrow>("Settings", Atelier::muted));
  auto* title = accountLabel("Your account.", displayStyle(56, Atelier::ink));
  title->property_accessible_role() = Gtk::Accessible::Role::HEADING;
  header->append(*title);
  header->append(*accountLabel("Manage your profile, runs, and data.",
                               AccountTextStyle{VeskTypography::body(16), Atelier::secondaryInk}));
  return *header;
}

Gtk::Widget& AccountView::buildSignIn() {
  signIn_ = Gtk::make_managed<AccountSection>("Your existing Vesk account", "Sign in where you already do.");
  auto& content = signIn_->content();
  content.append(
      *accountLabel("Vesk opens your browser for sign-in, then brings you back here. Your existing "
                    "account, saved work and allowance stay together.",
                    bodyStyle(Atelier::secondaryInk, 5)));
  signInButton_ = accountPill("Sign in", VeskButtonRole::primary);
  signInButton_->signal_clicked().connect([this] { workspace_->connect(Workspace::SavedWork::discard); });
  signInSpinner_ = smallSpinner();
  cancelSignIn_ = accountPill("Cancel", VeskButtonRole::secondary);
  cancelSignIn_->signal_clicked().connect([this] { workspace_->disconnect(); });
  auto* row = Gtk::make_managed<Gtk::Box>(Gtk::Orientation::HORIZONTAL, 16);
  row->append(*signInButton_);
  row->append(*signInSpinner_);
  row->append(*cancelSignIn_);
  row->append(*flexibleSpace());
  auto* footer = Gtk::make_managed<ActionFooter>(*row);
  footer->set_margin_top(28);
  content.append(*footer);
  return *signIn_;
}

Gtk::Widget& AccountView::buildReconnect() {
  reconnect_ = Gtk::make_managed<Gtk::Box>(Gtk::Orientation::VERTICAL, 14);
  reconnect_->set_margin_bottom(28);
  reconnect_->append(*accountLabel("Your connection has expired.", displayStyle(24)));
  reconnect_->append(
      *accountLabel("Reconnect in your browser to keep working with this account. Your saved work stays in place.",
                    bodyStyle(Atelier::secondaryInk)));
  reconnectButton_ = accountPill("Reconnect in browser", VeskButtonRole::primary);
  reconnectButton_->signal_clicked().connect([this] { workspace_->connect(Workspace::SavedWork::preserve); });
  auto* row = Gtk::make_managed<Gtk::Box>(Gtk::Orientation::HORIZONTAL, 6);
  row->append(*flexibleSpace());
  row->append(*reconnectButton_);
  reconnect_->append(*Gtk::make_managed<ActionFooter>(*row));
  return *reconnect_;
}

Gtk::Widget& AccountView::buildSignedIn() {
  signedIn_ = Gtk::make_managed<Gtk::Box>(Gtk::Orientation::VERTICAL, 0);
  loadError_ = accountLabel("", bodyStyle(AccountColors::critical()));
  loadError_->set_selectable(true);
  loadError_->set_margin_bottom(20);
  signedIn_->append(*loadError_);
  loading_ = Gtk::make_managed<Gtk::Box>(Gtk::Orientation::HORIZONTAL, 12);
  loading_->set_margin_bottom(32);
  auto* spinner = smallSpinner();
  spinner->start();
  loading_->append(*spinner);
  loading_->append(*accountLabel("Loading your account\u2026", bodyStyle()));
  signedIn_->append(*loading_);
  signedIn_->append(buildReconnect());
  settingsSlot_ = Gtk::make_managed<Gtk::Box>(Gtk::Orientation::VERTICAL, 0);
  signedIn_->append(*settingsSlot_);

  refresh_ = accountPill("Refresh account", VeskButtonRole::secondary);
  refresh_->signal_clicked().connect([this] { async::spawn(refreshAll(workspace_, state_)); });
  stepOut_ = accountPill("Step out", VeskButtonRole::secondary);
  stepOut_->signal_clicked().connect([this] { workspace_->disconnect(); });
  auto* row = Gtk::make_managed<Gtk::Box>(Gtk::Orientation::HORIZONTAL, 14);
  row->append(*refresh_);
  row->append(*flexibleSpace());
  row->append(*stepOut_);
  signedIn_->append(*Gtk::make_managed<ActionFooter>(*row));
  accountError_ = accountLabel("", bodyStyle(AccountColors::critical()));
  accountError_->set_selectable(true);
  accountError_->set_margin_top(12);
  signedIn_->append(*accountError_);
  auto* end = Gtk::make_managed<Gtk::Box>();
  end->set_size_request(-1, 48);
  signedIn_->append(*end);
  return *signedIn_;
}

Gtk::Widget& AccountView::buildHelp() {
  auto* help = Gtk::make_managed<AccountSection>("Help", "One thing that stuck out.");
  help->content().append(*accountLabel("Tell Vesk what to fix, or what worked.", bodyStyle(Atelier::secondaryInk)));
  feedback_ = accountPill("Send feedback", VeskButtonRole::secondary);
  feedback_->signal_clicked().connect([this] {
    if (context_.root) context_.root->showingFeedback = true;
  });
  auto* row = Gtk::make_managed<Gtk::Box>(Gtk::Orientation::HORIZONTAL, 6);
  row->set_margin_top(24);
  row->append(*feedback_);
  row->append(*flexibleSpace());
  help->content().append(*row);
  return *help;
}

void AccountView::follow() {
  Workspace& w = *workspace_;
  AccountState& s = *state_;
  for (auto* signal :
       {&w.account.signalChanged(), &w.fixture.signalChanged(), &w.busy.signalChanged(),
        &w.reconnectRequired.signalChanged(), &w.originText.signalChanged(), &w.accountLoading.signalChanged(),
        &s.snapshot.signalChanged(), &s.loading.signalChanged(), &s.error.signalChanged(),
        &s.reconnectRequired.signalChanged(), &s.noticeArea.signalChanged(), &s.savingName.signalChanged(),
        &s.savingConsent.signalChanged(), &s.exporting.signalChanged(), &s.deleting.signalChanged()})
    changes_.follow(*signal);
}

void AccountView::refresh() {
  bindIfKeyChanged();
  const bool connected = accountConnected(*workspace_);
  const bool waiting = *workspace_->busy;
  signIn_->set_visible(!connected);
  signInButton_->set_label(waiting ? "Waiting for browser\u2026" : "Sign in");
  signInButton_->set_sensitive(!waiting);
  signInSpinner_->set_visible(waiting);
  if (waiting) {
    signInSpinner_->start();
  } else {
    signInSpinner_->stop();
  }
  cancelSignIn_->set_visible(waiting);
  signedIn_->set_visible(connected);
  if (connected) refreshSignedIn();
}

// The binding follows the connection key: a new key rebinds the state, and the load of
// the previous binding is given up.
void AccountView::bindIfKeyChanged() {
  const bool connected = accountConnected(*workspace_);
  const auto api = workspace_->api();
  const std::string key = connectionKey(api, connected);
  if (boundKey_ == key) return;
  boundKey_ = key;
  if (binding_) binding_->cancel();
  binding_ = async::spawn(state_->bind(api, connected ? AccountState::Connected::yes : AccountState::Connected::no));
}

void AccountView::refreshSignedIn() {
  const AccountState& s = *state_;
  const bool held = s.snapshot->has_value();
  const auto loadError = account_rules::loadError(s);
  loadError_->set_text(loadError.value_or(""));
  loadError_->set_visible(loadError.has_value());
  loading_->set_visible(*s.loading && !held);
  reconnect_->set_visible(*s.reconnectRequired || *workspace_->reconnectRequired);
  if (held && !settings_ && context_.rootView) {
    settings_ = Gtk::make_managed<AccountSettingsView>(
        state_, workspace_, context_.rootView->sheets(),
        [workspace = workspace_, state = state_] { return followAccountChange(workspace, state, std::nullopt); });
    settingsSlot_->append(*settings_);
  }
  if (settings_) {
    settings_->set_visible(held);
    settings_->set_sensitive(!*workspace_->reconnectRequired);
  }
  refresh_->set_label(*s.loading ? "Refreshing\u2026" : "Refresh account");
  refresh_->set_sensitive(!s.busy());
  stepOut_->set_sensitive(!s.busy() && !*workspace_->busy);
  const auto accountError = account_rules::accountAreaError(s);
  accountError_->set_text(accountError.value_or(""));
  accountError_->set_visible(accountError.has_value());
}

}  // namespace vesk::ui

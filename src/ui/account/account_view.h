#pragma once
// The account screen. Signed out (or on a preview account) it offers the browser sign-in;
// signed in it shows, in one column, the first load's error or progress, the reconnect
// panel after a 401, the settings sections and a footer with "Refresh account" and "Step
// out". Both faces end with the help section, whose button opens the feedback sheet.
//
// The view keeps the shared account state bound to the current connection: whenever the
// connection key changes, it rebinds the state (which then loads the settings), and the
// previous binding's load is cancelled.
#include "core/account/account_state.h"
#include "core/async/spawn.h"
#include "core/shell/change_coalescer.h"
#include "ui/app/screen_context.h"

#include <gtkmm/box.h>
#include <gtkmm/button.h>
#include <gtkmm/label.h>
#include <gtkmm/overlay.h>
#include <gtkmm/scrolledwindow.h>
#include <gtkmm/spinner.h>

#include <memory>
#include <optional>
#include <string>

namespace vesk::ui {

class AccountColumn;
class AccountSection;
class AccountSettingsView;

class AccountView : public Gtk::Overlay {
 public:
  AccountView(const ScreenContext& context, std::shared_ptr<AccountState> state = AccountState::shared());
  ~AccountView() override;

  AccountColumn& column() { return *column_; }
  AccountSection& signInPanel() { return *signIn_; }
  Gtk::Button& signInButton() { return *signInButton_; }
  Gtk::Button& cancelSignInButton() { return *cancelSignIn_; }
  Gtk::Spinner& signInSpinner() { return *signInSpinner_; }
  Gtk::Widget& signedInColumn() { return *signedIn_; }
  Gtk::Label& loadError() { return *loadError_; }
  Gtk::Widget& loadingPanel() { return *loading_; }
  Gtk::Widget& reconnectPanel() { return *reconnect_; }
  Gtk::Button& reconnectButton() { return *reconnectButton_; }
  // Nullptr until the first snapshot arrived.
  AccountSettingsView* settings() { return settings_; }
  Gtk::Button& refreshButton() { return *refresh_; }
  Gtk::Button& stepOutButton() { return *stepOut_; }
  Gtk::Label& accountError() { return *accountError_; }
  Gtk::Button& feedbackButton() { return *feedback_; }
  Gtk::ScrolledWindow& scroller() { return *scroller_; }

 private:
  Gtk::Widget& buildHeader();
  Gtk::Widget& buildSignIn();
  Gtk::Widget& buildSignedIn();
  Gtk::Widget& buildReconnect();
  Gtk::Widget& buildHelp();
  void follow();
  void refresh();
  void bindIfKeyChanged();
  void refreshSignedIn();

  ScreenContext context_;
  std::shared_ptr<Workspace> workspace_;
  std::shared_ptr<AccountState> state_;
  std::optional<std::string> boundKey_;
  std::optional<async::TaskHandle<void>> binding_;
  // Managed, owned by the view.
  Gtk::ScrolledWindow* scroller_ = nullptr;
  AccountColumn* column_ = nullptr;
  Gtk::Box* body_ = nullptr;
  AccountSection* signIn_ = nullptr;
  Gtk::Button* signInButton_ = nullptr;
  Gtk::Spinner* signInSpinner_ = nullptr;
  Gtk::Button* cancelSignIn_ = nullptr;
  Gtk::Box* signedIn_ = nullptr;
  Gtk::Label* loadError_ = nullptr;
  Gtk::Box* loading_ = nullptr;
  Gtk::Box* reconnect_ = nullptr;
  Gtk::Button* reconnectButton_ = nullptr;
  Gtk::Box* settingsSlot_ = nullptr;
  AccountSettingsView* settings_ = nullptr;
  Gtk::Button* refresh_ = nullptr;
  Gtk::Button* stepOut_ = nullptr;
  Gtk::Label* accountError_ = nullptr;
  Gtk::Button* feedback_ = nullptr;
  ChangeCoalescer changes_;
};

}  // namespace vesk::ui

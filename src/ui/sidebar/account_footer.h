#pragma once
// The content of the sidebar's footer band: the offer card while no account session is
// on screen, else the allowance block and the account row (the account-menu toggle,
// Settings and Sign out). The toggle opens the account menu in a popover above it;
// whenever the menu closes, the keyboard focus returns to the toggle. The menu and its
// popover are built when the menu first opens.
#include "core/sidebar/sidebar_model.h"

#include <gtkmm/box.h>
#include <gtkmm/button.h>
#include <gtkmm/label.h>
#include <gtkmm/menubutton.h>
#include <gtkmm/popover.h>

#include <optional>
#include <string>

namespace vesk::ui {

class AccountMenu;

class AccountFooter : public Gtk::Box {
 public:
  explicit AccountFooter(SidebarModel& model);
  ~AccountFooter() override;

  void draw(const SidebarModel::State& state);

  Gtk::Box& offerCard() { return *offer_; }
  Gtk::Button& signInButton() { return *signIn_; }
  Gtk::Box& sessionArea() { return *session_; }
  Gtk::Label& planLabel() { return *plan_; }
  Gtk::Label& detailLabel() { return *detail_; }
  Gtk::Label& balanceLabel() { return *balance_; }
  Gtk::Label& bonusLabel() { return *bonus_; }
  Gtk::Label& statusLabel() { return *status_; }
  Gtk::Button& retryButton() { return *retry_; }
  Gtk::MenuButton& menuToggle() { return *toggle_; }
  Gtk::Label& accountNameLabel() { return *name_; }
  Gtk::Button& settingsButton() { return *settings_; }
  Gtk::Button& signOutButton() { return *signOut_; }
  // Built on first use.
  Gtk::Popover& menuPopover();
  AccountMenu& menu();
  bool menuBuilt() const { return popover_ != nullptr; }

 private:
  // What the menu shows, kept for when it is built.
  struct MenuState {
    std::string pricingLabel;
    bool loading = false;
    std::optional<std::string> error;
  };

  void buildOffer();
  void buildMenu();
  void buildSession();
  Gtk::Box* buildAllowance();
  Gtk::Box* buildAccountRow();
  Gtk::Button* iconButton(const char* symbol, const Glib::ustring& help, const Glib::ustring& label);
  void menuShown();
  void menuClosed();
  void showExpanded(bool expanded);
  void drawAllowance(const SidebarModel::State& state);

  SidebarModel& model_;
  Glib::ustring accessibleName_;
  // Managed, owned by the footer's widget tree.
  Gtk::Box* offer_ = nullptr;
  Gtk::Button* signIn_ = nullptr;
  Gtk::Box* session_ = nullptr;
  Gtk::Box* summaryBlock_ = nullptr;
  Gtk::Label* plan_ = nullptr;
  Gtk::Label* detail_ = nullptr;
  Gtk::Label* balance_ = nullptr;
  Gtk::Label* bonus_ = nullptr;
  Gtk::Label* status_ = nullptr;
  Gtk::Button* retry_ = nullptr;
  Gtk::MenuButton* toggle_ = nullptr;
  Gtk::Label* name_ = nullptr;
  Gtk::Button* settings_ = nullptr;
  Gtk::Button* signOut_ = nullptr;
  Gtk::Popover* popover_ = nullptr;  // owned by the toggle; none until built
  AccountMenu* menu_ = nullptr;
  std::optional<MenuState> shownMenu_;
  sigc::connection shownConnection_;
  sigc::connection closedConnection_;
};

}  // namespace vesk::ui

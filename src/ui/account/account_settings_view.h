#pragma once
// The settings sections of the signed-in account: runs and billing, profile, privacy,
// your work, e-mail and the danger zone. Each control is enabled by the account state's
// flags and starts one of its operations; each outcome shows inside the section that
// started it. The danger rows present the typed-phrase sheet.
#include "core/account/account_state.h"
#include "core/shell/change_coalescer.h"
#include "core/workspace/workspace.h"
#include "ui/app/weak_widget.h"

#include <gtkmm/box.h>
#include <gtkmm/button.h>
#include <gtkmm/expander.h>
#include <gtkmm/label.h>

#include <functional>
#include <memory>
#include <optional>

namespace vesk::ui {

class AccountField;
class AccountNotice;
class AccountSection;
class AccountSectionDivider;
class AccountSwitch;
class SheetLayer;

class AccountSettingsView : public Gtk::Box {
 public:
  // Told of a saved name, which the screen follows up. Runs on its own, whatever becomes
  // of the view. (A confirmed deletion follows itself up: deleteAndFollowUp.)
  using OnChanged = std::function<async::Task<void>()>;

  AccountSettingsView(std::shared_ptr<AccountState> state, std::shared_ptr<Workspace> workspace, SheetLayer& sheets,
                      OnChanged onChanged);
  ~AccountSettingsView() override;

  // The deletion whose sheet is up.
  std::optional<AccountDeletion> deletion() const { return deletion_; }

  AccountSection* runsSection() { return runs_; }
  Gtk::Label& bonusLine() { return *bonus_; }
  Gtk::Button& pricingButton() { return *pricing_; }
  AccountField& nameField() { return *name_; }
  Gtk::Label& emailLine() { return *emailLine_; }
  Gtk::Button& saveButton() { return *save_; }
  Gtk::Button& checkProfileButton() { return *checkProfile_; }
  AccountNotice& profileNotice() { return *profileNotice_; }
  Gtk::Label& consentStatus() { return *status_; }
  AccountSwitch& consentSwitch() { return *consent_; }
  Gtk::Label& noConsentLine() { return *noConsent_; }
  Gtk::Label& consentMessage() { return *consentMessage_; }
  Gtk::Button& checkChoiceButton() { return *checkChoice_; }
  Gtk::Expander& details() { return *details_; }
  Gtk::Button& exportButton() { return *export_; }
  AccountNotice& archiveNotice() { return *archiveNotice_; }
  AccountSection& emailSection() { return *email_; }
  Gtk::Button& clearRunsButton() { return *clearRuns_; }
  Gtk::Button& deleteWorkspaceButton() { return *deleteWorkspace_; }
  AccountNotice& deletionNotice() { return *deletionNotice_; }
  Gtk::Button& closeAccountLink() { return *closeAccount_; }
  Gtk::Widget& dangerSection();

 private:
  Gtk::Widget& buildRuns();
  Gtk::Widget& buildProfile();
  Gtk::Widget& buildPrivacy();
  Gtk::Widget& buildExport();
  Gtk::Widget& buildEmail();
  Gtk::Widget& buildDanger();
  Gtk::Widget& dangerRow(const Glib::ustring& title, const Glib::ustring& body, AccountDeletion action,
                         const Glib::ustring& label, Gtk::Button*& button);
  void follow();
  void refresh();
  void refreshPrivacy();
  void nameEdited();
  void present(AccountDeletion deletion);
  void openAddress(const std::string& address);
  std::optional<DesktopAPI> api() const { return workspace_->api(); }

  std::shared_ptr<AccountState> state_;
  std::shared_ptr<Workspace> workspace_;
  SheetLayer& sheets_;
  WeakWidget sheetLayer_;  // the same layer, for the destructor
  OnChanged onChanged_;
  std::optional<AccountDeletion> deletion_;
  std::optional<unsigned> sheet_;
  bool writingName_ = false;
  // Managed, owned by the view.
  AccountSection* runs_ = nullptr;
  AccountSectionDivider* runsDivider_ = nullptr;
  Gtk::Label* bonus_ = nullptr;
  Gtk::Button* pricing_ = nullptr;
  AccountField* name_ = nullptr;
  Gtk::Label* emailLine_ = nullptr;
  Gtk::Button* save_ = nullptr;
  Gtk::Button* checkProfile_ = nullptr;
  AccountNotice* profileNotice_ = nullptr;
  Gtk::Label* status_ = nullptr;
  AccountSwitch* consent_ = nullptr;
  Gtk::Label* noConsent_ = nullptr;
  Gtk::Label* consentMessage_ = nullptr;
  Gtk::Box* checkChoiceRow_ = nullptr;
  Gtk::Button* checkChoice_ = nullptr;
  Gtk::Expander* details_ = nullptr;
  Gtk::Button* export_ = nullptr;
  AccountNotice* archiveNotice_ = nullptr;
  AccountSection* email_ = nullptr;
  AccountSection* danger_ = nullptr;
  Gtk::Button* clearRuns_ = nullptr;
  Gtk::Button* deleteWorkspace_ = nullptr;
  AccountNotice* deletionNotice_ = nullptr;
  Gtk::Button* closeAccount_ = nullptr;
  ChangeCoalescer changes_;
};

}  // namespace vesk::ui

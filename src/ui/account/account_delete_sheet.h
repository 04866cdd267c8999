#pragma once
// The typed-phrase confirmation of clearing the runs or deleting the workspace. The
// confirm button waits for the phrase (trimmed, any letter case) and an idle account
// state that needs no reconnection and holds no unconfirmed deletion. While the deletion
// runs nothing can close the sheet. Once the service confirmed it, its follow-up runs on
// its own (deleteAndFollowUp) whatever becomes of the sheet, and `onConfirmed` runs if the
// sheet is still there; the sheet never closes itself.
#include "core/account/account_state.h"
#include "core/shell/change_coalescer.h"
#include "core/workspace/workspace.h"

#include <gtkmm/box.h>
#include <gtkmm/button.h>
#include <gtkmm/label.h>

#include <functional>
#include <memory>
#include <optional>

namespace vesk::ui {

class AccountField;

class AccountDeleteSheet : public Gtk::Box {
 public:
  static constexpr int width = 490;

  // The deletion goes out with the workspace's client; `onConfirmed` after a confirmed
  // deletion; `close` when the user cancels.
  AccountDeleteSheet(AccountDeletion action, std::shared_ptr<AccountState> state, std::shared_ptr<Workspace> workspace,
                     std::function<void()> onConfirmed, std::function<void()> close);
  ~AccountDeleteSheet() override;

  // Whether Escape and Cancel may close the sheet now.
  bool dismissible() const { return !*state_->deleting; }

  AccountField& field() { return *field_; }
  Gtk::Button& cancelButton() { return *cancel_; }
  Gtk::Button& confirmButton() { return *confirm_; }
  Gtk::Label& errorLabel() { return *error_; }

 private:
  void refresh();
  void confirm();

  AccountDeletion action_;
  std::shared_ptr<AccountState> state_;
  std::shared_ptr<Workspace> workspace_;
  std::function<void()> onConfirmed_;
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
  // Managed, owned by the sheet.
  AccountField* field_;
  Gtk::Label* error_;
  Gtk::Button* cancel_;
  Gtk::Button* confirm_;
  ChangeCoalescer changes_;
};

}  // namespace vesk::ui

#pragma once
// The account's settings as the service last reported them, the profile name as the user
// edits it, and the outcome of every settings operation: the state behind the account
// screen. One instance serves the whole application (shared()), so it outlives the screen.
//
// The state keeps no client: each operation is handed the workspace's current one and
// first checks that it belongs to the connection the state is bound to. Binding to
// another connection renews the revision and clears everything; an operation applies its
// results, and clears its busy flag, only while the revision it started with holds.
//
// A write whose outcome is unconfirmed (the service may have applied it) is never
// repeated blindly: the state marks it uncertain and refuses it until a read succeeds.
//
// Always held by std::shared_ptr: the operations keep the state alive until they end.
#include "core/account/account_deletion.h"
#include "core/account/account_settings_records.h"
#include "core/api/desktop_api.h"
#include "core/async/task.h"
#include "core/workspace/published.h"

#include <cstdint>
#include <exception>
#include <memory>
#include <optional>
#include <string>

namespace vesk {

class SaveDialog;

class AccountState : public std::enable_shared_from_this<AccountState> {
 public:
  // The application's one instance, made on first use.
  static const std::shared_ptr<AccountState>& shared();
  // A state of its own, bound to no connection (for tests).
  static std::shared_ptr<AccountState> create();
  AccountState(const AccountState&) = delete;
  AccountState& operator=(const AccountState&) = delete;

  // Published state, in declaration order.
  Published<std::optional<AccountSettingsSnapshot>> snapshot;
  Published<std::string> displayName;  // the profile name being edited
  Published<bool> loading{false};
  Published<bool> savingName{false};
  Published<bool> savingConsent{false};
  Published<bool> exporting{false};
  Published<bool> deleting{false};
  Published<bool> consentUncertain{false};
  Published<bool> profileUncertain{false};
  Published<bool> deletionUncertain{false};
  Published<bool> reconnectRequired{false};  // the service answered 401
  Published<std::optional<std::string>> error;
  Published<std::optional<std::string>> feedback;
  Published<AccountNoticeArea> noticeArea{AccountNoticeArea::account};  // the section showing error and feedback
  Published<std::string> consentFeedback;
  Published<bool> consentError{false};  // consentFeedback reports a failure

  bool busy() const;
  bool canSaveName() const;
  // The key of the bound connection; empty when bound to none.
  const std::string& activeKey() const { return activeKey_; }

  // Whether the screen counts the user as signed in (a real account, not a preview).
  enum class Connected { no, yes };
  // Binds the state to the connection of `api` and `connected`. The binding itself
  // happens in this call, before anything can draw from the state: a new connection
  // clears every field at once, so another account's details are never shown. The
  // returned task loads the settings when a connection is bound, none are held and no
  // load runs; otherwise it does nothing.
  async::Task<void> bind(std::optional<DesktopAPI> api, Connected connected);
  // Reads the settings again. A given area selects the section that shows the outcome and
  // clears the current feedback. Dropped while a load runs.
  async::Task<void> reload(std::optional<DesktopAPI> api, std::optional<AccountNoticeArea> area);
  // Whether `api` belongs to the bound connection.
  bool valid(const DesktopAPI& api) const;
  // Whether a failed write may still have been applied: any error that is not an HTTP
  // refusal, a 408, or a status outside 400 to 499.
  static bool unconfirmedFailure(const std::exception& error);
  // Called on every edit of the profile field: clears a profile notice gone stale.
  void profileEdited();

  // Saves the edited name; true when the name counts as saved.
  async::Task<bool> saveName(std::optional<DesktopAPI> api);
  // Flips the stored improvement consent.
  async::Task<void> changeConsent(std::optional<DesktopAPI> api);
  // Reads the stored consent back; `expected` is what a preceding write asked for. The
  // way out of an uncertain consent, so it runs whatever the state's flags say.
  async::Task<void> checkConsent(std::optional<DesktopAPI> api, std::optional<bool> expected);
  // Downloads the account archive and saves it where the user chooses in `dialog`.
  async::Task<void> exportArchive(std::optional<DesktopAPI> api, std::shared_ptr<SaveDialog> dialog);
  // Clears the saved runs or deletes the workspace; true only when the service confirmed it.
  async::Task<bool> deleteData(AccountDeletion action, std::optional<DesktopAPI> api);

 private:
  AccountState() = default;

  bool holds(std::uint64_t revision) const { return revision_ == revision; }
  void reset();
  // Notes a 401: the sign-in must be renewed.
  void recordFailure(const std::exception& error);
  void applySettings(AccountSettingsSnapshot settings);

  static async::Task<void> loadIfMissing(std::shared_ptr<AccountState> self, std::optional<DesktopAPI> api);
  static async::Task<void> reloadTask(std::shared_ptr<AccountState> self, std::optional<DesktopAPI> api,
                                      std::optional<AccountNoticeArea> area);
  static async::Task<bool> saveNameTask(std::shared_ptr<AccountState> self, std::optional<DesktopAPI> api);
  static async::Task<void> changeConsentTask(std::shared_ptr<AccountState> self, std::optional<DesktopAPI> api);
  static async::Task<void> checkConsentTask(std::shared_ptr<AccountState> self, std::optional<DesktopAPI> api,
                                            std::optional<bool> expected);
  static async::Task<void> exportTask(std::shared_ptr<AccountState> self, std::optional<DesktopAPI> api,
                                      std::shared_ptr<SaveDialog> dialog);
  static async::Task<void> fetchAndSave(std::shared_ptr<AccountState> self, DesktopAPI api,
                                        std::shared_ptr<SaveDialog> dialog, std::uint64_t revision);
  static async::Task<bool> deleteTask(std::shared_ptr<AccountState> self, AccountDeletion action,
                                      std::optional<DesktopAPI> api);
  void publishDeletion(AccountDeletion action, std::optional<std::int64_t> deletedRuns);

  std::string activeKey_;
  std::uint64_t revision_ = 0;
};

}  // namespace vesk

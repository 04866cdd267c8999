#pragma once
// The one signed-in session, kept in the user's keyring (Secret Service) so that a
// sign-in survives a restart. The item's attributes are the service (the application
// id) and the account "desktop"; its secret is the session record's JSON.
//
// The calls block the caller, the way the window uses them at start-up and after
// sign-in, but never for long when no Secret Service answers: every exchange with the
// service is bounded. Only unlocking a locked keyring, which asks the user, is not.
#include "core/records/session_records.h"
#include "core/signin/vesk_app_identity.h"

#include <chrono>
#include <optional>
#include <string>

namespace vesk {

class SessionKeychain {
 public:
  static constexpr const char* account = "desktop";
  static constexpr const char* addFailedSentence = "Could not save this session in the keyring.";
  static constexpr const char* updateFailedSentence = "Could not update the keyring session.";
  // How long one exchange with the Secret Service may take before it counts as failed.
  static std::chrono::milliseconds answerBound();

  explicit SessionKeychain(std::string service = VeskAppIdentity::current().sessionService);

  // The keyring service the session is filed under.
  const std::string& key() const { return service_; }

  // The stored session, or nothing: no item, an item that is not a session record, a
  // locked or unreachable keyring and no Secret Service all give nothing. Never unlocks
  // and never removes the item.
  std::optional<SessionRecord> load() const;
  // Replaces the secret of the existing item (unlocking it if needed) or adds a new item
  // to the default collection. Throws VeskError with updateFailedSentence when the item
  // could not be found or updated, with addFailedSentence when adding failed; a record
  // that cannot be encoded throws the encoder's error.
  void save(const SessionRecord& record) const;
  // Removes every item of the service, whatever its account, unlocking them first when
  // needed, and then checks that none remains. Returns whether none remains.
  bool clear() const;

 private:
  std::optional<std::string> loadText() const;
  void saveText(const std::string& json) const;
  enum class UpdateOutcome { updated, missing, failed };
  UpdateOutcome update(const std::string& json) const;
  bool add(const std::string& json) const;

  std::string service_;
};

}  // namespace vesk

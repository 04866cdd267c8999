// Clearing the saved runs and deleting the workspace.
#include "core/account/account_sentences.h"
#include "core/account/account_state.h"
#include "core/async/background.h"
#include "core/records/json_fields.h"

namespace vesk {

namespace {

// The service's answer to a deletion.
struct DeletionReply {
  bool ok = false;
  std::optional<std::int64_t> deletedRuns;

  static DeletionReply fromJson(const nlohmann::json& value) {
    JsonFields fields(value, "DeletionReply");
    return DeletionReply{fields.flag("ok"), fields.optionalInteger("deletedRuns")};
  }
};

async::Task<DeletionReply> sendDeletion(DesktopAPI api, AccountDeletion action) {
  const std::string bytes =
      co_await api.raw("settings/" + std::string(rawValue(action)), std::nullopt, "DELETE", Auth::bearer);
  co_return co_await async::inBackground([&bytes] { return DeletionReply::fromJson(DesktopAPI::parseReply(bytes)); });
}

std::string runsClearedSentence(std::optional<std::int64_t> deletedRuns) {
  // A confirmed clearing is never silent, even when the service gives no count.
  if (!deletedRuns) return account_sentences::runsCleared;
  if (*deletedRuns == 0) return account_sentences::nothingToClear;
  return "Cleared " + std::to_string(*deletedRuns) + (*deletedRuns == 1 ? " run." : " runs.");
}

}  // namespace

async::Task<bool> AccountState::deleteData(AccountDeletion action, std::optional<DesktopAPI> api) {
  return deleteTask(shared_from_this(), action, std::move(api));
}

async::Task<bool> AccountState::deleteTask(std::shared_ptr<AccountState> self, AccountDeletion action,
                                           std::optional<DesktopAPI> api) {
  if (self->busy() || *self->deletionUncertain || *self->reconnectRequired) co_return false;
  self->noticeArea = AccountNoticeArea::deletion;
  self->error = std::nullopt;
  self->feedback = std::nullopt;
  if (!api || !self->valid(*api)) co_return false;
  const auto revision = self->revision_;
  self->deleting = true;
  self->error = std::nullopt;
  self->feedback = std::nullopt;

  bool confirmed = false;
  try {
    const auto reply = co_await sendDeletion(*api, action);
    if (self->holds(revision) && reply.ok) {
      self->publishDeletion(action, reply.deletedRuns);
      confirmed = true;
    }
  } catch (const std::exception& failure) {
    if (self->holds(revision)) {
      self->recordFailure(failure);
      const bool unconfirmed = unconfirmedFailure(failure);
      self->deletionUncertain = unconfirmed;
      self->error = unconfirmed ? account_sentences::deletionUnconfirmed + std::string(failure.what())
                                : std::string(failure.what());
    }
  }
  if (self->holds(revision)) self->deleting = false;
  co_return confirmed;
}

void AccountState::publishDeletion(AccountDeletion action, std::optional<std::int64_t> deletedRuns) {
  if (action == AccountDeletion::workspace) {
    snapshot = std::nullopt;
    displayName = std::string();
    consentFeedback = std::string();
    feedback = std::string(account_sentences::workspaceDeleted);
    return;
  }
  feedback = runsClearedSentence(deletedRuns);
}

}  // namespace vesk

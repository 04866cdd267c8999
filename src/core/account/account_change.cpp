#include "core/account/account_change.h"

#include "core/async/spawn.h"

namespace vesk {

bool accountConnected(const Workspace& workspace) { return !*workspace.fixture && workspace.account->has_value(); }

async::Task<void> followAccountChange(std::shared_ptr<Workspace> workspace, std::shared_ptr<AccountState> state,
                                      std::optional<AccountDeletion> deletion) {
  // No generation checks here: the reload checks its own revision, and the open run and
  // the screen follow a deletion the service has confirmed, whatever happened meanwhile.
  co_await workspace->refreshAccount();
  if (!deletion) co_return;
  // No area: the deletion's own notice stays where the deletion put it.
  co_await state->reload(workspace->api(), std::nullopt);
  workspace->current = std::nullopt;
  if (*deletion == AccountDeletion::workspace) workspace->screen = Screen::home;
}

async::Task<bool> deleteAndFollowUp(std::shared_ptr<Workspace> workspace, std::shared_ptr<AccountState> state,
                                    AccountDeletion deletion) {
  const bool confirmed = co_await state->deleteData(deletion, workspace->api());
  // Held by nobody: the workspace and the account state it holds outlive any screen.
  if (confirmed) async::spawn(followAccountChange(workspace, state, deletion));
  co_return confirmed;
}

}  // namespace vesk

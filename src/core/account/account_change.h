#pragma once
// What follows a change of the account (a saved name, a confirmed deletion): refresh the
// workspace's account and, after a deletion, the settings too; then close the open run,
// and after a workspace deletion go home. The follow-up belongs to the workspace and the
// account state, so it runs to its end whatever becomes of the screen that asked.
#include "core/account/account_state.h"
#include "core/workspace/workspace.h"

#include <memory>
#include <optional>

namespace vesk {

async::Task<void> followAccountChange(std::shared_ptr<Workspace> workspace, std::shared_ptr<AccountState> state,
                                      std::optional<AccountDeletion> deletion);

// Deletes the runs or the whole workspace with the workspace's client and, once the
// service has confirmed it, starts its follow-up on its own: it goes on if the sheet or
// the screen goes meanwhile. True when the service confirmed the deletion.
async::Task<bool> deleteAndFollowUp(std::shared_ptr<Workspace> workspace, std::shared_ptr<AccountState> state,
                                    AccountDeletion deletion);

// Whether the account screen counts the user as signed in: a real account, not a preview.
bool accountConnected(const Workspace& workspace);

}  // namespace vesk

#pragma once
// What the account screen does after a change it must follow up (a saved name, a
// confirmed deletion): refresh the workspace's account and, after a deletion, the
// settings too; then close the open run, and after a workspace deletion go home.
#include "core/account/account_state.h"
#include "core/workspace/workspace.h"

#include <memory>
#include <optional>

namespace vesk {

async::Task<void> followAccountChange(std::shared_ptr<Workspace> workspace, std::shared_ptr<AccountState> state,
                                      std::optional<AccountDeletion> deletion);

// Whether the account screen counts the user as signed in: a real account, not a preview.
bool accountConnected(const Workspace& workspace);

}  // namespace vesk

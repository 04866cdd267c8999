#include "core/account/account_deletion.h"

namespace vesk {

std::optional<AccountDeletion> accountDeletion(std::string_view raw) {
  if (raw == "runs") return AccountDeletion::runs;
  if (raw == "workspace") return AccountDeletion::workspace;
  return std::nullopt;
}

std::string_view rawValue(AccountDeletion deletion) {
  switch (deletion) {
    case AccountDeletion::runs: return "runs";
    case AccountDeletion::workspace: return "workspace";
  }
  return "runs";
}

}  // namespace vesk

#pragma once
// Which of the account's data a deletion removes, and the section of the account screen
// that shows the account state's current notice.
#include <optional>
#include <string_view>

namespace vesk {

enum class AccountDeletion {
  runs,       // every saved run; projects and their briefs stay
  workspace,  // projects, runs, attachments and settings; the sign-in account stays
};

// Exactly "runs" or "workspace" (case-sensitive); nothing for any other text.
std::optional<AccountDeletion> accountDeletion(std::string_view raw);
// The deletion's name, which is also the last component of its operation path.
std::string_view rawValue(AccountDeletion deletion);

enum class AccountNoticeArea { account, profile, archive, deletion };

}  // namespace vesk

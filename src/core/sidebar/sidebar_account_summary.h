#pragma once
// The texts of the sidebar's allowance block and the label of the account menu's
// pricing item, derived from the account record; and which face the footer shows.
#include "core/records/account_records.h"

#include <optional>
#include <string>

namespace vesk {

struct SidebarAccountSummary {
  bool paid = false;
  std::string plan;                         // the block's headline
  std::optional<std::string> detail;        // beside the headline: billing cycle or days left
  std::string balance;                      // the full-audit line
  std::optional<std::string> bonusBalance;  // the bonus quick-read line
  std::string pricingLabel;                 // the pricing item of an account that is not paid

  static SidebarAccountSummary from(const Account& account);
  bool operator==(const SidebarAccountSummary&) const = default;
};

// The name the footer shows: the display name without surrounding white space when any
// is left, else the e-mail; "Your account" without an account record.
std::string sidebarAccountName(const std::optional<Account>& account);

// What the account footer shows.
enum class SidebarFooterFace {
  offer,        // signed out or the local preview: the offer card
  summary,      // the allowance block with the summary
  loading,      // "Loading your account…"
  failed,       // "Account details unavailable." with a retry
  unavailable,  // "Account details unavailable." alone
};

struct SidebarFooterInputs {
  bool fixture = false;
  bool hasAccountSession = false;
  bool hasAccount = false;
  bool accountLoading = false;
  bool hasAccountError = false;
};

SidebarFooterFace sidebarFooterFace(const SidebarFooterInputs& inputs);

}  // namespace vesk

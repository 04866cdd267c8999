#include "core/sidebar/sidebar_account_summary.h"

#include "core/text/text_rules.h"

#include <array>
#include <string_view>
#include <utility>

namespace vesk {

namespace {

constexpr std::array<std::pair<std::string_view, std::string_view>, 6> planNames{{
    {"member", "Vesk Plus"},
    {"maker", "Pro plan"},
    {"pro", "Pro plan"},
    {"starter", "Starter plan"},
    {"studio", "Studio plan"},
    {"enterprise", "Enterprise plan"},
}};

std::string planName(const std::string& plan) {
  for (const auto& [value, name] : planNames)
    if (value == plan) return std::string(name);
  return "Your plan";
}

std::optional<std::string> cycleDetail(const std::optional<std::string>& cycle) {
  if (cycle == "annual") return "Annual";
  if (cycle == "monthly") return "Monthly";
  return std::nullopt;
}

std::string balanceLine(std::int64_t audits, bool weekActive) {
  if (audits >= 1) return std::to_string(audits) + " full " + (audits == 1 ? "audit" : "audits") + " available";
  return weekActive ? "Full audit used" : "No full audits available";
}

}  // namespace

SidebarAccountSummary SidebarAccountSummary::from(const Account& account) {
  SidebarAccountSummary summary;
  summary.paid = account.membershipActive == true || (account.plan != "free" && account.plan != "beta");
  const std::optional<FreeWeek> week = summary.paid ? std::nullopt : account.freeWeek;
  const bool weekActive = week && week->active;
  const std::int64_t bonus = account.quick ? account.quick->bonusBalance.value_or(0) : 0;
  const bool holdsRuns = account.auditBalance > 0 || bonus > 0;

  if (summary.paid) {
    summary.plan = planName(account.plan);
    summary.detail = cycleDetail(account.billingCycle);
  } else if (weekActive) {
    summary.plan = "Free week";
    summary.detail = week->daysLeft > 1 ? std::to_string(week->daysLeft) + " days left" : "Last day";
  } else if (holdsRuns) {
    summary.plan = "Vesk Pack";
  } else if (week && week->endsAt) {
    summary.plan = "Free week ended";
  } else {
    summary.plan = "Your account";
  }
  summary.balance = balanceLine(account.auditBalance, weekActive);
  if (bonus >= 1) summary.bonusBalance = std::to_string(bonus) + " bonus Quick reads available";
  summary.pricingLabel = !summary.paid && !weekActive && holdsRuns ? "Buy Vesk Pack" : "See prices";
  return summary;
}

std::string sidebarAccountName(const std::optional<Account>& account) {
  if (!account) return "Your account";
  if (account->displayName) {
    std::string trimmed = trimmedWhiteSpace(*account->displayName);
    if (!trimmed.empty()) return trimmed;
  }
  return account->email;
}

SidebarFooterFace sidebarFooterFace(const SidebarFooterInputs& inputs) {
  if (inputs.fixture || !inputs.hasAccountSession) return SidebarFooterFace::offer;
  if (inputs.hasAccount) return SidebarFooterFace::summary;
  if (inputs.accountLoading) return SidebarFooterFace::loading;
  return inputs.hasAccountError ? SidebarFooterFace::failed : SidebarFooterFace::unavailable;
}

}  // namespace vesk

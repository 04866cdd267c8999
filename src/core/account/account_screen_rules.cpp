#include "core/account/account_screen_rules.h"

#include "core/account/account_state.h"
#include "core/platform/object_ptr.h"
#include "core/text/text_rules.h"

#include <glib.h>

#include <algorithm>

namespace vesk::account_rules {

std::string runsHeadline(std::int64_t auditBalance) {
  return std::to_string(auditBalance) + (auditBalance == 1 ? " run" : " runs") + " available.";
}

std::optional<std::string> bonusLine(const AccountEntitlements& entitlements) {
  if (!entitlements.quick || !entitlements.quick->bonusBalance) return std::nullopt;
  const std::int64_t bonus = *entitlements.quick->bonusBalance;
  if (bonus < 1) return std::nullopt;
  return std::to_string(bonus) + " bonus Quick reads available. They never expire.";
}

std::string emailLine(const std::optional<AccountSettingsSnapshot>& snapshot) {
  if (snapshot && !snapshot->email.empty()) return snapshot->email;
  return "No email on file";
}

std::string emailStandfirst(const std::optional<AccountSettingsSnapshot>& snapshot, std::string_view supportAddress) {
  if (snapshot && snapshot->notifications) return snapshot->notifications->message;
  return "Vesk sends sign-in codes and subscription confirmations to your account or billing email. For help, "
         "contact " +
         std::string(supportAddress) + ".";
}

bool consentKnown(const std::optional<AccountSettingsSnapshot>& snapshot) {
  return snapshot && snapshot->improvementConsent;
}

bool consentOn(const std::optional<AccountSettingsSnapshot>& snapshot) {
  return consentKnown(snapshot) && snapshot->improvementConsent->enabled;
}

std::string consentStatus(const AccountState& state) {
  if (*state.consentUncertain) return "Unconfirmed";
  if (!consentKnown(*state.snapshot)) return "Unavailable";
  return consentOn(*state.snapshot) ? "On" : "Off";
}

bool consentSwitchEnabled(const AccountState& state) {
  return !state.busy() && !*state.reconnectRequired && !*state.consentUncertain && consentKnown(*state.snapshot);
}

std::optional<Notice> notice(const AccountState& state, AccountNoticeArea area) {
  if (*state.noticeArea != area) return std::nullopt;
  if (*state.error) return Notice{**state.error, true};
  if (*state.feedback) return Notice{**state.feedback, false};
  return std::nullopt;
}

std::optional<std::string> loadError(const AccountState& state) {
  if (state.snapshot->has_value()) return std::nullopt;
  return *state.error;
}

std::optional<std::string> accountAreaError(const AccountState& state) {
  if (*state.noticeArea != AccountNoticeArea::account || !state.snapshot->has_value()) return std::nullopt;
  return *state.error;
}

DeletionTexts deletionTexts(AccountDeletion action) {
  DeletionTexts texts;
  if (action == AccountDeletion::runs) {
    texts = {"Clear all runs?",
             "Every run in every project will be deleted. Projects and their briefs stay. There's no undo.",
             "clear runs", "", "Clear runs"};
  } else {
    texts = {"Delete the whole workspace?",
             "Projects, runs, attachments, and settings will all be removed. Your sign-in account stays. There's no "
             "undo.",
             "delete everything", "", "Delete workspace"};
  }
  texts.fieldLabel = "Type " + texts.phrase + " to confirm.";
  return texts;
}

bool phraseMatches(std::string_view typed, AccountDeletion action) {
  return lowercased(trimmedWhiteSpace(typed)) == deletionTexts(action).phrase;
}

bool canConfirmDeletion(const AccountState& state, std::string_view typed, AccountDeletion action) {
  return phraseMatches(typed, action) && !state.busy() && !*state.reconnectRequired && !*state.deletionUncertain;
}

bool dangerEnabled(const AccountState& state) {
  return !state.busy() && !*state.reconnectRequired && !*state.deletionUncertain;
}

double topPadding(double headerInset) { return std::max(headerInset + 32, 144.0); }

std::optional<std::string> pricingAddress(std::string_view origin) {
  std::string base(origin);
  if (base.empty()) return std::nullopt;
  if (!base.ends_with('/')) base += '/';
  const glib::GFreePtr<char> resolved(
      g_uri_resolve_relative(base.c_str(), "pricing?from=settings", G_URI_FLAGS_NONE, nullptr));
  if (!resolved) return std::nullopt;
  return std::string(resolved.get());
}

std::string closeAccountMailto(std::string_view supportAddress) {
  return "mailto:" + std::string(supportAddress) + "?subject=Close%20my%20account";
}

}  // namespace vesk::account_rules

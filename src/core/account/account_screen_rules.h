#pragma once
// What the account screen, its settings sections and the typed-phrase sheet show, worked
// out from the account state: the sentences built from the settings, which notice shows
// in which section, which controls are enabled, and the page's top padding. Pure rules,
// so the views only draw their answers.
#include "core/account/account_deletion.h"
#include "core/account/account_settings_records.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vesk {

class AccountState;

namespace account_rules {

// "1 run available.", "0 runs available.", "7 runs available."
std::string runsHeadline(std::int64_t auditBalance);
// The bonus Quick reads line, only for a bonus balance of one or more.
std::optional<std::string> bonusLine(const AccountEntitlements& entitlements);
// The e-mail of the profile section, or "No email on file".
std::string emailLine(const std::optional<AccountSettingsSnapshot>& snapshot);
// The e-mail section's standfirst: the service's message whenever it sends one, even an
// empty one; else the fixed sentence that ends with the support address.
std::string emailStandfirst(const std::optional<AccountSettingsSnapshot>& snapshot, std::string_view supportAddress);
// The improvement consent as stored: off when unknown.
bool consentOn(const std::optional<AccountSettingsSnapshot>& snapshot);
bool consentKnown(const std::optional<AccountSettingsSnapshot>& snapshot);
// "Unconfirmed" over "Unavailable" over "On"/"Off".
std::string consentStatus(const AccountState& state);
bool consentSwitchEnabled(const AccountState& state);

// The notice a section shows: the state's error before its feedback, and only in the
// section of the state's notice area.
struct Notice {
  std::string text;
  bool error = false;
  bool operator==(const Notice&) const = default;
};
std::optional<Notice> notice(const AccountState& state, AccountNoticeArea area);
// The error shown above the signed-in column before the first snapshot arrived.
std::optional<std::string> loadError(const AccountState& state);
// The error under the footer: the account area's, once a snapshot is held.
std::optional<std::string> accountAreaError(const AccountState& state);

// The typed-phrase sheet's texts for one deletion.
struct DeletionTexts {
  std::string title;
  std::string explanation;
  std::string phrase;
  std::string fieldLabel;
  std::string confirm;
};
DeletionTexts deletionTexts(AccountDeletion action);
// Whether the typed text is the deletion's phrase, trimmed and in any letter case.
bool phraseMatches(std::string_view typed, AccountDeletion action);
bool canConfirmDeletion(const AccountState& state, std::string_view typed, AccountDeletion action);
// The danger rows' buttons, the archive button and the checks.
bool dangerEnabled(const AccountState& state);

// The page's distance from the top: the header inset plus 32, at least 144.
double topPadding(double headerInset);

// The pricing page under the service origin; nothing when no address can be formed.
std::optional<std::string> pricingAddress(std::string_view origin);
std::string closeAccountMailto(std::string_view supportAddress);

}  // namespace account_rules

}  // namespace vesk

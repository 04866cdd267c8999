#pragma once
// The records of the service's settings operations: the settings snapshot with the
// account's allowances and notification note, and the saved improvement choice.
//
// Decoding is strict (see core/records/json_fields.h): fromJson() throws
// vesk::DecodingError, and one bad nested value fails the whole snapshot. Only the
// improvement choice is ever written back.
#include "core/records/account_records.h"

#include <nlohmann/json.hpp>

#include <cstdint>
#include <optional>
#include <string>

namespace vesk {

// The saved answer to whether the user's audits may be used to improve the service.
struct ImprovementChoice {
  bool enabled = false;

  ImprovementChoice() = default;
  explicit ImprovementChoice(bool enabled) : enabled(enabled) {}

  static ImprovementChoice fromJson(const nlohmann::json& value);
  nlohmann::json toJson() const;
  bool operator==(const ImprovementChoice& other) const = default;
};

// The allowances of the signed-in account as the settings report them.
struct AccountEntitlements {
  std::string plan;
  std::int64_t auditBalance = 0;
  bool membershipActive = false;
  std::optional<FreeWeek> freeWeek;
  std::optional<QuickAccess> quick;
  std::optional<RunCaps> caps;

  static AccountEntitlements fromJson(const nlohmann::json& value);
  bool operator==(const AccountEntitlements& other) const = default;
};

// What the service says about the e-mails it sends the account.
struct AccountNotifications {
  std::string message;
  bool configurable = false;

  static AccountNotifications fromJson(const nlohmann::json& value);
  bool operator==(const AccountNotifications& other) const = default;
};

// The reply of GET "settings".
struct AccountSettingsSnapshot {
  std::string displayName;
  std::string email;
  std::optional<ImprovementChoice> improvementConsent;
  std::optional<AccountEntitlements> entitlements;
  std::string consentPolicyVersion;
  bool collectionActive = false;
  std::optional<AccountNotifications> notifications;

  static AccountSettingsSnapshot fromJson(const nlohmann::json& value);
  bool operator==(const AccountSettingsSnapshot& other) const = default;
};

}  // namespace vesk

#include "core/account/account_settings_records.h"

#include "core/records/json_fields.h"

namespace vesk {

// Braced initialisation evaluates the members in order, so the first bad key in member
// order is the one reported.

ImprovementChoice ImprovementChoice::fromJson(const nlohmann::json& value) {
  JsonFields fields(value, "ImprovementChoice");
  return ImprovementChoice(fields.flag("enabled"));
}

nlohmann::json ImprovementChoice::toJson() const { return {{"enabled", enabled}}; }

AccountEntitlements AccountEntitlements::fromJson(const nlohmann::json& value) {
  JsonFields fields(value, "AccountEntitlements");
  return AccountEntitlements{fields.text("plan"),
                             fields.integer("auditBalance"),
                             fields.flag("membershipActive"),
                             fields.optionalRecord<FreeWeek>("freeWeek"),
                             fields.optionalRecord<QuickAccess>("quick"),
                             fields.optionalRecord<RunCaps>("caps")};
}

AccountNotifications AccountNotifications::fromJson(const nlohmann::json& value) {
  JsonFields fields(value, "AccountNotifications");
  return AccountNotifications{fields.text("message"), fields.flag("configurable")};
}

AccountSettingsSnapshot AccountSettingsSnapshot::fromJson(const nlohmann::json& value) {
  JsonFields fields(value, "AccountSettingsSnapshot");
  return AccountSettingsSnapshot{fields.text("displayName"),
                                 fields.text("email"),
                                 fields.optionalRecord<ImprovementChoice>("improvementConsent"),
                                 fields.optionalRecord<AccountEntitlements>("entitlements"),
                                 fields.text("consentPolicyVersion"),
                                 fields.flag("collectionActive"),
                                 fields.optionalRecord<AccountNotifications>("notifications")};
}

}  // namespace vesk

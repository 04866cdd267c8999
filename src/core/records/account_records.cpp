#include "core/records/account_records.h"

#include "core/records/json_fields.h"
#include "core/text/text_equivalence.h"

#include <algorithm>

namespace vesk {

namespace {

// Braced initialisation below evaluates the members in order, so the first bad key in
// member order is the one reported.

QuickAccess decodeQuickAccess(JsonFields fields) {
  return QuickAccess{fields.flag("allowed"),
                     fields.optionalText("reason"),
                     fields.integer("perDay"),
                     fields.optionalInteger("perMonth"),
                     fields.integer("remainingToday"),
                     fields.optionalInteger("bonusBalance"),
                     fields.optionalInteger("planRemainingToday")};
}

RunCaps decodeRunCaps(JsonFields fields) { return RunCaps{fields.integer("urlsPerRun")}; }

FreeWeek decodeFreeWeek(JsonFields fields) {
  return FreeWeek{fields.flag("active"), fields.optionalText("endsAt"), fields.integer("daysLeft")};
}

Account decodeAccount(JsonFields fields) {
  return Account{fields.text("email"),
                 fields.integer("auditBalance"),
                 fields.text("plan"),
                 fields.optionalRecord<QuickAccess>("quick"),
                 fields.optionalRecord<RunCaps>("caps"),
                 fields.optionalText("displayName"),
                 fields.optionalRecord<FreeWeek>("freeWeek"),
                 fields.optionalFlag("membershipActive"),
                 fields.optionalText("billingCycle")};
}

}  // namespace

// QuickAccess

QuickAccess::QuickAccess(bool allowed, std::optional<std::string> reason, std::int64_t perDay,
                         std::optional<std::int64_t> perMonth, std::int64_t remainingToday,
                         std::optional<std::int64_t> bonusBalance, std::optional<std::int64_t> planRemainingToday)
    : allowed(allowed),
      reason(std::move(reason)),
      perDay(perDay),
      perMonth(perMonth),
      remainingToday(remainingToday),
      bonusBalance(bonusBalance),
      planRemainingToday(planRemainingToday) {}

QuickAccess QuickAccess::fromJson(const nlohmann::json& value) {
  return decodeQuickAccess(JsonFields(value, "QuickAccess"));
}

QuickAccess QuickAccess::fromJson(nlohmann::json&& value) {
  return decodeQuickAccess(JsonFields(std::move(value), "QuickAccess"));
}

nlohmann::json QuickAccess::toJson() const {
  nlohmann::json object = {{"allowed", allowed}, {"perDay", perDay}, {"remainingToday", remainingToday}};
  putOptional(object, "reason", reason);
  putOptional(object, "perMonth", perMonth);
  putOptional(object, "bonusBalance", bonusBalance);
  putOptional(object, "planRemainingToday", planRemainingToday);
  return object;
}

// RunCaps

RunCaps::RunCaps(std::int64_t urlsPerRun) : urlsPerRun(urlsPerRun) {}

RunCaps RunCaps::fromJson(const nlohmann::json& value) { return decodeRunCaps(JsonFields(value, "RunCaps")); }

RunCaps RunCaps::fromJson(nlohmann::json&& value) { return decodeRunCaps(JsonFields(std::move(value), "RunCaps")); }

nlohmann::json RunCaps::toJson() const { return {{"urlsPerRun", urlsPerRun}}; }

// FreeWeek

FreeWeek::FreeWeek(bool active, std::optional<std::string> endsAt, std::int64_t daysLeft)
    : active(active), endsAt(std::move(endsAt)), daysLeft(daysLeft) {}

FreeWeek FreeWeek::fromJson(const nlohmann::json& value) { return decodeFreeWeek(JsonFields(value, "FreeWeek")); }

FreeWeek FreeWeek::fromJson(nlohmann::json&& value) { return decodeFreeWeek(JsonFields(std::move(value), "FreeWeek")); }

nlohmann::json FreeWeek::toJson() const {
  nlohmann::json object = {{"active", active}, {"daysLeft", daysLeft}};
  putOptional(object, "endsAt", endsAt);
  return object;
}

// Account

Account::Account(std::string email, std::int64_t auditBalance, std::string plan, std::optional<QuickAccess> quick,
                 std::optional<RunCaps> caps, std::optional<std::string> displayName, std::optional<FreeWeek> freeWeek,
                 std::optional<bool> membershipActive, std::optional<std::string> billingCycle)
    : email(std::move(email)),
      auditBalance(auditBalance),
      plan(std::move(plan)),
      quick(std::move(quick)),
      caps(caps),
      displayName(std::move(displayName)),
      freeWeek(std::move(freeWeek)),
      membershipActive(membershipActive),
      billingCycle(std::move(billingCycle)) {}

Account Account::fromJson(const nlohmann::json& value) { return decodeAccount(JsonFields(value, "Account")); }

Account Account::fromJson(nlohmann::json&& value) { return decodeAccount(JsonFields(std::move(value), "Account")); }

nlohmann::json Account::toJson() const {
  nlohmann::json object = {{"email", email}, {"auditBalance", auditBalance}, {"plan", plan}};
  putOptional(object, "quick", quick);
  putOptional(object, "caps", caps);
  putOptional(object, "displayName", displayName);
  putOptional(object, "freeWeek", freeWeek);
  putOptional(object, "membershipActive", membershipActive);
  putOptional(object, "billingCycle", billingCycle);
  return object;
}

}  // namespace vesk

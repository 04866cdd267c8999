#include "core/service/service_records.h"

#include "core/service/json_fields.h"
#include "core/service/text_equivalence.h"

#include <algorithm>
#include <functional>

namespace vesk {

namespace {

// Braced initialisation below evaluates the members in order, so the first bad key in
// member order is the one reported.

DiscoveryQuestion decodeQuestion(JsonFields fields) {
  return DiscoveryQuestion{fields.text("text"), fields.textList("options")};
}

AuditAttachment decodeAttachment(JsonFields fields) {
  return AuditAttachment{fields.text("filename"), fields.text("mediaType"), fields.text("data")};
}

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

SavedAudit decodeSavedAudit(JsonFields fields) {
  return SavedAudit{fields.text("id"),
                    fields.text("projectId"),
                    fields.text("projectName"),
                    fields.text("status"),
                    fields.text("output"),
                    fields.optionalText("auditMode"),
                    fields.optionalFlag("fixture"),
                    fields.optionalText("createdAt"),
                    fields.optionalFlag("partial"),
                    fields.optionalText("input"),
                    fields.optionalInteger("runNumber"),
                    fields.optionalText("agent")};
}

RunState decodeRunState(JsonFields fields) {
  return RunState{fields.text("id"),
                  fields.text("status"),
                  fields.text("output"),
                  fields.list<DiscoveryQuestion>("questions"),
                  fields.optionalFlag("refundConfirmed"),
                  fields.optionalText("auditMode"),
                  fields.optionalFlag("retryable"),
                  fields.optionalFlag("partial"),
                  fields.optionalText("agent")};
}

TokenResponse decodeTokenResponse(JsonFields fields) {
  return TokenResponse{fields.text("access_token"), fields.integer("expires_in")};
}

// 2001-01-01 00:00:00 UTC, the origin of the stored expiry.
constexpr std::chrono::sys_seconds referenceDate{std::chrono::seconds{978307200}};

// Beyond about 250 years either side the clock's nanosecond count would overflow.
constexpr double storableSeconds = 8e9;

SessionRecord decodeSessionRecord(JsonFields fields) {
  std::string token = fields.text("token");
  std::string origin = fields.text("origin");
  const double seconds = fields.number("expires");
  if (seconds < -storableSeconds || seconds > storableSeconds) {
    throw DecodingError("expires: outside the range of dates the client can hold");
  }
  const auto sinceReference = std::chrono::round<std::chrono::microseconds>(std::chrono::duration<double>(seconds));
  return SessionRecord{std::move(token), std::move(origin), referenceDate + sinceReference};
}

}  // namespace

// DiscoveryQuestion

DiscoveryQuestion::DiscoveryQuestion(std::string text, std::vector<std::string> options)
    : text(std::move(text)), options(std::move(options)) {}

DiscoveryQuestion DiscoveryQuestion::fromJson(const nlohmann::json& value) {
  return decodeQuestion(JsonFields(value, "DiscoveryQuestion"));
}

DiscoveryQuestion DiscoveryQuestion::fromJson(nlohmann::json&& value) {
  return decodeQuestion(JsonFields(std::move(value), "DiscoveryQuestion"));
}

nlohmann::json DiscoveryQuestion::toJson() const { return {{"text", text}, {"options", options}}; }

bool DiscoveryQuestion::operator==(const DiscoveryQuestion& other) const {
  return canonicallyEqual(text, other.text) &&
         std::equal(options.begin(), options.end(), other.options.begin(), other.options.end(),
                    [](const std::string& first, const std::string& second) { return canonicallyEqual(first, second); });
}

// AuditAttachment

AuditAttachment::AuditAttachment(std::string filename, std::string mediaType, std::string data)
    : filename(std::move(filename)), mediaType(std::move(mediaType)), data(std::move(data)) {}

std::string AuditAttachment::id() const {
  const auto hash = static_cast<std::int64_t>(std::hash<std::string>{}(data));
  return filename + ":" + std::to_string(hash);
}

AuditAttachment AuditAttachment::fromJson(const nlohmann::json& value) {
  return decodeAttachment(JsonFields(value, "AuditAttachment"));
}

AuditAttachment AuditAttachment::fromJson(nlohmann::json&& value) {
  return decodeAttachment(JsonFields(std::move(value), "AuditAttachment"));
}

nlohmann::json AuditAttachment::toJson() const {
  return {{"filename", filename}, {"mediaType", mediaType}, {"data", data}};
}

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

FreeWeek FreeWeek::fromJson(nlohmann::json&& value) {
  return decodeFreeWeek(JsonFields(std::move(value), "FreeWeek"));
}

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

// SavedAudit

SavedAudit::SavedAudit(std::string id, std::string projectId, std::string projectName, std::string status,
                       std::string output, std::optional<std::string> auditMode, std::optional<bool> fixture,
                       std::optional<std::string> createdAt, std::optional<bool> partial,
                       std::optional<std::string> input, std::optional<std::int64_t> runNumber,
                       std::optional<std::string> agent)
    : id(std::move(id)),
      projectId(std::move(projectId)),
      projectName(std::move(projectName)),
      status(std::move(status)),
      output(std::move(output)),
      auditMode(std::move(auditMode)),
      fixture(fixture),
      createdAt(std::move(createdAt)),
      partial(partial),
      input(std::move(input)),
      runNumber(runNumber),
      agent(std::move(agent)) {}

SavedAudit SavedAudit::fromJson(const nlohmann::json& value) {
  return decodeSavedAudit(JsonFields(value, "SavedAudit"));
}

SavedAudit SavedAudit::fromJson(nlohmann::json&& value) {
  return decodeSavedAudit(JsonFields(std::move(value), "SavedAudit"));
}

nlohmann::json SavedAudit::toJson() const {
  nlohmann::json object = {
      {"id", id}, {"projectId", projectId}, {"projectName", projectName}, {"status", status}, {"output", output}};
  putOptional(object, "auditMode", auditMode);
  putOptional(object, "fixture", fixture);
  putOptional(object, "createdAt", createdAt);
  putOptional(object, "partial", partial);
  putOptional(object, "input", input);
  putOptional(object, "runNumber", runNumber);
  putOptional(object, "agent", agent);
  return object;
}

bool SavedAudit::operator==(const SavedAudit& other) const {
  return canonicallyEqual(id, other.id) && canonicallyEqual(projectId, other.projectId) &&
         canonicallyEqual(projectName, other.projectName) && canonicallyEqual(status, other.status) &&
         canonicallyEqual(output, other.output) && canonicallyEqualOptionals(auditMode, other.auditMode) &&
         fixture == other.fixture && canonicallyEqualOptionals(createdAt, other.createdAt) &&
         partial == other.partial && canonicallyEqualOptionals(input, other.input) && runNumber == other.runNumber &&
         canonicallyEqualOptionals(agent, other.agent);
}

// RunState

RunState::RunState(std::string id, std::string status, std::string output, std::vector<DiscoveryQuestion> questions,
                   std::optional<bool> refundConfirmed, std::optional<std::string> auditMode,
                   std::optional<bool> retryable, std::optional<bool> partial, std::optional<std::string> agent)
    : id(std::move(id)),
      status(std::move(status)),
      output(std::move(output)),
      questions(std::move(questions)),
      refundConfirmed(refundConfirmed),
      auditMode(std::move(auditMode)),
      retryable(retryable),
      partial(partial),
      agent(std::move(agent)) {}

RunState RunState::fromJson(const nlohmann::json& value) { return decodeRunState(JsonFields(value, "RunState")); }

RunState RunState::fromJson(nlohmann::json&& value) {
  return decodeRunState(JsonFields(std::move(value), "RunState"));
}

// TokenResponse

TokenResponse::TokenResponse(std::string access_token, std::int64_t expires_in)
    : access_token(std::move(access_token)), expires_in(expires_in) {}

TokenResponse TokenResponse::fromJson(const nlohmann::json& value) {
  return decodeTokenResponse(JsonFields(value, "TokenResponse"));
}

TokenResponse TokenResponse::fromJson(nlohmann::json&& value) {
  return decodeTokenResponse(JsonFields(std::move(value), "TokenResponse"));
}

// SessionRecord

SessionRecord::SessionRecord(std::string token, std::string origin, std::chrono::system_clock::time_point expires)
    : token(std::move(token)),
      origin(std::move(origin)),
      expires(std::chrono::round<std::chrono::microseconds>(expires)) {}

SessionRecord SessionRecord::fromJson(const nlohmann::json& value) {
  return decodeSessionRecord(JsonFields(value, "SessionRecord"));
}

SessionRecord SessionRecord::fromJson(nlohmann::json&& value) {
  return decodeSessionRecord(JsonFields(std::move(value), "SessionRecord"));
}

nlohmann::json SessionRecord::toJson() const {
  const std::chrono::duration<double> sinceReference = expires - referenceDate;
  return {{"token", token}, {"origin", origin}, {"expires", sinceReference.count()}};
}

}  // namespace vesk

#include "fake_service/fake_settings.h"

namespace vesk::testing {

namespace {

std::string desktopPath(const char* operation) { return std::string("/api/desktop/") + operation; }

nlohmann::json bodyOf(const RecordedRequest& request) { return nlohmann::json::parse(request.body, nullptr, false); }

bool hasString(const nlohmann::json& body, const char* key) {
  return body.is_object() && body.contains(key) && body[key].is_string();
}

bool hasFlag(const nlohmann::json& body, const char* key) {
  return body.is_object() && body.contains(key) && body[key].is_boolean();
}

}  // namespace

FakeSettings::FakeSettings(FakeService& service, std::string token) {
  state_->token = std::move(token);
  // Wraps a route so that it answers only the account's own bearer token.
  const auto guarded = [state = state_](auto handler) {
    return [state, handler](const RecordedRequest& request) {
      if (request.header("Authorization") != "Bearer " + state->token) return Reply::error(401, "Sign in to continue.");
      return handler(request, state->account);
    };
  };
  service.on("GET", desktopPath("settings"), guarded([](const RecordedRequest&, Account& account) {
               return Reply::json(settingsJson(account).dump());
             }));

  service.on("PATCH", desktopPath("settings"), guarded([](const RecordedRequest& request, Account& account) {
               const auto body = bodyOf(request);
               if (!hasString(body, "displayName")) return Reply::error(422, "Give a display name.");
               account.displayName = account.storedName(body["displayName"].get<std::string>());
               return Reply::json(R"({"ok":true})");
             }));

  service.on("GET", desktopPath("settings/audit-improvement"), guarded([](const RecordedRequest&, Account& account) {
               if (!account.consent) return Reply::error(404, "This account has no consent to give.");
               return Reply::json(nlohmann::json{{"enabled", *account.consent}}.dump());
             }));

  service.on("PATCH", desktopPath("settings/audit-improvement"),
             guarded([](const RecordedRequest& request, Account& account) {
               const auto body = bodyOf(request);
               if (!hasFlag(body, "enabled") || !hasString(body, "policyVersion"))
                 return Reply::error(422, "Give a choice and its policy version.");
               if (body["policyVersion"] != account.policyVersion)
                 return Reply::error(409, "The policy changed. Refresh to read the new one.");
               account.consent = body["enabled"].get<bool>();
               return Reply::json(nlohmann::json{{"enabled", *account.consent}}.dump());
             }));

  service.on("GET", desktopPath("settings/export"), guarded([](const RecordedRequest&, Account& account) {
               Reply reply = Reply::json(account.archive);
               reply.contentType = "application/zip";
               return reply;
             }));

  service.on("DELETE", desktopPath("settings/runs"), guarded([](const RecordedRequest&, Account& account) {
               const auto deleted = std::exchange(account.runs, 0);
               return Reply::json(nlohmann::json{{"ok", true}, {"deletedRuns", deleted}}.dump());
             }));

  service.on("DELETE", desktopPath("settings/workspace"), guarded([](const RecordedRequest&, Account& account) {
               account.runs = 0;
               account.displayName.clear();
               if (account.consent) account.consent = false;
               return Reply::json(R"({"ok":true})");
             }));

  service.on("POST", desktopPath("feedback"), guarded([](const RecordedRequest& request, Account& account) {
               const auto body = bodyOf(request);
               if (!hasString(body, "body") || !hasString(body, "fromPath"))
                 return Reply::error(422, "Write a note first.");
               account.feedback.push_back({body["body"].get<std::string>(), body["fromPath"].get<std::string>()});
               return Reply::json(R"({"ok":true})");
             }));
}

nlohmann::json FakeSettings::settingsJson() const { return settingsJson(state_->account); }

nlohmann::json FakeSettings::settingsJson(const Account& account) {
  nlohmann::json settings = {
      {"displayName", account.displayName},
      {"email", account.email},
      {"entitlements",
       {{"plan", "studio"},
        {"auditBalance", account.auditBalance},
        {"membershipActive", true},
        {"quick", {{"allowed", true}, {"perDay", 5}, {"remainingToday", 4}, {"bonusBalance", 2}}},
        {"caps", {{"urlsPerRun", 5}}}}},
      {"consentPolicyVersion", account.policyVersion},
      {"collectionActive", account.collectionActive},
      {"notifications", {{"message", "Vesk e-mails you only about your runs."}, {"configurable", false}}}};
  if (account.consent) settings["improvementConsent"] = {{"enabled", *account.consent}};
  return settings;
}

std::string FakeSettings::emptyZip() {
  std::string archive = "PK\x05\x06";
  archive.append(18, '\0');
  return archive;
}

}  // namespace vesk::testing

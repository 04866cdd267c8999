// The account: "me", sign-out, the settings, the archive, clearing, billing and feedback.
#include "demo_service/demo_core.h"
#include "demo_service/demo_documents.h"

#include <glib.h>

namespace vesk::demo {

namespace {

constexpr glong longestName = 60;
constexpr glong longestFeedback = 4000;

glong characters(const std::string& text) { return g_utf8_strlen(text.c_str(), -1); }

std::string trimmed(const std::string& text) {
  const auto first = text.find_first_not_of(" \t\r\n");
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

nlohmann::json settingsJson(const DemoState& state) {
  const nlohmann::json account = accountJson(state);
  return {{"displayName", state.account.displayName},
          {"email", state.account.email},
          {"improvementConsent", {{"enabled", state.account.improvementConsent}}},
          {"entitlements",
           {{"plan", account["plan"]},
            {"auditBalance", account["auditBalance"]},
            {"membershipActive", false},
            {"freeWeek", account["freeWeek"]},
            {"quick", account["quick"]},
            {"caps", account["caps"]}}},
          {"consentPolicyVersion", state.consentPolicyVersion},
          {"collectionActive", true},
          {"notifications",
           {{
                "message",
                "The demo service sends no e-mail.",
            },
            {"configurable", false}}}};
}

// The account archive: a note on what it holds and every report as Markdown.
std::string archiveOf(const DemoState& state) {
  std::vector<std::pair<std::string, std::string>> files = {
      {"README.txt", "Your Vesk demo archive: " + std::to_string(state.projects.size()) + " projects and " +
                         std::to_string(state.runs.size()) + " runs, written by the loopback demo service.\n"}};
  for (const auto* run : state.newestFirst())
    if (run->status == "complete") files.emplace_back("reports/" + run->id + ".md", run->output);
  return zipArchive(files);
}

}  // namespace

void addAccountRoutes(DemoCore& core) {
  DemoRouter& r = core.router;
  DemoCore* c = &core;
  r.add("GET", "me", [c](const DemoCall&) {
    c->say(c->state.kind == AccountKind::preview ? "a local-preview account" : "a live account");
    return Reply::json(
        nlohmann::json{{"account", accountJson(c->state)}, {"fixture", c->state.kind == AccountKind::preview}}.dump());
  });
  r.add("POST", "revoke", [c](const DemoCall& call) {
    c->state.revokedTokens.insert(call.request.header("Authorization")->substr(7));
    c->say("signed out");
    return Reply::json("{}");
  });
  r.add("GET", "settings", [c](const DemoCall&) { return Reply::json(settingsJson(c->state).dump()); });
  r.add("PATCH", "settings", [c](const DemoCall& call) {
    const auto name = textMember(call.body, "displayName");
    if (!name || trimmed(*name).empty() || characters(*name) > longestName)
      return failure(422, "Use a name of 1 to 60 characters.", "invalid_name");
    c->state.account.displayName = trimmed(*name);
    c->say("name saved");
    return Reply::json(R"({"ok":true})");
  });
  r.add("GET", "settings/audit-improvement", [c](const DemoCall&) {
    return Reply::json(nlohmann::json{{"enabled", c->state.account.improvementConsent}}.dump());
  });
  r.add("PATCH", "settings/audit-improvement", [c](const DemoCall& call) {
    const auto* enabled = member(call.body, "enabled", nlohmann::json::value_t::boolean);
    if (!enabled) return failure(422, "Say whether your audits may help improve Vesk.", "invalid_choice");
    if (textMember(call.body, "policyVersion") != c->state.consentPolicyVersion)
      return failure(409, "The policy changed. Reload your settings and choose again.", "policy_changed");
    c->state.account.improvementConsent = enabled->get<bool>();
    return Reply::json(nlohmann::json{{"enabled", c->state.account.improvementConsent}}.dump());
  });
  r.add("GET", "settings/export", [c](const DemoCall&) {
    Reply reply = Reply::json(archiveOf(c->state));
    reply.contentType = "application/zip";
    return reply;
  });
  r.add("DELETE", "settings/runs", [c](const DemoCall&) {
    const auto count = static_cast<std::int64_t>(c->state.runs.size());
    c->state.runs.clear();
    c->say("cleared " + std::to_string(count) + " runs");
    return Reply::json(nlohmann::json{{"ok", true}, {"deletedRuns", count}}.dump());
  });
  r.add("DELETE", "settings/workspace", [c](const DemoCall&) {
    c->state.runs.clear();
    c->state.projects.clear();
    c->state.account.displayName = "";
    c->say("workspace deleted");
    return Reply::json(R"({"ok":true})");
  });
  r.add("POST", "billing/portal",
        [](const DemoCall&) { return Reply::json(R"({"url":"https://billing.example.com/vesk-demo"})"); });
  r.add("POST", "feedback", [c](const DemoCall& call) {
    const auto text = textMember(call.body, "body");
    if (!text || characters(trimmed(*text)) < 3 || characters(*text) > longestFeedback ||
        !textMember(call.body, "fromPath"))
      return failure(422, "Write a note of 3 to 4,000 characters.", "invalid_feedback");
    c->say("feedback from " + *textMember(call.body, "fromPath") + ": thank you");
    return Reply::json(R"({"ok":true})");
  });
}

}  // namespace vesk::demo

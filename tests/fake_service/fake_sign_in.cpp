#include "fake_service/fake_sign_in.h"

#include "core/platform/object_ptr.h"
#include "core/signin/query_items.h"
#include "core/signin/sign_in_proof.h"

#include <nlohmann/json.hpp>

namespace vesk::testing {

namespace {

std::string escaped(const std::string& text) {
  const glib::GFreePtr<char> value(g_uri_escape_string(text.c_str(), nullptr, FALSE));
  return value.get();
}

std::optional<std::string> queryValue(const RecordedRequest& request, const char* name) {
  const auto items = readQueryItems(request.query.value_or(""));
  return items ? firstValue(*items, name) : std::nullopt;
}

Reply redirect(const std::string& location) {
  Reply reply;
  reply.status = 302;
  reply.headers.emplace_back("Location", location);
  reply.contentType = "text/html";
  return reply;
}

}  // namespace

FakeSignIn::FakeSignIn(FakeService& service) {
  state_->origin = service.origin();

  service.reply("GET", "/api/desktop/connection", Reply::json(R"({"protocol":"vesk-desktop","version":1})"));

  service.on("GET", "/sign-in", [](const RecordedRequest& request) {
    const auto next = queryValue(request, "redirect_url");
    // Only a path of this service: never an address elsewhere.
    if (!next || !next->starts_with('/') || next->starts_with("//")) return Reply::error(400, "Bad redirect.");
    return redirect(*next);
  });

  service.on("GET", "/desktop/connect", [state = state_](const RecordedRequest& request) {
    SignInGrant grant;
    const auto challenge = queryValue(request, "challenge");
    const auto attempt = queryValue(request, "state");
    if (!challenge || !attempt) return Reply::error(400, "Missing challenge or state.");
    grant.challenge = *challenge;
    grant.state = *attempt;
    grant.application = queryValue(request, "app");
    grant.code = secureRandomText();
    const std::string scheme = grant.application.value_or("veskmac");
    grant.callback = scheme + "://auth/callback?state=" + escaped(grant.state) + "&iss=" + escaped(state->origin) +
                     "&code=" + grant.code;
    state->grants.push_back(grant);
    return redirect(grant.callback);
  });

  service.on("POST", "/api/desktop/token", [state = state_](const RecordedRequest& request) {
    const auto body = nlohmann::json::parse(request.body, nullptr, false);
    if (!body.is_object() || !body.contains("code") || !body["code"].is_string() || !body.contains("verifier") ||
        !body["verifier"].is_string())
      return Reply::error(400, "The sign-in request is malformed.");
    for (auto& grant : state->grants) {
      if (grant.code != body["code"].get<std::string>() || grant.redeemed) continue;
      if (challengeFor(body["verifier"].get<std::string>()) != grant.challenge) break;
      grant.redeemed = true;
      state->tokens.push_back("token-" + std::to_string(state->tokens.size() + 1));
      const nlohmann::json token = {{"access_token", state->tokens.back()}, {"expires_in", tokenLifetime}};
      return Reply::json(token.dump());
    }
    return Reply::error(400, "This sign-in code is not valid. Connect again.");
  });
}

}  // namespace vesk::testing

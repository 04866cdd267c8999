// Signing in to the demo through the browser, what the signed-in workspace finds, and
// what a call without a valid session gets.
#include "core/api/desktop_api_sentences.h"
#include "core/records/json_fields.h"
#include "demo/demo_rig.h"

#include <gtest/gtest.h>

using namespace vesk;
using namespace vesk::testing;

TEST(DemoSignIn, TheBrowserIsSentOnToTheCallbackAndTheWorkspaceLoadsTheAccount) {
  DemoRig rig;
  auto workspace = rig.signedInWorkspace();
  ASSERT_EQ(rig.h.launched.size(), 1u);
  EXPECT_TRUE(rig.h.launched[0].starts_with(rig.h.service.origin() + "/sign-in?redirect_url="));
  std::vector<std::string> visited;
  for (const auto& request : rig.h.service.requests()) visited.push_back(request.method + " " + request.path);
  const std::vector<std::string> signIn = {"GET /api/desktop/connection", "GET /sign-in", "GET /desktop/connect",
                                           "POST /api/desktop/token", "GET /api/desktop/me"};
  ASSERT_GE(visited.size(), signIn.size());
  EXPECT_EQ(std::vector<std::string>(visited.begin(), visited.begin() + 5), signIn);
  EXPECT_EQ(rig.h.keychain->load()->token, rig.demo->tokens().at(0));

  // A live account that may start both depths, a free week, and the seeded library.
  EXPECT_FALSE(*workspace->fixture);
  const Account& account = **workspace->account;
  EXPECT_EQ(account.plan, "free");
  EXPECT_EQ(account.auditBalance, 3);
  EXPECT_TRUE(account.quick && account.quick->allowed);
  EXPECT_TRUE(account.freeWeek && account.freeWeek->active);
  EXPECT_TRUE(workspace->canStartQuickRead());
  EXPECT_FALSE(workspace->error->has_value()) << workspace->error->value_or("");
  EXPECT_EQ(workspace->reports->size(), 100u) << "the library's first page";
  EXPECT_EQ(workspace->sidebarProjects->size(), 5u);
  EXPECT_EQ(*workspace->screen, Screen::input);

  // One log line per request, each with its method, path and status.
  EXPECT_EQ(rig.log.size(), rig.h.service.requests().size());
  EXPECT_EQ(rig.log[0], "GET /api/desktop/connection → 200");
  EXPECT_NE(rig.log[4].find("GET /api/desktop/me → 200 · a live account"), std::string::npos) << rig.log[4];

  // Signing out revokes the token: the service no longer knows it.
  const DesktopAPI old = *workspace->api();
  workspace->disconnect();
  ASSERT_TRUE(runUntil([&] { return !rig.h.service.requestsTo("POST", "/api/desktop/revoke").empty(); }));
  runUntil([&] { return rig.log.size() == rig.h.service.requests().size(); });
  const auto refused = rig.failure(old, "me");
  EXPECT_EQ(refused.status(), 401);
  EXPECT_EQ(refused.message(), sentences::sessionExpired);
}

TEST(DemoSignIn, ASessionFromAnEarlierStartIsNotKnown) {
  DemoRig rig;
  rig.h.storeSession(std::chrono::hours(1), "token-1");
  auto workspace = Workspace::create(rig.h.environment(), Workspace::SavedSession::restore);
  ASSERT_TRUE(runUntil([&] { return *workspace->reconnectRequired; }));
  EXPECT_FALSE(workspace->account->has_value());
  EXPECT_EQ(*workspace->accountError, std::optional<std::string>(sentences::sessionExpired));
  EXPECT_NE(rig.log.back().find("→ 401 · unknown session"), std::string::npos) << rig.log.back();
}

TEST(DemoSignIn, ThePreviewAccountIsAFixture) {
  DemoRig rig(demo::AccountKind::preview);
  const auto client = rig.signedInClient();
  auto me = rig.get(client, "me");
  JsonFields fields(me, "me");
  const auto account = fields.record<Account>("account");
  EXPECT_TRUE(fields.flag("fixture"));
  EXPECT_EQ(account.email, "newcomer@example.com");

  auto workspace = rig.signedInWorkspace();
  EXPECT_TRUE(*workspace->fixture);
  EXPECT_TRUE(workspace->reports->empty()) << "a preview account loads no library";
}

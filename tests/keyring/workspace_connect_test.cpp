// Signing in through the browser and signing out.
#include "support/workspace_harness.h"

#include <gtest/gtest.h>

using namespace std::chrono_literals;
using namespace vesk;
using namespace vesk::testing;

TEST(WorkspaceConnect, ReplacingASessionClearsOrKeepsSavedWork) {
  WorkspaceHarness h;
  auto workspace = h.signedIn();
  h.routeSignIn();
  workspace->current = savedRun("r1", "complete");
  workspace->reports = {savedRun("r1", "complete")};
  workspace->urls = "https://keep.example";
  bool clearedBeforeBrowser = false;
  h.onLaunch = [&] {
    clearedBeforeBrowser = !workspace->current->has_value() && workspace->reports->empty() &&
                           workspace->sidebarProjects->empty() && *workspace->busy;
  };
  workspace->connect(Workspace::SavedWork::discard);
  ASSERT_TRUE(runUntil([&] { return !h.launched.empty(); }));
  EXPECT_TRUE(clearedBeforeBrowser);
  EXPECT_EQ(*workspace->urls, "") << "a signed-in workspace starts a fresh input";
  // The revoke is sent beside the sign-in, so it may arrive after the browser opens.
  ASSERT_TRUE(runUntil([&] { return !h.service.requestsTo("POST", desktop("revoke")).empty(); }));
  const auto revokes = h.service.requestsTo("POST", desktop("revoke"));
  ASSERT_EQ(revokes.size(), 1u);
  EXPECT_EQ(revokes[0].body, "{}");
  EXPECT_EQ(revokes[0].header("Authorization"), "Bearer token-1");
  EXPECT_FALSE(h.keychain->load()) << "the old session is cleared before the browser opens";

  const auto before = std::chrono::system_clock::now();
  h.returnFromBrowser();
  ASSERT_TRUE(runUntil([&] { return !*workspace->busy; }));
  EXPECT_EQ(*workspace->screen, Screen::input);
  const auto stored = h.keychain->load();
  ASSERT_TRUE(stored);
  EXPECT_EQ(stored->token, "token-2");
  EXPECT_EQ(stored->origin, h.service.origin());
  EXPECT_GE(stored->expires, before + 3600s - 1s);
  EXPECT_LE(stored->expires, std::chrono::system_clock::now() + 3600s + 1s);
  EXPECT_EQ(workspace->api()->token, std::optional<std::string>("token-2"));
  EXPECT_TRUE(workspace->account->has_value());

  h.service.clearRequests();
  workspace->disconnect();
  runFor(50ms);
  const auto signOut = h.service.requestsTo("POST", desktop("revoke"));
  ASSERT_EQ(signOut.size(), 1u);
  EXPECT_EQ(signOut[0].header("Authorization"), "Bearer token-2");
  EXPECT_FALSE(h.keychain->load());
  EXPECT_FALSE(workspace->account->has_value());
  EXPECT_EQ(*workspace->screen, Screen::input);
  EXPECT_FALSE(workspace->error->has_value());
}

TEST(WorkspaceConnect, PreservingSavedWorkReturnsToTheEarlierScreen) {
  WorkspaceHarness h;
  auto workspace = h.signedIn();
  h.routeSignIn();
  workspace->current = savedRun("r1", "complete");
  workspace->reports = {savedRun("r1", "complete")};
  workspace->screen = Screen::report;
  workspace->originText = h.service.origin() + "/";
  workspace->connect(Workspace::SavedWork::preserve);
  ASSERT_TRUE(runUntil([&] { return !h.launched.empty(); }));
  EXPECT_TRUE(workspace->current->has_value());
  h.returnFromBrowser();
  ASSERT_TRUE(runUntil([&] { return !*workspace->busy; }));
  EXPECT_EQ(*workspace->screen, Screen::report);
  EXPECT_EQ(*workspace->originText, h.service.origin()) << "stored without the trailing slash";
  EXPECT_EQ(h.keychain->load()->origin, h.service.origin());
}

TEST(WorkspaceConnect, ATokenAfterSignOutIsDropped) {
  WorkspaceHarness h;
  h.routeAccount();
  h.routeSignIn();
  Reply slowToken = Reply::json(R"({"access_token":"late","expires_in":60})");
  slowToken.delay = 100ms;
  h.service.reply("POST", desktop("token"), slowToken);
  auto workspace = Workspace::create(h.environment(), Workspace::SavedSession::ignore);
  workspace->urls = "https://kept.example";
  workspace->connect(Workspace::SavedWork::discard);
  EXPECT_EQ(*workspace->urls, "https://kept.example") << "a signed-out input is kept";
  ASSERT_TRUE(runUntil([&] { return !h.launched.empty(); }));
  h.returnFromBrowser();
  ASSERT_TRUE(runUntil([&] { return h.service.requestsTo("POST", desktop("token")).size() == 1; }));
  workspace->disconnect();
  runFor(200ms);
  EXPECT_FALSE(h.keychain->load());
  EXPECT_FALSE(*workspace->busy);
  EXPECT_FALSE(workspace->api()->token);

  workspace->originText = "not an origin";
  workspace->connect(Workspace::SavedWork::discard);
  EXPECT_EQ(*workspace->error, std::optional<std::string>("Use an https origin, or localhost for local development."));
}

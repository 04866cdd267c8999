// The sidebar's model over a real workspace: its rows and their gates, the footer's
// texts, and the account menu's pages and billing request against the fake service.
#include "core/sidebar/sidebar_model.h"
#include "support/workspace_harness.h"

#include <glib.h>
#include <gtest/gtest.h>

using namespace std::chrono_literals;
using namespace vesk;
using namespace vesk::testing;

namespace {

constexpr const char* builtIn = "https://built-in.example";

// Runs what the main loop has ready, the model's flush among it.
void nextTurn() {
  for (int i = 0; i < 100 && g_main_context_pending(nullptr); ++i) g_main_context_iteration(nullptr, FALSE);
}

struct Sidebar {
  std::shared_ptr<Workspace> workspace;
  std::vector<std::string> opened;
  std::unique_ptr<SidebarModel> model;

  explicit Sidebar(std::shared_ptr<Workspace> w) : workspace(std::move(w)) {
    model = std::make_unique<SidebarModel>(
        workspace, [this](const std::string& address) { opened.push_back(address); }, builtIn);
  }
  const SidebarModel::State& state() {
    nextTurn();
    return model->state();
  }
};

SavedAudit run(std::string id, std::string projectID, std::string status = "complete",
               std::optional<std::string> createdAt = "2026-02-01T09:00:00Z") {
  return SavedAudit(std::move(id), std::move(projectID), "Project", std::move(status), "", "quick", std::nullopt,
                    std::move(createdAt));
}

nlohmann::json freeAccount() {
  auto account = accountJson(0);
  account["plan"] = "free";
  return account;
}

}  // namespace

TEST(SidebarModel, RowsFollowTheWorkspaceAndOnlyTheOpenRunStaysReachableBehindTheGate) {
  WorkspaceHarness h;
  Sidebar sidebar(Workspace::create(h.environment(), Workspace::SavedSession::ignore));
  auto& w = *sidebar.workspace;
  w.sidebarProjects.set({LibraryProject("a", "Alpha"), LibraryProject("b", "Beta")});
  w.reports.set({run("r1", "a"), run("r2", "b"), run("r3", "b", "failed", std::nullopt)});
  auto state = sidebar.state();
  ASSERT_EQ(state.rows.size(), 2u);
  EXPECT_FALSE(state.showsMore);
  ASSERT_EQ(state.rows[1].runs.size(), 2u);
  EXPECT_EQ(state.rows[1].runs[0].title, "Quick read \u00B7 2026-02-01");
  EXPECT_EQ(state.rows[1].runs[1].title, "Quick read \u00B7 failed");

  // A row click opens the library on its project.
  sidebar.model->openProject("b");
  EXPECT_EQ(*w.screen, Screen::library);
  EXPECT_EQ(*w.libraryProjectID, "b");
  state = sidebar.state();
  EXPECT_FALSE(state.rows[0].active);
  EXPECT_TRUE(state.rows[1].active);
  sidebar.model->openMore();
  EXPECT_EQ(*w.libraryProjectID, std::nullopt);
  EXPECT_EQ(*w.screen, Screen::library);

  // Discovery of a run in project b shuts the gate: only b's row and that run stay enabled.
  w.screen = Screen::discovery;
  w.current = run("r2", "b", "discovery");
  w.busy = true;
  state = sidebar.state();
  EXPECT_FALSE(state.canNavigate);
  EXPECT_FALSE(state.rows[0].enabled);
  EXPECT_FALSE(state.rows[0].runs[0].enabled);
  EXPECT_TRUE(state.rows[1].enabled);
  EXPECT_TRUE(state.rows[1].runs[0].enabled);
  EXPECT_FALSE(state.rows[1].runs[1].enabled);
  sidebar.model->openProject("b");
  EXPECT_EQ(*w.screen, Screen::discovery) << "the enabled row changes nothing while the gate is shut";
  sidebar.model->openMore();
  sidebar.model->openSettings();
  EXPECT_EQ(*w.screen, Screen::discovery);

  // A live run being watched opens the gate again.
  w.current = run("r2", "b", "running");
  state = sidebar.state();
  EXPECT_TRUE(state.rows[0].enabled);
  EXPECT_TRUE(state.rows[0].runs[0].enabled);
  w.busy = false;

  // The local preview lists the saved runs' projects instead.
  w.fixture = true;
  state = sidebar.state();
  ASSERT_EQ(state.rows.size(), 2u);
  EXPECT_EQ(state.rows[1].values.accessibleLabel, "Project \u2014 Quick read");
  EXPECT_EQ(state.face, SidebarFooterFace::offer);
}

TEST(SidebarModel, TheFooterFollowsTheSessionAndTheMenuOpensThePublicPages) {
  WorkspaceHarness h;
  Sidebar sidebar(h.signedIn(false, freeAccount()));
  auto state = sidebar.state();
  EXPECT_EQ(state.face, SidebarFooterFace::summary);
  EXPECT_EQ(state.accountName, "ada@example.com");
  EXPECT_EQ(state.pricingLabel, "See prices");
  EXPECT_EQ(state.signInTitle, "Sign in");

  sidebar.model->setShowingAccountMenu(true);
  EXPECT_TRUE(sidebar.state().showingAccountMenu);
  sidebar.model->choosePricing();
  EXPECT_FALSE(sidebar.state().showingAccountMenu) << "the menu closes before the page opens";
  sidebar.model->toggleAccountMenu();
  sidebar.model->chooseAbout();
  EXPECT_FALSE(sidebar.state().showingAccountMenu);
  EXPECT_EQ(sidebar.opened, (std::vector<std::string>{h.service.origin() + "/pricing", h.service.origin() + "/"}));
  EXPECT_TRUE(h.service.requestsTo("POST", desktop("billing/portal")).empty());

  // A failed reload offers "Try again"; a rejected session "Reconnect".
  h.service.reply("GET", desktop("me"), Reply::error(500, "Down."));
  sidebar.model->retryAccount();
  ASSERT_TRUE(
      runUntil([&] { return !*sidebar.workspace->accountLoading && sidebar.workspace->accountError->has_value(); }));
  EXPECT_EQ(h.service.requestsTo("GET", desktop("me")).size(), 1u);
  sidebar.workspace->account = std::nullopt;
  EXPECT_EQ(sidebar.state().face, SidebarFooterFace::failed);
  EXPECT_EQ(sidebar.state().retryTitle, "Try again");
  sidebar.workspace->reconnectRequired = true;
  EXPECT_EQ(sidebar.state().retryTitle, "Reconnect");

  // Signed out, the offer card returns and About falls back to the built-in origin only
  // without a client (the workspace's origin stays its client's).
  sidebar.workspace->disconnect();
  EXPECT_EQ(sidebar.state().face, SidebarFooterFace::offer);
  sidebar.workspace->originText = "";
  sidebar.model->chooseAbout();
  EXPECT_EQ(sidebar.opened.back(), std::string(builtIn) + "/");
}

TEST(SidebarModel, APaidAccountsPricingItemOpensTheBillingPortal) {
  WorkspaceHarness h;
  Sidebar sidebar(h.signedIn());
  Reply portal = Reply::json(R"({"url":"https://billing.example.com/s/1","x":1})");
  portal.delay = 100ms;
  h.service.reply("POST", desktop("billing/portal"), portal);
  EXPECT_EQ(sidebar.state().pricingLabel, "Manage billing");
  sidebar.model->setShowingAccountMenu(true);
  sidebar.model->choosePricing();
  auto state = sidebar.state();
  EXPECT_TRUE(state.billingLoading);
  EXPECT_EQ(state.pricingLabel, "Opening billing\u2026");
  EXPECT_TRUE(state.showingAccountMenu) << "the menu stays open while the request runs";
  sidebar.model->choosePricing();  // ignored: one request at a time
  ASSERT_TRUE(runUntil([&] { return !sidebar.state().billingLoading; }));

  const auto sent = h.service.requestsTo("POST", desktop("billing/portal"));
  ASSERT_EQ(sent.size(), 1u);
  EXPECT_EQ(nlohmann::json::parse(sent[0].body), nlohmann::json::object());
  EXPECT_EQ(sent[0].header("Authorization"), "Bearer token-1");
  EXPECT_EQ(sidebar.opened, (std::vector<std::string>{"https://billing.example.com/s/1"}));
  state = sidebar.state();
  EXPECT_FALSE(state.showingAccountMenu);
  EXPECT_EQ(state.billingError, std::nullopt);
  EXPECT_EQ(state.pricingLabel, "Manage billing");
}

TEST(SidebarModel, BillingFailuresShowOneSentenceUnlessTheConnectionChanged) {
  WorkspaceHarness h;
  Sidebar sidebar(h.signedIn());
  sidebar.model->setShowingAccountMenu(true);
  const auto attempt = [&](Reply reply) {
    reply.delay = 100ms;  // long enough to see the request in flight
    h.service.reply("POST", desktop("billing/portal"), std::move(reply));
    sidebar.model->choosePricing();
    EXPECT_TRUE(sidebar.state().billingLoading);
    EXPECT_EQ(sidebar.state().billingError, std::nullopt) << "a new request clears the old failure";
    EXPECT_TRUE(runUntil([&] { return !sidebar.state().billingLoading; }));
    return sidebar.state().billingError;
  };
  for (const char* url : {"http://billing.example.com/x", "https://u:p@h/x", "HTTPS://h/x", "not a url"})
    EXPECT_EQ(attempt(Reply::json(nlohmann::json{{"url", url}}.dump())), SidebarModel::billingFailure) << url;
  EXPECT_EQ(attempt(Reply::json(R"({"link":"https://h/x"})")), SidebarModel::billingFailure);
  EXPECT_EQ(attempt(Reply::error(502, "Stripe is down.")), SidebarModel::billingFailure);
  EXPECT_TRUE(sidebar.opened.empty());
  EXPECT_TRUE(sidebar.state().showingAccountMenu);
  EXPECT_EQ(sidebar.state().pricingLabel, "Manage billing") << "the item is enabled again";

  // Signing out while the request waits: nothing opens and no failure shows.
  Reply late = Reply::json(R"({"url":"https://billing.example.com/late"})");
  late.delay = 300ms;
  h.service.reply("POST", desktop("billing/portal"), late);
  sidebar.model->choosePricing();
  ASSERT_TRUE(runUntil([&] { return h.service.requestsTo("POST", desktop("billing/portal")).size() == 7; }));
  sidebar.workspace->disconnect();
  ASSERT_TRUE(runUntil([&] { return !sidebar.state().billingLoading; }));
  EXPECT_TRUE(sidebar.opened.empty());
  EXPECT_EQ(sidebar.state().billingError, std::nullopt);

  // Without a session nothing is sent.
  sidebar.model->openBilling();
  EXPECT_FALSE(sidebar.state().billingLoading);
}

TEST(SidebarModel, ARequestInFlightDiesWithTheModel) {
  WorkspaceHarness h;
  Sidebar sidebar(h.signedIn());
  Reply held = Reply::json(R"({"url":"https://billing.example.com/s/1"})");
  held.stall = true;
  h.service.reply("POST", desktop("billing/portal"), held);
  sidebar.model->choosePricing();
  ASSERT_TRUE(runUntil([&] { return h.service.stalledCount() == 1; }));
  EXPECT_EQ(sidebar.model->runningTasks(), 1u);
  sidebar.model.reset();
  h.service.releaseStalled();
  runFor(100ms);
  EXPECT_TRUE(sidebar.opened.empty());
}

// The workspace's start-up, account loading and navigation against the fake service and
// a real keyring.
#include "support/workspace_harness.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using namespace std::chrono_literals;
using namespace vesk;
using namespace vesk::testing;

namespace {

// The saved-run list file's bytes for `runs`.
std::string listJson(const std::vector<SavedAudit>& runs) {
  nlohmann::json list = nlohmann::json::array();
  for (const auto& run : runs) list.push_back(run.toJson());
  return list.dump();
}

std::vector<std::string> paths(const FakeService& service) {
  std::vector<std::string> seen;
  for (const auto& request : service.requests()) seen.push_back(request.method + " " + request.path);
  return seen;
}

}  // namespace

TEST(WorkspaceStartUp, RestoresOnlyAnUnexpiredSessionOfTheSameOrigin) {
  {
    WorkspaceHarness h;
    h.routeAccount();
    h.storeSession(0s);
    auto workspace = Workspace::create(h.environment(), Workspace::SavedSession::restore);
    ASSERT_TRUE(runUntil([&] { return !*workspace->accountLoading; }));
    runFor(50ms);
    EXPECT_TRUE(h.service.requests().empty()) << "a session expiring now is ignored";
    EXPECT_FALSE(workspace->api()->token);
  }
  {
    WorkspaceHarness h;
    h.routeAccount();
    h.storeSession(2s);
    auto workspace = Workspace::create(h.environment(), Workspace::SavedSession::restore);
    // The keyring is read off the main loop: the session is not known yet, but the
    // account counts as loading from the start.
    EXPECT_TRUE(*workspace->accountLoading);
    EXPECT_FALSE(workspace->api()->token);
    EXPECT_TRUE(workspace->hasAccountSession());
    ASSERT_TRUE(runUntil([&] { return h.service.requests().size() == 3 && !*workspace->accountLoading; }));
    EXPECT_EQ(paths(h.service), (std::vector<std::string>{"GET /api/desktop/me", "GET /api/desktop/library",
                                                          "GET /api/desktop/projects"}));
    EXPECT_EQ(h.service.requests()[0].header("Authorization"), "Bearer token-1");
    EXPECT_TRUE(workspace->account->has_value());
  }
  {
    WorkspaceHarness h;
    h.routeAccount();
    h.storeSession(1h, "token-1", "https://elsewhere.example");
    auto workspace = Workspace::create(h.environment(), Workspace::SavedSession::restore);
    ASSERT_TRUE(runUntil([&] { return !*workspace->accountLoading; }));
    runFor(50ms);
    EXPECT_TRUE(h.service.requests().empty());
    EXPECT_TRUE(h.keychain->load().has_value()) << "a session of another origin stays stored";
  }
  {
    // The same origin with a trailing "/" still restores.
    WorkspaceHarness h;
    h.routeAccount();
    h.storeSession(1h, "token-1", h.service.origin() + "/");
    auto workspace = Workspace::create(h.environment(), Workspace::SavedSession::restore);
    EXPECT_TRUE(runUntil([&] { return workspace->account->has_value(); }));
  }
}

TEST(WorkspaceStartUp, SigningInOrOutBeforeTheKeyringAnswersWins) {
  {
    // A sign-out while the saved session is being read: the session is not restored.
    WorkspaceHarness h;
    h.routeAccount();
    h.storeSession();
    auto workspace = Workspace::create(h.environment(), Workspace::SavedSession::restore);
    workspace->disconnect();
    EXPECT_FALSE(*workspace->accountLoading);
    runFor(300ms);
    EXPECT_TRUE(h.service.requestsTo("GET", desktop("me")).empty());
    EXPECT_FALSE(workspace->api()->token);
    EXPECT_FALSE(*workspace->accountLoading);
  }
  {
    // A sign-in started meanwhile keeps its own session.
    WorkspaceHarness h;
    h.routeAccount();
    h.routeSignIn("token-2");
    h.storeSession();
    auto workspace = Workspace::create(h.environment(), Workspace::SavedSession::restore);
    workspace->connect(Workspace::SavedWork::preserve);
    ASSERT_TRUE(runUntil([&] { return !h.launched.empty(); }));
    h.returnFromBrowser();
    ASSERT_TRUE(runUntil([&] { return !*workspace->busy && workspace->account->has_value(); }));
    runFor(100ms);
    EXPECT_EQ(workspace->api()->token, std::optional<std::string>("token-2"));
    for (const auto& request : h.service.requestsTo("GET", desktop("me")))
      EXPECT_EQ(request.header("Authorization"), "Bearer token-2");
  }
}

TEST(WorkspaceStartUp, ApiCarriesTheTokenOnlyForTheConnectedOrigin) {
  WorkspaceHarness h;
  auto workspace = h.signedIn();
  ASSERT_TRUE(workspace->api());
  EXPECT_EQ(workspace->api()->token, std::optional<std::string>("token-1"));
  workspace->originText = h.service.origin() + "/";
  ASSERT_TRUE(workspace->api());
  EXPECT_FALSE(workspace->api()->token) << "another origin text gets no token";
  workspace->originText = "http://localhost:1";
  ASSERT_TRUE(workspace->api());
  EXPECT_FALSE(workspace->api()->token);
  workspace->originText = "ftp://example.com";
  EXPECT_FALSE(workspace->api());
}

TEST(WorkspaceAccount, FailuresOfTheThreeLoads) {
  {
    WorkspaceHarness h;
    auto workspace = h.signedIn();
    h.service.reply("GET", desktop("me"), Reply::error(401, "nope"));
    runTask(workspace->refreshAccount());
    EXPECT_TRUE(*workspace->reconnectRequired);
    EXPECT_EQ(
        *workspace->error,
        std::optional<std::string>("Your session expired. Reconnect in the browser; your saved work is still there."));
    EXPECT_EQ(*workspace->accountError, *workspace->error);
    EXPECT_TRUE(workspace->account->has_value()) << "the account stays on screen";
    EXPECT_FALSE(*workspace->accountLoading);
  }
  {
    WorkspaceHarness h;
    auto workspace = h.signedIn();
    h.service.reply("GET", desktop("library"), Reply::error(401, "nope"));
    runTask(workspace->refreshAccount());
    EXPECT_FALSE(*workspace->reconnectRequired);
    EXPECT_TRUE(workspace->error->has_value());
    EXPECT_FALSE(workspace->accountError->has_value());
  }
  {
    WorkspaceHarness h;
    auto workspace = h.signedIn(true);
    EXPECT_TRUE(*workspace->fixture);
    runTask(workspace->refreshAccount());
    EXPECT_EQ(paths(h.service), std::vector<std::string>{"GET /api/desktop/me"}) << "a fixture loads no lists";
  }
  {
    WorkspaceHarness h;
    auto workspace = h.signedIn();
    h.service.reply("GET", desktop("me"), Reply::json(R"({"account":)" + accountJson().dump() + "}"));
    runTask(workspace->refreshAccount());
    EXPECT_EQ(*workspace->accountError, std::optional<std::string>("Vesk returned an unreadable response."));
  }
}

TEST(WorkspaceAccount, NavigationDuringTheAccountLoadDoesNotLoseIt) {
  WorkspaceHarness h;
  h.routeAccount();
  Reply slowMe = meReply();
  slowMe.delay = 150ms;
  h.service.reply("GET", desktop("me"), slowMe);
  h.storeSession();
  auto workspace = Workspace::create(h.environment(), Workspace::SavedSession::restore);
  runFor(20ms);
  workspace->newAudit();
  ASSERT_TRUE(runUntil([&] { return h.service.requestsTo("GET", desktop("projects")).size() == 1; }));
  runFor(20ms);
  EXPECT_TRUE(workspace->account->has_value());
  EXPECT_FALSE(*workspace->accountLoading);
}

TEST(WorkspaceNavigation, TheGateAndNewAudit) {
  WorkspaceHarness h;
  auto workspace = h.signedIn();
  EXPECT_TRUE(workspace->canNavigateToAnotherRun()) << "idle, no open run";
  workspace->busy = true;
  EXPECT_FALSE(workspace->canNavigateToAnotherRun()) << "busy, no open run";
  workspace->current = savedRun("r1", "running");
  EXPECT_TRUE(workspace->canNavigateToAnotherRun()) << "busy with a live running run";
  workspace->current = savedRun("r1", "discovery");
  EXPECT_FALSE(workspace->canNavigateToAnotherRun());
  workspace->current = savedRun("r1", "running");
  workspace->fixture = true;
  EXPECT_FALSE(workspace->canNavigateToAnotherRun()) << "busy in a local preview";
  workspace->fixture = false;

  workspace->reportMutationInFlight = true;
  workspace->error = std::string("keep me");
  workspace->urls = "https://a.com";
  workspace->newAudit();
  EXPECT_EQ(*workspace->urls, "https://a.com") << "a report change blocks newAudit";
  EXPECT_EQ(*workspace->error, std::optional<std::string>("keep me"));
  workspace->reportMutationInFlight = false;

  const auto draft = *workspace->draftID;
  workspace->auditMode = "full";
  workspace->newAudit();
  EXPECT_EQ(*workspace->screen, Screen::input);
  EXPECT_FALSE(*workspace->busy);
  EXPECT_FALSE(workspace->current->has_value());
  EXPECT_EQ(*workspace->urls, "");
  EXPECT_EQ(*workspace->auditMode, "quick");
  EXPECT_NE(*workspace->draftID, draft);
  EXPECT_FALSE(workspace->error->has_value());
  EXPECT_TRUE(workspace->account->has_value()) << "the session is untouched";
}

TEST(WorkspaceSavedRuns, RememberWritesTheListAtomically) {
  WorkspaceHarness h;
  auto workspace = h.signedIn();
  workspace->reports = {savedRun("a", "complete"), savedRun("b", "complete"), savedRun("a", "running")};
  workspace->current = savedRun("a", "failed");
  workspace->acceptReport(savedRun("a", "complete"));
  ASSERT_EQ(workspace->reports->size(), 2u);
  EXPECT_EQ(workspace->reports->front(), savedRun("a", "complete"));
  ASSERT_TRUE(runUntil([&] { return workspace->savedRunWriter().isIdle(); }));
  EXPECT_EQ(h.readFile("live-reports.json"), listJson(*workspace->reports));
  EXPECT_EQ(std::filesystem::status(h.folder).permissions() & std::filesystem::perms::all,
            std::filesystem::perms::owner_all);
  EXPECT_EQ(std::filesystem::status(h.folder + "/live-reports.json").permissions() & std::filesystem::perms::all,
            std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(h.folder), {}), 1) << "no temporary file left";

  const auto live = h.readFile("live-reports.json");
  workspace->fixture = true;
  workspace->acceptReportOutput("# New", "a");
  ASSERT_TRUE(runUntil([&] { return workspace->savedRunWriter().isIdle(); }));
  EXPECT_TRUE(h.fileExists("sample-reports.json"));
  EXPECT_EQ(h.readFile("live-reports.json"), live);
  EXPECT_EQ(workspace->reports->front().output, "# New");

  workspace->acceptReportOutput("# Other", "not-open");
  EXPECT_EQ(workspace->reports->front().output, "# New");

  workspace->screen = Screen::report;
  workspace->forgetReport("b");
  EXPECT_EQ(*workspace->screen, Screen::report);
  workspace->forgetReport("a");
  EXPECT_TRUE(workspace->reports->empty());
  EXPECT_EQ(*workspace->screen, Screen::library);

  // The open run moves first, the others keep their order, and only a change is told.
  workspace->reports = {savedRun("a", "complete"), savedRun("b", "complete"), savedRun("c", "complete")};
  int changes = 0;
  auto counting = workspace->reports.signalChanged().connect([&] { ++changes; });
  workspace->current = savedRun("c", "complete");
  workspace->acceptReport(savedRun("c", "complete"));
  const auto ids = [&] {
    std::vector<std::string> list;
    for (const auto& run : *workspace->reports) list.push_back(run.id);
    return list;
  };
  EXPECT_EQ(ids(), (std::vector<std::string>{"c", "a", "b"}));
  EXPECT_EQ(changes, 1);
  workspace->acceptReport(savedRun("c", "complete"));
  workspace->forgetReport("not-listed");
  EXPECT_EQ(changes, 1) << "the same run again, and a run not listed, change nothing";
  workspace->acceptReportOutput("# Newer", "c");
  EXPECT_EQ(changes, 2);
  EXPECT_EQ(workspace->reports->front().output, "# Newer");
  EXPECT_EQ(ids(), (std::vector<std::string>{"c", "a", "b"}));
  ASSERT_TRUE(runUntil([&] { return workspace->savedRunWriter().isIdle(); }));
  EXPECT_EQ(h.readFile("sample-reports.json"), listJson(*workspace->reports)) << "the change is written";
  counting.disconnect();
}

TEST(WorkspaceSavedRuns, AFailedWriteIsReportedAndKeepsTheList) {
  WorkspaceHarness h;
  auto workspace = Workspace::create(h.environment(), Workspace::SavedSession::ignore);
  std::filesystem::create_directories(std::filesystem::path(h.folder).parent_path());
  std::ofstream(h.folder) << "a file where the folder should be";
  workspace->reports = {savedRun("a", "complete")};
  workspace->current = savedRun("b", "complete");
  workspace->acceptReport(savedRun("b", "complete"));
  ASSERT_TRUE(runUntil([&] { return workspace->error->has_value(); }));
  EXPECT_EQ(workspace->error->value().rfind("The local copy could not be saved. ", 0), 0u) << **workspace->error;
  EXPECT_EQ(workspace->reports->size(), 2u);
}

TEST(WorkspaceSavedRuns, ALibraryLoadWritesTheListOnlyWhenItChanged) {
  WorkspaceHarness h;
  auto workspace = h.signedIn();
  const auto library = [](const std::string& status) {
    return Reply::json(nlohmann::json{{"runs", {savedRunJson("a", "complete"), savedRunJson("b", status)}}}.dump());
  };
  h.service.reply("GET", desktop("library"), library("running"));
  runTask(workspace->refreshLibrary());
  ASSERT_TRUE(runUntil([&] { return workspace->savedRunWriter().isIdle(); }));
  ASSERT_EQ(workspace->reports->size(), 2u);
  EXPECT_EQ(h.readFile("live-reports.json"), listJson(*workspace->reports));

  // Marked behind the workspace's back: a write of the same list would replace the mark.
  std::ofstream(h.folder + "/live-reports.json", std::ios::trunc) << "mark";
  runTask(workspace->refreshLibrary());
  ASSERT_TRUE(runUntil([&] { return workspace->savedRunWriter().isIdle(); }));
  EXPECT_EQ(h.readFile("live-reports.json"), "mark") << "an unchanged library is not written again";

  h.service.reply("GET", desktop("library"), library("complete"));
  runTask(workspace->refreshLibrary());
  ASSERT_TRUE(runUntil([&] { return workspace->savedRunWriter().isIdle(); }));
  EXPECT_EQ(h.readFile("live-reports.json"), listJson(*workspace->reports));
  EXPECT_EQ(workspace->reports->back().status, "complete");
  EXPECT_FALSE(workspace->error->has_value());
}

TEST(WorkspaceSavedRuns, ABurstOfChangesLeavesTheLastListOnDisk) {
  WorkspaceHarness h;
  auto workspace = h.signedIn();
  workspace->current = savedRun("a", "complete");
  // Each change is smaller than the one before, so an earlier, larger write that landed
  // late would be the one left on disk.
  for (int change = 60; change >= 0; --change)
    workspace->acceptReportOutput(std::string(static_cast<std::size_t>(change) * 40000, 'x'), "a");
  ASSERT_TRUE(runUntil([&] { return workspace->savedRunWriter().isIdle(); }));
  EXPECT_EQ((*workspace->current)->output, "");
  EXPECT_EQ(h.readFile("live-reports.json"), listJson(*workspace->reports));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(h.folder), {}), 1) << "no temporary file left";
}

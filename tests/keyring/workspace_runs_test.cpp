// Starting an answered run, watching it, reconciling it, retrying, and the local preview.
#include "support/workspace_harness.h"

#include <gtest/gtest.h>

using namespace std::chrono_literals;
using namespace vesk;
using namespace vesk::testing;

namespace {

// A workspace whose open run "r1" waits in discovery with every question answered.
std::shared_ptr<Workspace> answeredRun(WorkspaceHarness& h, const std::string& mode, bool fixture = false) {
  auto workspace = h.signedIn(fixture);
  auto run = savedRun("r1", "discovery", mode, fixture);
  workspace->current = run;
  workspace->questions = {DiscoveryQuestion("Q1", {"A", "B"}), DiscoveryQuestion("Q2", {"C"})};
  workspace->select("A", "Q1", 0);
  workspace->select("C", "Q2", 1);
  workspace->screen = Screen::discovery;
  return workspace;
}

std::string runsPath(const std::string& rest = "") { return desktop("runs/r1" + rest); }

}  // namespace

TEST(WorkspaceRuns, HandingOverChecksModeConfirmationAndAnswers) {
  WorkspaceHarness h;
  auto workspace = answeredRun(h, "full");
  workspace->runQuickRead();
  EXPECT_EQ(*workspace->screen, Screen::discovery) << "a quick read of a full audit does nothing";
  workspace->start();
  EXPECT_EQ(*workspace->screen, Screen::discovery) << "not confirmed";
  workspace->select("C", "Q2", 1);  // unanswer Q2
  workspace->confirmed = true;
  workspace->error = std::string("stays");
  workspace->start();
  EXPECT_EQ(*workspace->screen, Screen::discovery);
  EXPECT_EQ(*workspace->error, std::optional<std::string>("stays"));
  runFor(30ms);
  EXPECT_TRUE(h.service.requests().empty());
}

TEST(WorkspaceRuns, TheWatcherReadsBeforeTheHeldContinueAndIgnoresDiscovery) {
  vesk::async::ScopedTimeScale fast(0.04);  // 2.5 s polls become 100 ms
  WorkspaceHarness h;
  auto workspace = answeredRun(h, "full");
  Reply held = Reply::json("{}");
  held.stall = true;
  h.service.reply("POST", runsPath("/continue"), held);
  h.service.reply(
      "GET", runsPath("/lenses"),
      Reply::json(R"({"phase":"writing","total":8,"done":3,"lenses":[{"id":"a","name":"A","status":"complete"}]})"));
  h.service.replies("GET", runsPath(), {Reply::json(runJson("r1", "discovery", "full").dump())});
  workspace->confirmed = true;
  workspace->start();
  EXPECT_EQ(*workspace->screen, Screen::progress);
  EXPECT_EQ((*workspace->current)->status, "running");
  EXPECT_EQ(workspace->reports->front().status, "running");
  ASSERT_TRUE(runUntil([&] { return h.service.requestsTo("GET", runsPath()).size() >= 2; }));
  EXPECT_EQ(h.service.stalledCount(), 1u) << "the continue request is still held";
  EXPECT_EQ((*workspace->current)->status, "running") << "a discovery read during the continue changes nothing";
  EXPECT_EQ(*workspace->screen, Screen::progress);
  ASSERT_TRUE(workspace->liveProgress->has_value());
  EXPECT_EQ((*workspace->liveProgress)->phrase(), "Checking evidence and assembling your report");

  // A full audit reads the lenses, then the run, each pass.
  std::vector<std::string> order;
  for (const auto& r : h.service.requests())
    if (r.method == "GET") order.push_back(r.path);
  ASSERT_GE(order.size(), 4u);
  EXPECT_EQ(order[0], runsPath("/lenses"));
  EXPECT_EQ(order[1], runsPath());
  EXPECT_EQ(order[2], runsPath("/lenses"));

  const auto continueBody = nlohmann::json::parse(h.service.requestsTo("POST", runsPath("/continue"))[0].body);
  EXPECT_EQ(continueBody, nlohmann::json::parse(
                              R"({"answers":[{"question":"Q1","answer":["A"]},{"question":"Q2","answer":["C"]}]})"));

  h.service.reply("GET", runsPath(), Reply::json(runJson("r1", "complete", "full", "# Final").dump()));
  h.service.releaseStalled();
  ASSERT_TRUE(runUntil([&] { return *workspace->screen == Screen::report && !*workspace->busy; }));
  EXPECT_EQ((*workspace->current)->output, "# Final");
  EXPECT_EQ(h.service.requestsTo("POST", runsPath("/continue")).size(), 1u);
}

TEST(WorkspaceRuns, AFailedContinueIsNeverSentAgainAndPollsKeepTheirPace) {
  vesk::async::ScopedTimeScale fast(0.04);
  WorkspaceHarness h;
  auto workspace = answeredRun(h, "quick");
  Reply dropped;
  dropped.drop = true;
  h.service.reply("POST", runsPath("/continue"), dropped);
  Reply slowRunning = Reply::json(runJson("r1", "running").dump());
  slowRunning.delay = 60ms;
  h.service.reply("GET", runsPath(), slowRunning);
  workspace->runQuickRead();
  ASSERT_TRUE(runUntil([&] { return !*workspace->busy; }));
  EXPECT_EQ(*workspace->error,
            std::optional<std::string>(
                "Connection interrupted. Checking the saved audit; no second audit has been requested."));
  ASSERT_TRUE(runUntil([&] { return h.service.requestsTo("GET", runsPath()).size() >= 6; }, 5s));
  EXPECT_EQ(h.service.requestsTo("POST", runsPath("/continue")).size(), 1u);
  // Each pass waits its 100 ms (2.5 s scaled) after the 60 ms reply: starts lie about
  // 160 ms apart, never closer, and never further as failures accumulate.
  const auto reads = h.service.requestsTo("GET", runsPath());
  for (std::size_t i = reads.size() - 3; i < reads.size(); ++i) {
    const auto gap = reads[i].received - reads[i - 1].received;
    EXPECT_GE(gap, 155ms);
    EXPECT_LT(gap, 400ms);
  }
  EXPECT_TRUE(h.service.requestsTo("GET", runsPath("/lenses")).empty()) << "a quick read reads no lenses";
  EXPECT_FALSE(workspace->liveProgress->has_value());
  workspace->pauseWatching();
  EXPECT_EQ(*workspace->screen, Screen::input);
  const auto polls = h.service.requestsTo("GET", runsPath()).size();
  runFor(300ms);
  EXPECT_EQ(h.service.requestsTo("GET", runsPath()).size(), polls) << "pausing stops the watcher and sends nothing";
  EXPECT_EQ(workspace->reports->front().status, "running");
}

TEST(WorkspaceRuns, ReconcileOfFailedRunsChoosesMessageAndScreen) {
  struct Case {
    std::string mode;
    nlohmann::json extra;
    std::string output;
    Screen screen;
    std::string message;
  };
  const std::vector<Case> cases = {
      {"quick",
       {{"partial", true}},
       "# Some",
       Screen::report,
       "This quick read is incomplete. The saved text is available below. No full-audit run was used."},
      {"quick",
       {{"partial", true}},
       "",
       Screen::progress,
       "This quick read is incomplete. The saved text is available below. No full-audit run was used."},
      {"quick",
       {{"retryable", true}},
       "",
       Screen::progress,
       "This quick read could not finish. No full-audit run was used. Check saved status before starting another "
       "audit."},
      {"full",
       {{"partial", true}, {"refundConfirmed", true}},
       "# Some",
       Screen::progress,
       "This audit could not finish. The server confirmed its credit was returned."},
      {"full", nlohmann::json::object(), "", Screen::progress,
       "This audit could not finish. Credit return is not yet confirmed; check your account before starting another "
       "audit."},
  };
  for (const auto& c : cases) {
    WorkspaceHarness h;
    auto workspace = h.signedIn();
    auto reply = runJson("r1", "failed", c.mode, c.output);
    reply.update(c.extra);
    h.service.reply("GET", runsPath(), Reply::json(reply.dump()));
    workspace->openReport(savedRun("r1", "running", c.mode));
    ASSERT_TRUE(runUntil([&] { return workspace->error->has_value(); }));
    EXPECT_EQ(**workspace->error, c.message);
    EXPECT_EQ(*workspace->screen, c.screen) << c.mode << " " << c.extra.dump();
    EXPECT_EQ(*workspace->quickRetryable, c.extra.contains("retryable"));
  }
}

TEST(WorkspaceRuns, LostConnectionIsMarkedAndClearedByTheNextGoodRead) {
  vesk::async::ScopedTimeScale fast(0.04);
  WorkspaceHarness h;
  auto workspace = h.signedIn();
  Reply unavailable = Reply::json("<html>Service unavailable</html>", 503);
  unavailable.contentType = "text/html";
  h.service.replies("GET", runsPath(), {unavailable, unavailable, Reply::json(runJson("r1", "running").dump())});
  workspace->openReport(savedRun("r1", "running"));
  ASSERT_TRUE(runUntil([&] { return h.service.requestsTo("GET", runsPath()).size() == 2; }));
  runFor(10ms);
  EXPECT_TRUE(*workspace->connectionLost);
  const std::optional<std::string> couldNotConfirm(
      "Vesk could not confirm this request (503). Check saved work before starting again.");
  EXPECT_EQ(*workspace->error, couldNotConfirm);
  ASSERT_TRUE(runUntil([&] { return h.service.requestsTo("GET", runsPath()).size() == 3; }));
  runFor(10ms);
  EXPECT_FALSE(*workspace->connectionLost);
  EXPECT_EQ(*workspace->error, couldNotConfirm) << "a running read leaves the message";
  workspace->newAudit();
}

TEST(WorkspaceRuns, RetryAQuickRead) {
  WorkspaceHarness h;
  auto workspace = answeredRun(h, "quick");
  workspace->retryQuickRead();
  runFor(20ms);
  EXPECT_TRUE(h.service.requests().empty()) << "not retryable";
  auto failed = runJson("r1", "failed");
  failed["retryable"] = true;
  h.service.reply("GET", runsPath(), Reply::json(failed.dump()));
  workspace->openReport(savedRun("r1", "failed"));  // reopening keeps the answers
  ASSERT_TRUE(runUntil([&] { return *workspace->quickRetryable; })) << workspace->error->value_or("");
  h.service.reply("POST", runsPath("/continue"), Reply::json("{}"));
  h.service.reply("GET", runsPath(), Reply::json(runJson("r1", "running").dump()));
  h.service.clearRequests();
  workspace->retryQuickRead();
  EXPECT_TRUE(*workspace->busy);
  ASSERT_TRUE(runUntil([&] { return !*workspace->busy; }));
  const auto sent = h.service.requestsTo("POST", runsPath("/continue"));
  ASSERT_EQ(sent.size(), 1u);
  EXPECT_EQ(nlohmann::json::parse(sent[0].body)["retry"], true);
  runFor(100ms);
  EXPECT_EQ(h.service.requestsTo("GET", runsPath()).size(), 1u) << "the retry reconciles once and watches nothing";

  // Never for a full audit.
  auto full = **workspace->current;
  full.auditMode = "full";
  workspace->current = full;
  workspace->quickRetryable = true;
  workspace->retryQuickRead();
  EXPECT_FALSE(*workspace->busy);
}

TEST(WorkspaceRuns, NewAuditDuringALiveRunDropsTheRunStartWrites) {
  vesk::async::ScopedTimeScale fast(0.04);
  WorkspaceHarness h;
  auto workspace = answeredRun(h, "quick");
  Reply held = Reply::json("{}");
  held.stall = true;
  h.service.reply("POST", runsPath("/continue"), held);
  h.service.reply("GET", runsPath(), Reply::json(runJson("r1", "running", "quick", "# So far").dump()));
  workspace->runQuickRead();
  // newAudit() comes while the watcher sleeps between two reads, so no read of the old
  // run is on its way to the service when the count below is taken.
  ASSERT_TRUE(runUntil([&] { return h.service.stalledCount() == 1 && (*workspace->current)->output == "# So far"; }));
  workspace->urls = "https://old.example";
  workspace->newAudit();
  EXPECT_EQ(*workspace->screen, Screen::input);
  EXPECT_EQ(*workspace->urls, "");
  const auto reads = h.service.requestsTo("GET", runsPath()).size();
  h.service.reply("GET", runsPath(), Reply::json(runJson("r1", "complete", "quick", "# Done").dump()));
  h.service.releaseStalled();
  runFor(300ms);
  EXPECT_EQ(h.service.requestsTo("GET", runsPath()).size(), reads) << "no reconcile and no polling after newAudit";
  EXPECT_EQ(*workspace->screen, Screen::input);
  EXPECT_FALSE(*workspace->busy);
  EXPECT_FALSE(workspace->current->has_value());
}

TEST(WorkspaceRuns, ARunWhoseContinueWasCancelledBySigningInAgainCanBeAnsweredAgain) {
  vesk::async::ScopedTimeScale fast(0.04);
  WorkspaceHarness h;
  auto workspace = answeredRun(h, "quick");
  Reply held = Reply::json("{}");
  held.stall = true;
  h.service.reply("POST", runsPath("/continue"), held);
  h.service.reply("GET", runsPath(), Reply::json(runJson("r1", "running").dump()));
  workspace->runQuickRead();
  ASSERT_TRUE(runUntil([&] { return h.service.stalledCount() == 1; }));

  // Signing in again cancels the run-start task and its continue request with it.
  h.routeSignIn();
  workspace->connect(Workspace::SavedWork::preserve);
  ASSERT_TRUE(runUntil([&] { return !h.launched.empty(); }));
  h.returnFromBrowser();
  ASSERT_TRUE(runUntil([&] { return !*workspace->busy && workspace->account->has_value(); }));
  ASSERT_TRUE(workspace->current->has_value()) << "the open run is preserved";

  // The continue never arrived: the service still waits for the answers.
  h.service.reply("GET", runsPath(), Reply::json(runJson("r1", "discovery").dump()));
  workspace->openReport(**workspace->current);
  ASSERT_TRUE(runUntil([&] { return (*workspace->current)->status == "discovery"; }));
  EXPECT_EQ(*workspace->screen, Screen::discovery);
  EXPECT_EQ(workspace->questions->size(), 2u);
  runFor(50ms);
  const auto reads = h.service.requestsTo("GET", runsPath()).size();
  runFor(300ms);
  EXPECT_EQ(h.service.requestsTo("GET", runsPath()).size(), reads) << "a run waiting for answers is not polled";
}

TEST(WorkspacePreview, PlaysStagesAndCompletesWithoutSending) {
  vesk::async::ScopedTimeScale fast(0.05);
  WorkspaceHarness h;
  auto workspace = h.signedIn(true);
  workspace->urls = "https://doral.example";
  workspace->discover();
  ASSERT_TRUE(runUntil([&] { return *workspace->screen == Screen::discovery; }));
  ASSERT_EQ(workspace->questions->size(), 3u);
  EXPECT_EQ(workspace->questionKey(2), "2:Where would another perspective help most?");
  workspace->select("New visitors", "Who should this work speak to?", 0);
  workspace->select("Start a project", "What should someone do next?", 1);
  workspace->select("Visual craft", "Where would another perspective help most?", 2);
  std::vector<int> seen;
  workspace->progress.signalChanged().connect([&] { seen.push_back(*workspace->progress); });
  workspace->auditMode = "full";  // the open run's mode decides the stages
  EXPECT_EQ(workspace->stages().size(), 2u);
  const auto started = std::chrono::steady_clock::now();
  workspace->runQuickRead();
  workspace->screen = Screen::account;
  ASSERT_TRUE(runUntil([&] { return *workspace->screen == Screen::report; }));
  const auto took = std::chrono::steady_clock::now() - started;
  EXPECT_GE(took, 120ms) << "two stages of 1.2 s, scaled";
  EXPECT_LT(took, 600ms);
  EXPECT_EQ(seen, std::vector<int>{1});
  EXPECT_EQ((*workspace->current)->output.str().rfind("# Doral", 0), 0u);
  EXPECT_TRUE(h.fileExists("sample-reports.json"));
  EXPECT_FALSE(h.fileExists("live-reports.json"));
  EXPECT_TRUE(h.service.requests().empty());
}

TEST(WorkspacePreview, AFullAuditPlaysFiveStagesAndCompletesWithItsSample) {
  vesk::async::ScopedTimeScale fast(0.05);
  WorkspaceHarness h;
  auto workspace = answeredRun(h, "full", true);
  std::vector<int> seen{*workspace->progress};
  workspace->progress.signalChanged().connect([&] { seen.push_back(*workspace->progress); });
  workspace->confirmed = true;
  const auto started = std::chrono::steady_clock::now();
  workspace->start();
  ASSERT_TRUE(runUntil([&] { return *workspace->screen == Screen::report; }));
  const auto took = std::chrono::steady_clock::now() - started;
  EXPECT_GE(took, 300ms) << "five stages of 1.2 s, scaled";
  EXPECT_LT(took, 900ms);
  EXPECT_EQ(seen, (std::vector<int>{0, 1, 2, 3, 4}));
  EXPECT_EQ((*workspace->current)->output.str().rfind("# Doral\n\nA fictional product · Full audit · Sample report", 0),
            0u);
  EXPECT_FALSE(*workspace->busy);
  EXPECT_TRUE(h.service.requests().empty());
}

TEST(WorkspacePreview, HoldsOnALostConnectionAndCanBeCancelled) {
  vesk::async::ScopedTimeScale fast(0.05);
  WorkspaceHarness h;
  auto workspace = answeredRun(h, "full", true);
  workspace->confirmed = true;
  workspace->start();
  EXPECT_EQ(workspace->stages().size(), 5u);
  ASSERT_TRUE(runUntil([&] { return *workspace->progress == 2; }));
  workspace->connectionLost = true;
  runFor(300ms);
  EXPECT_EQ(*workspace->progress, 2) << "held after the stage while the connection is lost";
  workspace->connectionLost = false;
  ASSERT_TRUE(runUntil([&] { return *workspace->progress == 3; }));
  workspace->pauseWatching();
  EXPECT_EQ(workspace->reports->front().status, "cancelled");
  EXPECT_FALSE(*workspace->busy);
  EXPECT_EQ(*workspace->screen, Screen::input);
  runFor(300ms);
  EXPECT_EQ(workspace->reports->front().status, "cancelled") << "no later write from the preview";
  EXPECT_TRUE(h.service.requests().empty());
}

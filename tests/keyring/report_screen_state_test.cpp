// The report screen's binding to the workspace: the share command, created runs, the
// comparison re-audit, the in-flight flag, a text the page saved and a deletion.
#include "core/report/report_screen_state.h"
#include "support/report_harness.h"
#include "support/workspace_harness.h"

#include <gtest/gtest.h>

using namespace vesk;
using namespace vesk::testing;

namespace {

class ReportScreen : public ::testing::Test {
 protected:
  void SetUp() override {
    workspace = h.signedIn();
    const auto run = savedRun("R", "complete", "full");
    h.service.reply("GET", desktop("runs/R"), Reply::json(runJson("R", "complete", "full", "# Report R").dump()));
    h.service.reply("GET", desktop("runs/R/share"), Reply::json(R"({"slug":"s1"})"));
    workspace->openReport(run);
    // The reconcile of a finished run reloads the account, library and projects; a library
    // reply landing later would replace the saved-run list under the test.
    ASSERT_TRUE(runUntil([&] { return h.service.requestsTo("GET", desktop("projects")).size() == 1; }));
    runUntil([] { return false; }, std::chrono::milliseconds(50));
    ASSERT_TRUE(runUntil([&] { return settled(); }));
    screen = std::make_unique<ReportScreenState>(
        workspace, ReportState::Environment{h.dialog, std::make_shared<ClipboardRecorder>()});
    ASSERT_TRUE(runUntil([&] { return !*report().loadingDetails && settled(); }));
    h.service.clearRequests();
  }
  ReportState& report() { return screen->report(); }
  bool settled() const {
    return workspace->operationSlot().current().isDone() && workspace->watcherSlot().current().isDone();
  }

  WorkspaceHarness h;
  std::shared_ptr<Workspace> workspace;
  std::unique_ptr<ReportScreenState> screen;
};

}  // namespace

TEST_F(ReportScreen, ShareOpensOnlyWhenIdleAndTheFlagFollowsBusy) {
  EXPECT_EQ(*report().sharedSlug, std::optional<std::string>("s1"));
  report().busy = true;
  EXPECT_TRUE(*workspace->reportMutationInFlight);
  EXPECT_FALSE(workspace->canNavigateToAnotherRun());
  screen->shareRequested();
  EXPECT_FALSE(*screen->sharing) << "ignored while a change is in flight";
  report().busy = false;
  EXPECT_FALSE(*workspace->reportMutationInFlight);
  screen->shareRequested();
  EXPECT_TRUE(*screen->sharing);

  // Leaving the screen mid-change lowers the flag.
  report().busy = true;
  screen.reset();
  EXPECT_FALSE(*workspace->reportMutationInFlight);
}

TEST_F(ReportScreen, ACreatedRunOpensOnce) {
  h.service.reply("GET", desktop("runs/F"), Reply::json(runJson("F", "complete", "followup", "# Follow-up").dump()));
  h.service.reply("GET", desktop("runs/F/share"), Reply::json("{}"));
  screen->actions = true;
  screen->sharing = true;
  report().busy = true;
  auto followUp = savedRun("F", "complete", "followup");
  report().createdRun = followUp;
  EXPECT_FALSE(*screen->actions);
  EXPECT_FALSE(*screen->sharing);
  EXPECT_EQ((*workspace->current)->id, "F");
  EXPECT_EQ(*workspace->screen, Screen::report);

  // Back on R; the same created id seen again opens nothing.
  workspace->openReport(savedRun("R", "complete", "full"));
  ASSERT_EQ((*workspace->current)->id, "R");
  report().createdRun = std::nullopt;
  report().createdRun = followUp;
  EXPECT_EQ((*workspace->current)->id, "R");
}

TEST_F(ReportScreen, ReauditStartsAComparisonOnlyWhenNavigationIsAllowed) {
  const ReportBaseline baseline{"base_1", "2024-01-01T00:00:00Z", "Home"};
  // Navigation refused: the panel closes and nothing else changes.
  screen->actions = true;
  workspace->busy = true;
  workspace->projectName = std::string("Kept");
  screen->reaudit(baseline);
  EXPECT_FALSE(*screen->actions);
  EXPECT_EQ(*workspace->projectName, "Kept");
  EXPECT_FALSE(workspace->comparisonBaseline->has_value());
  EXPECT_EQ(*workspace->screen, Screen::report);
  workspace->busy = false;

  screen->actions = true;
  screen->reaudit(baseline);
  EXPECT_FALSE(*screen->actions);
  EXPECT_EQ(*workspace->screen, Screen::input);
  EXPECT_EQ(workspace->projectID(), std::optional<std::string>("project-1"));
  EXPECT_EQ(*workspace->projectName, "Doral");
  EXPECT_EQ(*workspace->auditMode, "full");
  EXPECT_EQ(*workspace->baselineRunID, std::optional<std::string>("base_1"));
  EXPECT_EQ(*workspace->comparisonBaseline, std::optional<ReportBaseline>(baseline));
}

TEST_F(ReportScreen, APageAnswerIsSavedWithoutReloadOrReset) {
  const auto generation = report().generation();
  screen->acceptOutput("# Answered", "R");
  EXPECT_EQ((*workspace->current)->output, "# Answered");
  EXPECT_EQ((*report().report)->output, "# Answered");
  EXPECT_EQ(report().generation(), generation) << "the same run: no reset";
  EXPECT_EQ(*report().sharedSlug, std::optional<std::string>("s1"));
  ASSERT_FALSE(workspace->reports->empty());
  EXPECT_EQ(workspace->reports->front().output, "# Answered");
  EXPECT_TRUE(runUntil([&] {
    return workspace->savedRunWriter().isIdle() &&
           h.readFile("live-reports.json").find("# Answered") != std::string::npos;
  })) << h.readFile("live-reports.json");
  runFor(std::chrono::milliseconds(50));
  EXPECT_TRUE(h.service.requestsTo("GET", desktop("runs/R")).empty()) << "no detail request";
  // A text for another run changes nothing.
  screen->acceptOutput("# Elsewhere", "other");
  EXPECT_EQ((*workspace->current)->output, "# Answered");
}

TEST_F(ReportScreen, ADeletionEndsOnTheLibrary) {
  h.service.reply("DELETE", desktop("runs/R"), Reply::json(""));
  screen->actions = true;
  report().deleteRun([&](const std::string& id) { screen->deleted(id); });
  EXPECT_TRUE(*workspace->reportMutationInFlight);
  ASSERT_TRUE(runUntil([&] { return !*report().busy; }));
  EXPECT_FALSE(*screen->actions);
  EXPECT_FALSE(workspace->current->has_value());
  EXPECT_EQ(*workspace->screen, Screen::library);
  EXPECT_FALSE(*workspace->reportMutationInFlight);
}

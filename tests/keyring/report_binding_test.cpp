// The report state bound as the report screen binds it: to the signed-in workspace's
// client, open run and sample flag, and handing a deletion back to the workspace.
#include "core/report/report_state.h"
#include "support/report_harness.h"
#include "support/workspace_harness.h"

#include <gtest/gtest.h>

using namespace vesk;
using namespace vesk::testing;

TEST(ReportBinding, FollowsTheWorkspacesOpenRunAndHandsADeletionBack) {
  WorkspaceHarness h;
  auto workspace = h.signedIn();
  const auto run = savedRun("run_7", "complete", "full");
  workspace->current = run;
  workspace->reports = std::vector<SavedAudit>{run};
  h.service.reply("GET", desktop("runs/run_7"), Reply::json(R"({"id":"run_7","output":"# From the service"})"));
  h.service.reply("GET", desktop("runs/run_7/share"), Reply::json(R"({"slug":"s1"})"));
  h.service.reply("DELETE", desktop("runs/run_7"), Reply::json(""));

  ReportState state(ReportState::Environment{h.dialog, std::make_shared<ClipboardRecorder>()});
  const auto mode = *workspace->fixture ? ReportMode::localPreview : ReportMode::live;
  state.configure(workspace->api(), **workspace->current, mode);
  ASSERT_TRUE(runUntil([&] { return !*state.loadingDetails; }));
  EXPECT_EQ((*state.report)->output, "# From the service");
  EXPECT_EQ(state.shareURL(), std::optional<std::string>(h.service.origin() + "/c/s1"));
  const auto requests = h.service.requestsTo("GET", desktop("runs/run_7"));
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_EQ(requests[0].header("Authorization"), std::optional<std::string>("Bearer token-1"));

  // The screen mirrors busy into the workspace, which then keeps the run open.
  state.busy.signalChanged().connect([&] { workspace->reportMutationInFlight = *state.busy; });
  state.deleteRun([&](const std::string& id) { workspace->forgetReport(id); });
  EXPECT_TRUE(*workspace->reportMutationInFlight);
  EXPECT_FALSE(workspace->canNavigateToAnotherRun());
  ASSERT_TRUE(runUntil([&] { return !*state.busy; }));
  EXPECT_FALSE(workspace->current->has_value());
  EXPECT_TRUE(workspace->reports->empty());
  EXPECT_FALSE(*workspace->reportMutationInFlight);
}

// The road of an audit through the demo, driven by the workspace: a quick read and a full
// audit reach "complete" and open their reports; the scripted project's full audit fails
// with its credit returned.
#include "core/records/json_fields.h"
#include "demo/demo_rig.h"

#include <gtest/gtest.h>

#include <set>

using namespace std::chrono_literals;
using namespace vesk;
using namespace vesk::testing;

namespace {

// Discovery from the composer's input, then the first option of every question.
void discoverAndAnswer(Workspace& workspace, const std::string& mode) {
  workspace.auditMode = mode;
  workspace.urls = "https://example.com/pricing";
  workspace.brief = "Our pricing page: does it make the choice easy?";
  workspace.discover();
  ASSERT_TRUE(runUntil([&] { return *workspace.screen == Screen::discovery && !*workspace.busy; }))
      << workspace.error->value_or("");
  ASSERT_EQ(workspace.questions->size(), 3u);
  for (std::size_t i = 0; i < workspace.questions->size(); ++i) {
    const auto& question = (*workspace.questions)[i];
    EXPECT_EQ(question.options.size(), 4u);
    workspace.select(question.options.front(), question.text, static_cast<long>(i));
  }
  ASSERT_TRUE(workspace.allAnswered());
}

std::int64_t balance(DemoRig& rig, const DesktopAPI& client) {
  auto me = rig.get(client, "me");
  return JsonFields(me, "me").record<Account>("account").auditBalance;
}

}  // namespace

TEST(DemoRuns, AQuickReadCompletesAndOpensItsReport) {
  DemoRig rig;
  auto workspace = rig.signedInWorkspace();
  discoverAndAnswer(*workspace, "quick");
  const auto project = rig.h.service.requestsTo("POST", "/api/desktop/projects");
  ASSERT_EQ(project.size(), 1u);
  EXPECT_EQ(nlohmann::json::parse(project[0].body)["name"], "example.com");
  EXPECT_EQ((*workspace->current)->auditMode, std::optional<std::string>("quick"));

  workspace->runQuickRead();
  EXPECT_EQ(*workspace->screen, Screen::progress);
  ASSERT_TRUE(runUntil([&] { return *workspace->screen == Screen::report; }, 20s)) << workspace->error->value_or("");
  const SavedAudit& run = **workspace->current;
  EXPECT_EQ(run.status, "complete");
  EXPECT_NE(run.output.str().find("# example.com: quick read"), std::string::npos) << run.output;
  EXPECT_NE(run.output.str().find("<discovery-answers>"), std::string::npos);
  EXPECT_NE(run.output.str().find("(/api/url-shot/" + run.id + "/0#vesk-box="), std::string::npos);
  EXPECT_TRUE(rig.h.service.requestsTo("GET", "/api/desktop/runs/" + run.id + "/lenses").empty())
      << "a quick read has no lenses";
  ASSERT_TRUE(runUntil([&] { return (*workspace->account)->quick->remainingToday == 4; }))
      << "the account reloads after the report: one quick read used";
  EXPECT_EQ((*workspace->account)->auditBalance, 3);
  ASSERT_TRUE(runUntil([&] { return !workspace->reports->empty() && workspace->reports->front().id == run.id; }));
}

TEST(DemoRuns, AFullAuditPassesItsPhasesAndLensesAndCompletes) {
  DemoRig rig;
  auto workspace = rig.signedInWorkspace();
  discoverAndAnswer(*workspace, "full");
  workspace->confirmed = true;
  workspace->start();
  EXPECT_EQ(*workspace->screen, Screen::progress);
  std::set<std::string> phases;
  std::set<std::int64_t> lensesDone;
  workspace->liveProgress.signalChanged().connect([&] {
    if (!workspace->liveProgress->has_value()) return;
    phases.insert((*workspace->liveProgress)->phase);
    lensesDone.insert((*workspace->liveProgress)->done);
    EXPECT_EQ((*workspace->liveProgress)->lenses.size(), 8u);
    EXPECT_EQ((*workspace->liveProgress)->total, 8);
    if ((*workspace->liveProgress)->phase != "seating") {
      EXPECT_TRUE((*workspace->liveProgress)->auditStartedAt.has_value()) << "the clock started with the answers";
    }
  });
  ASSERT_TRUE(runUntil([&] { return *workspace->screen == Screen::report; }, 30s)) << workspace->error->value_or("");
  EXPECT_GE(phases.size(), 2u) << "the watcher saw the audit move through its phases";
  EXPECT_GE(lensesDone.size(), 3u) << "and the lenses finish one after another";
  EXPECT_FALSE(*workspace->connectionLost);
  const SavedAudit& run = **workspace->current;
  EXPECT_EQ(run.status, "complete");
  EXPECT_NE(run.output.str().find("# example.com: full audit"), std::string::npos);
  EXPECT_NE(run.output.str().find("| Perspective | Rating | In one line |"), std::string::npos);
  EXPECT_NE(run.output.str().find("Researched with Vesk’s multi-agent method:"), std::string::npos);
  ASSERT_TRUE(runUntil([&] { return (*workspace->account)->auditBalance == 2; })) << "one full audit used";
}

TEST(DemoRuns, TheScriptedProjectsFullAuditFailsWithItsCreditReturned) {
  DemoRig rig;
  auto workspace = rig.signedInWorkspace();
  const auto waiting = std::find_if(workspace->reports->begin(), workspace->reports->end(), [](const SavedAudit& r) {
    return r.projectName == "Harbor & Pine checkout" && r.status == "discovery";
  });
  ASSERT_NE(waiting, workspace->reports->end());
  workspace->openReport(*waiting);
  ASSERT_TRUE(runUntil([&] { return workspace->questions->size() == 3; })) << "its questions come back with the run";
  for (std::size_t i = 0; i < 3; ++i)
    workspace->select((*workspace->questions)[i].options[1], (*workspace->questions)[i].text, static_cast<long>(i));
  workspace->confirmed = true;
  workspace->start();
  ASSERT_TRUE(runUntil([&] { return !*workspace->busy && (*workspace->current)->status == "failed"; }, 30s));
  EXPECT_EQ(*workspace->error,
            std::optional<std::string>("This audit could not finish. The server confirmed its credit was returned."));
  EXPECT_EQ(*workspace->screen, Screen::progress);
  EXPECT_EQ(balance(rig, *workspace->api()), 3) << "used at the start, returned at the failure";
  const auto progress =
      AuditProgressSnapshot::fromJson(rig.get(*workspace->api(), "runs/" + (*workspace->current)->id + "/lenses"));
  EXPECT_EQ(progress.phrase(), "This audit could not finish.");
  EXPECT_EQ(progress.lenses.back().status, "failed") << "the lenses it did not reach";
  EXPECT_EQ(progress.lenses.front().status, "complete");

  // A second start of the same run is refused.
  const auto again = rig.failure(*workspace->api(), "runs/" + (*workspace->current)->id + "/continue",
                                 JsonObject{{"answers", workspace->discoveryPayload()}});
  EXPECT_EQ(again.status(), 409);
  EXPECT_EQ(again.message(), "This run has already started.");
}

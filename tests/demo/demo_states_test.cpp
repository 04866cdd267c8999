// The report and library states of the client against the demo: their replies decode
// with the client's strict records and every change lands.
#include "core/library/project_library_state.h"
#include "core/report/report_state.h"
#include "demo/demo_rig.h"
#include "support/report_harness.h"

#include <gtest/gtest.h>

using namespace vesk;
using namespace vesk::testing;

namespace {

SavedAudit savedAudit(const nlohmann::json& listed) { return SavedAudit::fromJson(listed); }

bool isNorthwindAudit(const nlohmann::json& run) {
  return run["projectName"] == "Northwind Coffee" && run["auditMode"] == "full" && run["status"] == "complete";
}

}  // namespace

TEST(DemoStates, TheLibraryLoadsEveryPageOpensProjectsAndSavesThem) {
  DemoRig rig;
  const auto client = rig.signedInClient();
  ProjectLibraryState library(rig.h.dialog);
  waitFor(library.configure(client, LibrarySource::service, {}));
  EXPECT_FALSE(library.error->has_value()) << library.error->value_or("");
  EXPECT_EQ(library.runs->size(), 129u);
  ASSERT_EQ(library.projects->size(), 5u);

  const auto northwind = *std::find_if(library.projects->begin(), library.projects->end(),
                                       [](const LibraryProject& p) { return p.name == "Northwind Coffee"; });
  waitFor(library.openProject(northwind));
  EXPECT_FALSE(library.error->has_value()) << library.error->value_or("");
  EXPECT_EQ(library.selectedRuns->size(), 3u);

  ProjectDraft draft;
  draft.name = "Atlas checkout";
  draft.contextURL = "https://atlas.example/checkout";
  const auto created = library.save(draft, std::nullopt);
  waitFor(created);
  EXPECT_TRUE(created.result()) << library.error->value_or("");
  ASSERT_TRUE(library.selected->has_value());
  EXPECT_EQ((*library.selected)->name, "Atlas checkout");
  EXPECT_EQ((*library.selected)->contextUrl, std::optional<std::string>("https://atlas.example/checkout"));
  EXPECT_EQ(library.projects->size(), 6u);

  waitFor(library.deleteRun(library.runs->back()));
  EXPECT_FALSE(library.error->has_value()) << library.error->value_or("");
  EXPECT_EQ(rig.get(client, "library?limit=100&offset=100")["runs"].size(), 28u);
  const auto removed = library.deleteProject(**library.selected);
  waitFor(removed);
  EXPECT_TRUE(removed.result());
  EXPECT_EQ(rig.get(client, "projects")["projects"].size(), 5u);
}

TEST(DemoStates, TheReportLoadsItsDetailSharesAsksAndComparesAndDeletes) {
  DemoRig rig;
  const auto client = rig.signedInClient();
  auto clipboard = std::make_shared<ClipboardRecorder>();
  ReportState report({rig.h.dialog, clipboard});
  const auto run = savedAudit(rig.libraryRun(client, isNorthwindAudit));
  report.configure(client, run, ReportMode::live);
  ASSERT_TRUE(runUntil([&] { return !*report.loadingDetails; }));
  EXPECT_FALSE(report.error->has_value()) << report.error->value_or("");
  ASSERT_EQ(report.sources->size(), 2u);
  EXPECT_TRUE(report.sources->at(0).screenshotUrl.has_value());
  EXPECT_TRUE(report.discussion());

  report.previewSource("url-shot", 1, "Subscribe page");
  ASSERT_TRUE(runUntil([&] { return report.sourcePreview->has_value() && !(*report.sourcePreview)->loading; }));
  EXPECT_FALSE((*report.sourcePreview)->error.has_value()) << (*report.sourcePreview)->error.value_or("");

  report.createShare();
  ASSERT_TRUE(runUntil([&] { return !*report.busy; }));
  ASSERT_TRUE(report.shareURL().has_value()) << report.error->value_or("");
  EXPECT_EQ(clipboard->texts, std::vector<std::string>{*report.shareURL()});
  EXPECT_TRUE(report.shareURL()->starts_with(rig.h.service.origin() + "/c/"));

  report.followUp("  What should we change first?\n");
  ASSERT_TRUE(runUntil([&] { return !*report.busy; }));
  EXPECT_FALSE(report.error->has_value()) << report.error->value_or("");
  ASSERT_TRUE(report.createdRun->has_value());
  EXPECT_EQ((*report.createdRun)->status, "complete");
  EXPECT_EQ((*report.createdRun)->input, std::optional<std::string>("What should we change first?"));

  waitFor(report.loadBaselines());
  EXPECT_FALSE(report.baselineError->has_value()) << report.baselineError->value_or("");
  EXPECT_EQ(report.baselines->size(), 2u);

  std::optional<std::string> deleted;
  report.deleteRun([&](const std::string& id) { deleted = id; });
  ASSERT_TRUE(runUntil([&] { return !*report.busy; }));
  EXPECT_EQ(deleted, std::optional<std::string>(run.id));
  EXPECT_EQ(rig.failure(client, "runs/" + run.id).status(), 404);
}

TEST(DemoStates, AFollowUpOpensTheRunItCameFrom) {
  DemoRig rig;
  const auto client = rig.signedInClient();
  const auto original = rig.libraryRun(client, isNorthwindAudit);
  rig.post(client, "runs/" + original["id"].get<std::string>() + "/refine", JsonObject{{"instruction", "Why?"}});
  ReportState report({rig.h.dialog, std::make_shared<ClipboardRecorder>()});
  report.configure(client,
                   savedAudit(rig.libraryRun(client, [](const auto& r) { return r["auditMode"] == "followup"; })),
                   ReportMode::live);
  ASSERT_TRUE(runUntil([&] { return !*report.loadingDetails; }));
  EXPECT_EQ(*report.originalReviewID, std::optional<std::string>(original["id"]));
  std::optional<SavedAudit> opened;
  report.openOriginal([&](const SavedAudit& run) { opened = run; });
  ASSERT_TRUE(runUntil([&] { return !*report.busy; }));
  ASSERT_TRUE(opened.has_value()) << report.error->value_or("");
  EXPECT_EQ(opened->output.str(), original["output"]);
}

// The library as the demo serves it: the run archive paged 100 at a time, projects with
// their runs, anchors and earlier audits, project changes, and unknown operations.
#include "core/records/json_fields.h"
#include "core/records/library_records.h"
#include "core/records/run_records.h"
#include "demo/demo_rig.h"

#include <gtest/gtest.h>

#include <set>

using namespace vesk;
using namespace vesk::testing;

namespace {

std::vector<LibraryProject> projectsOf(DemoRig& rig, const DesktopAPI& client) {
  auto reply = rig.get(client, "projects");
  return JsonFields(reply, "projects").list<LibraryProject>("projects");
}

LibraryProject projectNamed(DemoRig& rig, const DesktopAPI& client, const std::string& name) {
  for (auto& project : projectsOf(rig, client))
    if (project.name == name) return project;
  throw std::runtime_error("no project " + name);
}

LibraryProject projectWithId(DemoRig& rig, const DesktopAPI& client, const std::string& id) {
  auto reply = rig.get(client, "projects/" + id);
  return JsonFields(reply, "project reply").record<LibraryProject>("project");
}

}  // namespace

TEST(DemoLibrary, TheArchiveComesInPagesOfAHundredNewestFirst) {
  DemoRig rig;
  const auto client = rig.signedInClient();
  std::vector<SavedAudit> runs;
  std::vector<std::int64_t> offsets = {0};
  while (true) {
    auto page = rig.get(client, "library?limit=100&offset=" + std::to_string(offsets.back()));
    JsonFields fields(page, "archive page");
    const auto pageRuns = fields.list<SavedAudit>("runs");
    EXPECT_LE(pageRuns.size(), 100u);
    runs.insert(runs.end(), pageRuns.begin(), pageRuns.end());
    const auto next = fields.optionalInteger("nextOffset");
    if (!next) break;
    ASSERT_GT(*next, offsets.back());
    offsets.push_back(*next);
  }
  EXPECT_EQ(offsets, (std::vector<std::int64_t>{0, 100}));
  ASSERT_EQ(runs.size(), 129u);
  std::set<std::string> ids;
  std::set<std::string> statuses;
  for (std::size_t i = 0; i < runs.size(); ++i) {
    ids.insert(runs[i].id);
    statuses.insert(runs[i].status);
    if (i > 0) {
      EXPECT_GE(*runs[i - 1].createdAt, *runs[i].createdAt);
    }
    EXPECT_EQ(runs[i].status == "complete", !runs[i].output.empty()) << runs[i].id;
  }
  EXPECT_EQ(ids.size(), runs.size());
  EXPECT_EQ(statuses, (std::set<std::string>{"complete", "discovery", "failed", "running"}));

  // An offset past the end is an empty last page.
  auto beyond = rig.get(client, "library?limit=100&offset=500");
  EXPECT_TRUE(beyond["runs"].empty());
  EXPECT_FALSE(beyond.contains("nextOffset"));
}

TEST(DemoLibrary, ProjectsCarryTheirRunsAnchorsAndEarlierAudits) {
  DemoRig rig;
  const auto client = rig.signedInClient();
  const auto projects = projectsOf(rig, client);
  ASSERT_EQ(projects.size(), 5u);
  std::int64_t total = 0;
  for (const auto& project : projects) {
    total += project.runCount.value_or(0);
    auto runs = rig.get(client, "projects/" + project.id + "/runs");
    EXPECT_EQ(std::int64_t(JsonFields(runs, "runs").list<SavedAudit>("runs").size()), project.runCount.value_or(-1));
    EXPECT_EQ(projectWithId(rig, client, project.id), project);
  }
  EXPECT_EQ(total, 129);
  EXPECT_GE(*projects.front().lastActivity, *projects.back().lastActivity) << "latest activity first";

  const auto northwind = projectNamed(rig, client, "Northwind Coffee");
  auto reaudits = rig.get(client, "projects/" + northwind.id + "/reaudits");
  const auto audits = JsonFields(reaudits, "reaudits").list<ReportBaseline>("audits");
  ASSERT_EQ(audits.size(), 2u) << "its two complete full audits";
  EXPECT_GE(audits[0].createdAt, audits[1].createdAt);
  EXPECT_EQ(audits[0].subject, "After the new headline and a single sign-up button.");

  const auto ledgerly = projectNamed(rig, client, "Ledgerly dashboard");
  ASSERT_TRUE(ledgerly.contextAttachment);
  const auto anchor =
      runTask(client.raw("projects/" + ledgerly.id + "/anchor", std::nullopt, std::nullopt, Auth::bearer));
  EXPECT_EQ(std::int64_t(anchor.size()), ledgerly.contextAttachment->sizeBytes);
  EXPECT_TRUE(isImage(anchor));
  EXPECT_EQ(rig.failure(client, "projects/" + northwind.id + "/anchor").message(), "This project has no anchor file.");
}

TEST(DemoLibrary, ProjectsAreCreatedEditedAndDeleted) {
  DemoRig rig;
  const auto client = rig.signedInClient();
  const JsonObject created = {
      {"name", "Atlas signup"},
      {"brief", "The sign-up form"},
      {"kind", "landing"},
      {"intent", "new"},
      {"contextUrl", "https://atlas.example/signup"},
      {"contextAttachment", {{"filename", "form.txt"}, {"mediaType", "text/plain"}, {"data", "SGVsbG8="}}}};
  const std::string id = rig.post(client, "projects", created)["id"];
  auto project = projectWithId(rig, client, id);
  EXPECT_EQ(project.kind, std::optional<std::string>("landing"));
  EXPECT_EQ(project.intent, std::optional<std::string>("new"));
  EXPECT_EQ(project.contextUrl, std::optional<std::string>("https://atlas.example/signup"));
  ASSERT_TRUE(project.contextAttachment);
  EXPECT_EQ(project.contextAttachment->sizeBytes, std::optional<std::int64_t>(5));
  EXPECT_EQ(project.runCount, std::optional<std::int64_t>(0));
  EXPECT_EQ(projectsOf(rig, client).size(), 6u);

  const JsonObject edit = {
      {"name", "Atlas sign-up"}, {"kind", nullptr}, {"removeContextUrl", true}, {"removeAnchor", true}};
  runTask(client.raw("projects/" + id, edit, "PATCH", Auth::bearer));
  project = projectWithId(rig, client, id);
  EXPECT_EQ(project.name, "Atlas sign-up");
  EXPECT_FALSE(project.kind || project.contextUrl || project.contextAttachment);
  EXPECT_EQ(project.intent, std::optional<std::string>("new")) << "the intent stays";

  const auto refused = rig.failure(client, "projects/" + id, JsonObject{{"name", "  "}}, "PATCH");
  EXPECT_EQ(refused.status(), 422);
  EXPECT_EQ(refused.message(), "Give the project a name of up to 120 characters.");

  runTask(client.raw("projects/" + id, std::nullopt, "DELETE", Auth::bearer));
  const auto gone = rig.failure(client, "projects/" + id);
  EXPECT_EQ(gone.status(), 404);
  EXPECT_EQ(gone.message(), "This project is not in your library.");
}

TEST(DemoLibrary, AnUnknownOperationGetsAnErrorBodyTheClientTurnsIntoItsSentence) {
  DemoRig rig;
  const auto client = rig.signedInClient();
  const auto unknown = rig.failure(client, "reports/weekly");
  EXPECT_EQ(unknown.status(), 404);
  EXPECT_EQ(unknown.message(), "The Vesk demo service does not offer “reports/weekly”.");
  EXPECT_EQ(unknown.code(), std::optional<std::string>("not_found"));
  const auto wrongMethod = rig.failure(client, "me", std::nullopt, "DELETE");
  EXPECT_EQ(wrongMethod.status(), 405);
  EXPECT_EQ(wrongMethod.message(), "The Vesk demo service does not accept DELETE for “me”.");
  const auto unknownRun = rig.failure(client, "runs/run_0000/share");
  EXPECT_EQ(unknownRun.message(), "This run is not in your library.");
  EXPECT_NE(rig.log.back().find("GET /api/desktop/runs/run_0000/share → 404"), std::string::npos);
}

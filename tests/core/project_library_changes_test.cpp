// Changing the library: deleting runs, saving and deleting projects.
#include "core/library/project_library_state.h"
#include "support/library_fixture.h"

#include <gtest/gtest.h>

#include <regex>

using namespace vesk;
using namespace vesk::testing;
using nlohmann::json;

namespace {

constexpr const char* connectFirst = "Connect your account first.";
constexpr const char* reconnect = "Your session expired. Reconnect in the browser; your saved work is still there.";
constexpr const char* readBackFailed =
    "Project saved. Its latest context could not be loaded; refresh before starting an audit.";

std::vector<std::string> idsOf(const std::vector<SavedAudit>& runs) {
  std::vector<std::string> ids;
  for (const auto& run : runs) ids.push_back(run.id);
  return ids;
}

std::vector<std::string> namesOf(const std::vector<SavedAudit>& runs) {
  std::vector<std::string> names;
  for (const auto& run : runs) names.push_back(run.projectName);
  return names;
}

LibraryProject doral() {
  LibraryProject project("p1", "Doral", "Calmer sign-up", "landing", "redesign", "2024-04-01T09:00:00Z",
                         "2024-05-02T10:00:00Z", 2);
  project.contextAttachment = LibraryAnchor("hero.png", "image/png", 1200, "https://files.example/hero.png");
  return project;
}

// A library of two projects, with p1 open.
struct ChangesFixture : LibraryFixture {
  ChangesFixture() {
    routeLibrary({doral(), LibraryProject("p2", "Atlas")},
                 {archiveRun("r1", "p1"), archiveRun("r2", "p2", "Atlas"), archiveRun("r3", "p1")});
    routeProject(doral(), {archiveRun("r1", "p1"), archiveRun("r3", "p1")});
    configure();
    waitFor(state->openProject(doral()));
    service.clearRequests();
  }

  // Holds the project list so that a refresh keeps the state busy.
  async::TaskHandle<void> busyRefreshing() {
    Reply held = Reply::json(R"({"projects":[]})");
    held.stall = true;
    service.reply("GET", "/api/desktop/projects", held);
    auto refreshing = state->refresh();
    EXPECT_TRUE(*state->busy);
    EXPECT_TRUE(runUntil([&] { return service.stalledCount() == 1; }));
    return refreshing;
  }
};

template <class T>
T resultOf(const async::TaskHandle<T>& handle) {
  waitFor(handle);
  return handle.result();
}

}  // namespace

TEST(ProjectLibraryDeleteRun, RemovesTheRunFromBothListsOnlyWhenTheServiceAgrees) {
  ChangesFixture f;
  f.service.reply("DELETE", "/api/desktop/runs/r1", Reply::json("{}"));
  waitFor(f.state->deleteRun(archiveRun("r1", "p1")));
  EXPECT_EQ(f.sent(), (std::vector<std::string>{"DELETE /api/desktop/runs/r1"}));
  EXPECT_EQ(f.service.requests()[0].header("Authorization"), "Bearer token-1");
  EXPECT_EQ(idsOf(*f.state->runs), (std::vector<std::string>{"r2", "r3"}));
  EXPECT_EQ(idsOf(*f.state->selectedRuns), (std::vector<std::string>{"r3"}));
  EXPECT_EQ(*f.state->revision, 1);
  EXPECT_FALSE(*f.state->busy);
  EXPECT_EQ((*f.state->projects)[0].runCount, 2) << "run counts wait for the next load";

  f.service.reply("DELETE", "/api/desktop/runs/r3", Reply::error(403, "This run belongs to another workspace."));
  waitFor(f.state->deleteRun(archiveRun("r3", "p1")));
  EXPECT_EQ(*f.state->error, "This run belongs to another workspace.");
  EXPECT_EQ(idsOf(*f.state->runs), (std::vector<std::string>{"r2", "r3"}));
  EXPECT_EQ(idsOf(*f.state->selectedRuns), (std::vector<std::string>{"r3"}));
  EXPECT_EQ(*f.state->revision, 1);
  EXPECT_FALSE(*f.state->busy);

  f.service.clearRequests();
  waitFor(f.state->deleteRun(archiveRun("../r3", "p1")));
  EXPECT_EQ(*f.state->error, "Invalid Vesk operation.");
  EXPECT_TRUE(f.service.requests().empty());
}

TEST(ProjectLibraryDeleteRun, RefusedWhileBusyAndWithoutAClient) {
  ChangesFixture f;
  const auto refreshing = f.busyRefreshing();
  waitFor(f.state->deleteRun(archiveRun("r1", "p1")));
  EXPECT_EQ(f.state->runs->size(), 3u);
  EXPECT_EQ(*f.state->error, std::nullopt);
  EXPECT_TRUE(f.service.requestsTo("DELETE", "/api/desktop/runs/r1").empty());
  f.service.releaseStalled();
  waitFor(refreshing);

  waitFor(f.state->configure(std::nullopt, LibrarySource::service, {}));
  waitFor(f.state->deleteRun(archiveRun("r1", "p1")));
  EXPECT_EQ(*f.state->error, connectFirst);
  EXPECT_FALSE(*f.state->busy);
  EXPECT_EQ(*f.state->revision, 0);
}

TEST(ProjectLibraryDeleteRun, TheLocalPreviewDeletesWithoutARequest) {
  LibraryFixture f;
  waitFor(f.state->configure(f.api(), LibrarySource::localPreview,
                             {archiveRun("s1", "sp", "Sample", true), archiveRun("s2", "sp", "Sample", true)}));
  waitFor(f.state->openProject((*f.state->projects)[0]));
  waitFor(f.state->deleteRun(archiveRun("s1", "sp")));
  EXPECT_EQ(idsOf(*f.state->runs), (std::vector<std::string>{"s2"}));
  EXPECT_EQ(idsOf(*f.state->selectedRuns), (std::vector<std::string>{"s2"}));
  EXPECT_EQ(*f.state->revision, 1);
  runFor(50ms);
  EXPECT_TRUE(f.service.requests().empty());
}

TEST(ProjectLibrarySave, AnEditWithNoChangeSendsNothing) {
  ChangesFixture f;
  EXPECT_TRUE(resultOf(f.state->save(ProjectDraft(doral()), doral())));
  EXPECT_EQ(*f.state->revision, 0);
  EXPECT_FALSE(*f.state->busy);
  runFor(50ms);
  EXPECT_TRUE(f.service.requests().empty());
}

TEST(ProjectLibrarySave, CreatingPostsReadsBackAndOpensTheNewProjectFirst) {
  ChangesFixture f;
  f.service.reply("POST", "/api/desktop/projects", Reply::json(R"({"id":"p9","name":"ignored"})"));
  f.service.reply("GET", "/api/desktop/projects/p9",
                  Reply::json(R"({"project":{"id":"p9","name":"Quay","kind":"landing","intent":"new"}})"));
  ProjectDraft draft;
  draft.name = " Quay ";
  draft.intent = "new";
  EXPECT_TRUE(resultOf(f.state->save(draft, std::nullopt)));
  EXPECT_EQ(f.sent(), (std::vector<std::string>{"POST /api/desktop/projects", "GET /api/desktop/projects/p9"}));
  EXPECT_EQ(json::parse(f.service.requests()[0].body),
            (json{{"name", "Quay"}, {"brief", ""}, {"kind", "landing"}, {"intent", "new"}}));
  LibraryProject expected("p9", "Quay", std::nullopt, "landing", "new");
  expected.runCount = 0;  // counted in the archive: none yet
  EXPECT_EQ(f.state->projects->front(), expected);
  EXPECT_EQ(f.state->projects->size(), 3u);
  EXPECT_EQ(*f.state->selected, expected);
  EXPECT_TRUE(f.state->selectedRuns->empty());
  EXPECT_EQ(*f.state->revision, 1);
  EXPECT_FALSE(*f.state->busy);
  EXPECT_EQ(*f.state->error, std::nullopt);
}

TEST(ProjectLibrarySave, ARenameRenamesOnlyThatProjectsRuns) {
  ChangesFixture f;
  f.service.reply("PATCH", "/api/desktop/projects/p1", Reply::json("{}"));
  // The read-back leaves out the run count and times: the edited project's stay.
  f.service.reply("GET", "/api/desktop/projects/p1", Reply::json(R"({"project":{"id":"p1","name":"Doral Bay"}})"));
  ProjectDraft draft(doral());
  draft.name = "Doral Bay";
  EXPECT_TRUE(resultOf(f.state->save(draft, doral())));
  EXPECT_EQ(json::parse(f.service.requestsTo("PATCH", "/api/desktop/projects/p1").at(0).body),
            (json{{"name", "Doral Bay"}}));
  EXPECT_EQ(namesOf(*f.state->runs), (std::vector<std::string>{"Doral Bay", "Atlas", "Doral Bay"}));
  EXPECT_EQ(namesOf(*f.state->selectedRuns), (std::vector<std::string>{"Doral Bay", "Doral Bay"}));
  const LibraryProject& saved = (*f.state->projects)[0];
  EXPECT_EQ(saved.name, "Doral Bay");
  EXPECT_EQ(saved.runCount, 2);
  EXPECT_EQ(saved.createdAt, "2024-04-01T09:00:00Z");
  EXPECT_EQ(saved.lastActivity, "2024-05-02T10:00:00Z");
  EXPECT_EQ(saved.contextAttachment, std::nullopt) << "every other field is the service's";
  EXPECT_EQ((*f.state->projects)[1].name, "Atlas") << "replaced in place";
  EXPECT_EQ(*f.state->revision, 1);
}

TEST(ProjectLibrarySave, ARefusedWriteChangesNothingButTheError) {
  ChangesFixture f;
  f.service.reply("PATCH", "/api/desktop/projects/p1", Reply::error(401, "ignored"));
  const auto projectsBefore = *f.state->projects;
  const auto runsBefore = *f.state->runs;
  ProjectDraft draft(doral());
  draft.name = "Doral Bay";
  EXPECT_FALSE(resultOf(f.state->save(draft, doral())));
  EXPECT_EQ(*f.state->error, reconnect);
  EXPECT_EQ(*f.state->projects, projectsBefore);
  EXPECT_EQ(*f.state->runs, runsBefore);
  EXPECT_EQ(*f.state->selected, doral());
  EXPECT_EQ(*f.state->revision, 0);
  EXPECT_FALSE(*f.state->busy);

  draft.contextURL = "https://a.example https://b.example";
  EXPECT_FALSE(resultOf(f.state->save(draft, doral())));
  EXPECT_EQ(*f.state->error, "This audit covers up to 1 URLs.");

  waitFor(f.state->configure(std::nullopt, LibrarySource::service, {}));
  EXPECT_FALSE(resultOf(f.state->save(ProjectDraft(), std::nullopt)));
  EXPECT_EQ(*f.state->error, "Give the project a name up to 120 characters and a brief up to 5,000 characters.");
  draft.contextURL = "";
  EXPECT_FALSE(resultOf(f.state->save(draft, doral())));
  EXPECT_EQ(*f.state->error, connectFirst);
  EXPECT_EQ(f.service.requestsTo("PATCH", "/api/desktop/projects/p1").size(), 1u);
}

TEST(ProjectLibrarySave, AFailedReadBackStillSavesWithThePreviousAnchor) {
  ChangesFixture f;
  f.service.reply("PATCH", "/api/desktop/projects/p1", Reply::json("{}"));
  f.service.reply("GET", "/api/desktop/projects/p1", Reply::error(500, "Busy."));
  ProjectDraft draft(doral());
  draft.brief = "  A calmer checkout  ";
  draft.replacement = AuditAttachment("new-hero.png", "image/png", "iVBORw0KGgo=");
  EXPECT_TRUE(resultOf(f.state->save(draft, doral())));
  EXPECT_EQ(*f.state->error, readBackFailed);
  const LibraryProject& shown = **f.state->selected;
  EXPECT_EQ(shown.contextAttachment, doral().contextAttachment);
  EXPECT_EQ(shown.brief, "  A calmer checkout  ") << "the local record keeps the brief as typed";
  EXPECT_EQ(shown.runCount, 2);
  EXPECT_EQ((*f.state->projects)[0], shown);
  EXPECT_EQ(*f.state->revision, 1);
  EXPECT_FALSE(*f.state->busy);
}

TEST(ProjectLibrarySave, RefusedWhileBusyAndDroppedWhenOvertaken) {
  ChangesFixture f;
  const auto refreshing = f.busyRefreshing();
  ProjectDraft draft(doral());
  draft.name = "Doral Bay";
  EXPECT_FALSE(resultOf(f.state->save(draft, doral())));
  EXPECT_FALSE(resultOf(f.state->deleteProject(doral())));
  EXPECT_EQ(*f.state->error, std::nullopt);
  f.service.releaseStalled();
  waitFor(refreshing);
  f.service.clearRequests();

  // A save still waiting when closing the project clears busy and a run deletion takes over.
  Reply held = Reply::json("{}");
  held.stall = true;
  f.service.reply("PATCH", "/api/desktop/projects/p1", held);
  f.service.reply("DELETE", "/api/desktop/runs/r2", Reply::json("{}"));
  const auto saving = f.state->save(draft, doral());
  ASSERT_TRUE(runUntil([&] { return f.service.stalledCount() == 1; }));
  f.state->closeProject();
  waitFor(f.state->deleteRun(archiveRun("r2", "p2")));
  f.service.releaseStalled();
  EXPECT_FALSE(resultOf(saving));
  EXPECT_EQ(*f.state->revision, 1) << "only the deletion counts";
  EXPECT_EQ(namesOf(*f.state->runs), (std::vector<std::string>{"Doral", "Doral"}));
  EXPECT_EQ(*f.state->selected, std::nullopt);
  EXPECT_TRUE(f.service.requestsTo("GET", "/api/desktop/projects/p1").empty()) << "no read-back";
}

TEST(ProjectLibrarySave, TheLocalPreviewSavesWithoutARequest) {
  LibraryFixture f;
  waitFor(f.state->configure(f.api(), LibrarySource::localPreview, {archiveRun("s1", "sp", "Sample", true)}));
  ProjectDraft draft;
  draft.name = "  Quay \n";
  draft.brief = " Calmer ";
  draft.kind = "";
  EXPECT_TRUE(resultOf(f.state->save(draft, std::nullopt)));
  const LibraryProject& created = f.state->projects->front();
  EXPECT_TRUE(std::regex_match(
      created.id, std::regex("sample-project-[0-9A-F]{8}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{12}")))
      << created.id;
  EXPECT_EQ(created.name, "Quay");
  EXPECT_EQ(created.brief, " Calmer ");
  EXPECT_EQ(created.kind, "") << "a cleared type is stored as empty, not absent";
  EXPECT_EQ(created.runCount, 0);
  EXPECT_EQ(*f.state->selected, created);
  EXPECT_EQ(f.state->projects->size(), 2u);
  EXPECT_EQ(*f.state->revision, 1);

  ProjectDraft rename(f.state->projects->back());
  rename.name = "Sample renamed";
  EXPECT_TRUE(resultOf(f.state->save(rename, f.state->projects->back())));
  EXPECT_EQ(f.state->projects->back().name, "Sample renamed");
  EXPECT_EQ(f.state->projects->back().runCount, 1);
  EXPECT_EQ(namesOf(*f.state->runs), (std::vector<std::string>{"Sample renamed"}));
  EXPECT_EQ(*f.state->revision, 2);
  runFor(50ms);
  EXPECT_TRUE(f.service.requests().empty());
}

TEST(ProjectLibraryDeleteProject, RemovesTheProjectAndItsRunsAndClosesTheOpenProject) {
  ChangesFixture f;
  f.service.reply("DELETE", "/api/desktop/projects/p2", Reply::json("{}"));
  EXPECT_TRUE(resultOf(f.state->deleteProject(LibraryProject("p2", "Atlas"))));
  EXPECT_EQ(f.sent(), (std::vector<std::string>{"DELETE /api/desktop/projects/p2"}));
  EXPECT_EQ(f.state->projects->size(), 1u);
  EXPECT_EQ(idsOf(*f.state->runs), (std::vector<std::string>{"r1", "r3"}));
  EXPECT_EQ(*f.state->selected, std::nullopt) << "whichever project was open";
  EXPECT_TRUE(f.state->selectedRuns->empty());
  EXPECT_EQ(*f.state->revision, 1);
  EXPECT_FALSE(*f.state->busy);

  f.service.reply("DELETE", "/api/desktop/projects/p1", Reply::error(409, "This project has a running audit."));
  EXPECT_FALSE(resultOf(f.state->deleteProject(doral())));
  EXPECT_EQ(*f.state->error, "This project has a running audit.");
  EXPECT_EQ(f.state->projects->size(), 1u);
  EXPECT_EQ(*f.state->revision, 1);

  waitFor(f.state->configure(std::nullopt, LibrarySource::service, {}));
  EXPECT_FALSE(resultOf(f.state->deleteProject(doral())));
  EXPECT_EQ(*f.state->error, connectFirst);
  EXPECT_FALSE(*f.state->busy);
}

// Loading the library: the paged archive beside the project list, opening and closing
// projects, the local preview, and late results.
#include "core/library/project_library_state.h"
#include "support/library_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace vesk;
using namespace vesk::testing;

namespace {

constexpr const char* invalidPage = "The archive returned an invalid page. Refresh before continuing.";

std::vector<std::string> idsOf(const std::vector<SavedAudit>& runs) {
  std::vector<std::string> ids;
  for (const auto& run : runs) ids.push_back(run.id);
  return ids;
}

std::vector<std::string> idsOf(const std::vector<LibraryProject>& projects) {
  std::vector<std::string> ids;
  for (const auto& project : projects) ids.push_back(project.id);
  return ids;
}

Reply stalled(Reply reply) {
  reply.stall = true;
  return reply;
}

}  // namespace

TEST(ProjectLibraryRefresh, FollowsNextOffsetKeepsTheFirstOfEachRunAndLoadsProjectsMeanwhile) {
  LibraryFixture f;
  f.service.reply(
      "GET", "/api/desktop/projects",
      stalled(Reply::json(nlohmann::json{{"projects", projectsJson({LibraryProject("p1", "Doral")})}}.dump())));
  f.routePages({
      {0, Reply::json(archivePage({archiveRun("a", "p1"), archiveRun("b", "p1")}, 100))},
      {100, Reply::json(archivePage({archiveRun("c", "p2", "Atlas"), archiveRun("a", "p9", "Later copy")}, 200))},
      {200, Reply::json(archivePage({archiveRun("d", "p1"), archiveRun("c", "p2", "Again")}, std::nullopt))},
  });

  const auto refreshed = f.state->configure(f.api(), LibrarySource::service, {});
  EXPECT_TRUE(*f.state->busy);
  // Every page is read while the project list is still held back: the two run side by side.
  ASSERT_TRUE(runUntil([&] { return f.service.requestsTo("GET", "/api/desktop/library").size() == 3; }));
  ASSERT_TRUE(runUntil([&] { return f.service.stalledCount() == 1; }));
  runFor(50ms);
  EXPECT_TRUE(f.state->runs->empty()) << "the archive waits for the project list";
  EXPECT_TRUE(*f.state->busy);

  f.service.releaseStalled();
  waitFor(refreshed);
  std::vector<std::string> pages;
  for (const auto& request : f.service.requestsTo("GET", "/api/desktop/library")) pages.push_back(*request.query);
  EXPECT_EQ(pages, (std::vector<std::string>{"limit=100&offset=0", "limit=100&offset=100", "limit=100&offset=200"}));
  EXPECT_EQ(f.service.requestsTo("GET", "/api/desktop/projects").size(), 1u);
  EXPECT_EQ(f.service.requests().size(), 4u);
  for (const auto& request : f.service.requests()) EXPECT_EQ(request.header("Authorization"), "Bearer token-1");
  EXPECT_EQ(idsOf(*f.state->runs), (std::vector<std::string>{"a", "b", "c", "d"}));
  EXPECT_EQ((*f.state->runs)[0].projectName, "Doral") << "the first occurrence wins";
  EXPECT_EQ((*f.state->runs)[2].projectName, "Atlas");
  EXPECT_EQ(idsOf(*f.state->projects), (std::vector<std::string>{"p1"}));
  EXPECT_FALSE(*f.state->busy);
  EXPECT_EQ(*f.state->error, std::nullopt);
}

TEST(ProjectLibraryRefresh, AnInvalidOrFailedLoadLeavesBothLists) {
  LibraryFixture f;
  f.routeLibrary({LibraryProject("p1", "Doral")}, {archiveRun("a", "p1")});
  f.configure();
  const auto projectsBefore = *f.state->projects;
  const auto runsBefore = *f.state->runs;

  const auto expectFailure = [&](const std::string& sentence, const char* what) {
    f.state->error = std::nullopt;
    waitFor(f.state->refresh());
    EXPECT_EQ(*f.state->error, sentence) << what;
    EXPECT_FALSE(*f.state->busy) << what;
    EXPECT_EQ(*f.state->projects, projectsBefore) << what;
    EXPECT_EQ(*f.state->runs, runsBefore) << what;
  };
  f.service.reply("GET", "/api/desktop/projects",
                  Reply::json(nlohmann::json{{"projects", projectsJson({LibraryProject("p2", "Atlas")})}}.dump()));
  f.routePages({{0, Reply::json(archivePage({archiveRun("z", "p2")}, 0))}});
  expectFailure(invalidPage, "a first page pointing at itself");

  f.routePages({{0, Reply::json(archivePage({archiveRun("z", "p2")}, 100))},
                {100, Reply::json(archivePage({archiveRun("y", "p2")}, 100))}});
  expectFailure(invalidPage, "a repeated offset");

  f.routePages({{0, Reply::json(archivePage({}, 100))}, {100, Reply::json(archivePage({}, 50))}});
  expectFailure(invalidPage, "an offset going back");

  f.routePages({{0, Reply::json(archivePage({}, 100))}, {100, Reply::json(R"({"runs":[],"nextOffset":"200"})")}});
  expectFailure("Vesk returned an unreadable response.", "a page that does not decode");

  f.routePages({{0, Reply::error(401, "ignored")}});
  expectFailure("Your session expired. Reconnect in the browser; your saved work is still there.", "a 401 page");

  f.routePages({{0, Reply::json(archivePage({archiveRun("z", "p2")}, std::nullopt))}});
  f.service.reply("GET", "/api/desktop/projects", Reply::error(500, "Projects are resting."));
  expectFailure("Projects are resting.", "the archive is fine but the project list fails");
}

TEST(ProjectLibraryRefresh, AFailedPageStopsTheProjectListAndEndsAtOnce) {
  LibraryFixture f;
  f.service.reply("GET", "/api/desktop/projects", stalled(Reply::json(R"({"projects":[]})")));
  f.routePages({{0, Reply::json(archivePage({}, 0))}});
  const auto refreshed = f.state->configure(f.api(), LibrarySource::service, {});
  waitFor(refreshed);
  EXPECT_EQ(*f.state->error, invalidPage);
  EXPECT_EQ(f.state->runningTasks(), 0u) << "the held project list was cancelled, not left running";
}

TEST(ProjectLibraryOpen, OpeningPThenQAppliesOnlyQ) {
  LibraryFixture f;
  f.routeLibrary({LibraryProject("P", "Pine"), LibraryProject("Q", "Quay")},
                 {archiveRun("p-1", "P", "Pine"), archiveRun("q-1", "Q", "Quay")});
  f.configure();
  f.service.reply("GET", "/api/desktop/projects/P", stalled(Reply::json(R"({"project":{"id":"P","name":"Pine 2"}})")));
  f.service.reply("GET", "/api/desktop/projects/P/runs", stalled(Reply::json(R"({"runs":[]})")));
  LibraryProject quay("Q", "Quay");
  quay.runCount = 2;
  f.routeProject(quay, {archiveRun("q-1", "Q", "Quay"), archiveRun("q-2", "Q", "Quay"), archiveRun("q-1", "Q")});

  const auto openingP = f.state->openProject(LibraryProject("P", "Pine"));
  EXPECT_EQ((*f.state->selected)->name, "Pine") << "the project opens at once";
  EXPECT_EQ(idsOf(*f.state->selectedRuns), (std::vector<std::string>{"p-1"})) << "with the archive's runs";
  EXPECT_TRUE(*f.state->busy);
  ASSERT_TRUE(runUntil([&] { return f.service.stalledCount() == 2; })) << "record and runs are asked at once";

  waitFor(f.state->openProject(LibraryProject("Q", "Quay")));
  EXPECT_EQ(*f.state->selected, quay);
  EXPECT_EQ(idsOf(*f.state->selectedRuns), (std::vector<std::string>{"q-1", "q-2", "q-1"}))
      << "the project's runs as the service lists them";
  EXPECT_FALSE(*f.state->busy);

  f.service.releaseStalled();
  waitFor(openingP);
  EXPECT_EQ(*f.state->selected, quay) << "P's late replies are dropped";
  EXPECT_EQ(f.state->selectedRuns->size(), 3u);
  EXPECT_EQ(f.state->runs->size(), 2u) << "opening never touches the archive";
}

TEST(ProjectLibraryOpen, ClosingBeforeTheRepliesDropsThemAndClearsBusyAtOnce) {
  LibraryFixture f;
  f.routeLibrary({LibraryProject("P", "Pine")}, {archiveRun("p-1", "P", "Pine")});
  f.configure();
  f.service.reply("GET", "/api/desktop/projects/P", stalled(Reply::json(R"({"project":{"id":"P","name":"Pine 2"}})")));
  f.service.reply("GET", "/api/desktop/projects/P/runs", stalled(Reply::json(R"({"runs":[]})")));

  const auto opening = f.state->openProject(LibraryProject("P", "Pine"));
  ASSERT_TRUE(runUntil([&] { return f.service.stalledCount() == 2; }));
  f.state->closeProject();
  EXPECT_FALSE(*f.state->busy);
  EXPECT_EQ(*f.state->selected, std::nullopt);
  EXPECT_TRUE(f.state->selectedRuns->empty());

  f.service.releaseStalled();
  waitFor(opening);
  EXPECT_EQ(*f.state->selected, std::nullopt);
  EXPECT_TRUE(f.state->selectedRuns->empty());
  EXPECT_FALSE(*f.state->busy);
}

TEST(ProjectLibraryOpen, AFailedOpeningKeepsTheProjectWithItsArchiveRuns) {
  LibraryFixture f;
  f.routeLibrary({LibraryProject("P", "Pine")}, {archiveRun("p-1", "P", "Pine"), archiveRun("x-1", "X")});
  f.configure();
  f.service.reply("GET", "/api/desktop/projects/P", Reply::error(404, "This project is gone."));
  f.service.reply("GET", "/api/desktop/projects/P/runs", stalled(Reply::json(R"({"runs":[]})")));
  waitFor(f.state->openProject(LibraryProject("P", "Pine")));
  EXPECT_EQ(*f.state->error, "This project is gone.");
  EXPECT_EQ((*f.state->selected)->id, "P");
  EXPECT_EQ(idsOf(*f.state->selectedRuns), (std::vector<std::string>{"p-1"}));
  EXPECT_FALSE(*f.state->busy);
  EXPECT_EQ(f.state->runningTasks(), 0u) << "the held runs request was cancelled, not left running";

  f.service.reply("GET", "/api/desktop/projects/P", Reply::json(R"({"project":{"id":"P","name":"Pine"}})"));
  f.service.reply("GET", "/api/desktop/projects/P/runs", Reply::json(R"({"runs":{}})"));
  waitFor(f.state->openProject(LibraryProject("P", "Pine")));
  EXPECT_EQ(*f.state->error, "Vesk returned an unreadable response.") << "the runs reply fails to decode";
}

TEST(ProjectLibraryOpen, IdentifiersReachPathsOnlyThroughTheClientsCheck) {
  LibraryFixture f;
  f.routeLibrary({}, {});
  f.configure();
  f.service.clearRequests();
  for (const std::string id : {"a/b", "a?b", "a#b", "a%2Fb", ".", "..", "a/../b", "a\nb", "a\tb",
                               "a\x7f"
                               "b"}) {
    f.state->error = std::nullopt;
    waitFor(f.state->openProject(LibraryProject(id, "Odd")));
    EXPECT_EQ(*f.state->error, "Invalid Vesk operation.") << id;
    EXPECT_FALSE(*f.state->busy) << id;
  }
  runFor(50ms);
  EXPECT_TRUE(f.service.requests().empty()) << "nothing is sent for a refused id";
}

TEST(ProjectLibraryRefresh, KeepsAnOpenProjectThatIsStillListedAndClosesOneThatIsGone) {
  LibraryFixture f;
  f.routeLibrary({LibraryProject("P", "Pine"), LibraryProject("Q", "Quay")}, {archiveRun("p-1", "P", "Pine")});
  f.configure();
  LibraryProject detail("P", "Pine (from the record)");
  detail.runCount = 1;
  f.routeProject(detail, {archiveRun("p-1", "P", "Pine")});
  waitFor(f.state->openProject(LibraryProject("P", "Pine")));

  std::vector<std::string> shown;
  f.state->selected.signalChanged().connect(
      [&] { shown.push_back(f.state->selected->has_value() ? (*f.state->selected)->name : "(closed)"); });
  f.routeLibrary({LibraryProject("Q", "Quay"), LibraryProject("P", "Pine (listed)")}, {archiveRun("p-1", "P", "Pine")});
  f.routeProject(LibraryProject("P", "Pine (reloaded)"), {archiveRun("p-1", "P", "Pine")});
  waitFor(f.state->refresh());
  EXPECT_EQ(shown, (std::vector<std::string>{"Pine (listed)", "Pine (reloaded)"}))
      << "the list entry first, then the project's own record";
  EXPECT_FALSE(*f.state->busy);

  f.routeLibrary({LibraryProject("Q", "Quay")}, {});
  waitFor(f.state->refresh());
  EXPECT_EQ(*f.state->selected, std::nullopt);
  EXPECT_TRUE(f.state->selectedRuns->empty());
  EXPECT_FALSE(*f.state->busy);
}

TEST(ProjectLibraryRefresh, AnOvertakenRefreshWritesNothing) {
  LibraryFixture f;
  f.service.reply("GET", "/api/desktop/projects", Reply::json(R"({"projects":[{"id":"live","name":"Live"}]})"));
  f.routePages({{0, stalled(Reply::json(archivePage({archiveRun("live-run", "live")}, std::nullopt)))}});
  const auto refreshed = f.state->configure(f.api(), LibrarySource::service, {});
  ASSERT_TRUE(runUntil([&] { return f.service.stalledCount() == 1; }));

  // Configured again meanwhile (the signed-in account turned out to be a sample one).
  waitFor(f.state->configure(f.api(), LibrarySource::localPreview, {archiveRun("s", "sp", "Sample", true)}));
  f.service.releaseStalled();
  waitFor(refreshed);
  EXPECT_EQ(idsOf(*f.state->runs), (std::vector<std::string>{"s"}));
  EXPECT_EQ(idsOf(*f.state->projects), (std::vector<std::string>{"sp"}));
  EXPECT_FALSE(*f.state->busy);
  EXPECT_EQ(*f.state->error, std::nullopt);
}

TEST(ProjectLibraryLocalPreview, BuildsTheLibraryFromTheSampleRunsWithoutARequest) {
  LibraryFixture f;
  const std::vector<SavedAudit> saved{archiveRun("A", "p1", "Pine", true), archiveRun("B", "p2", "Quay", true),
                                      archiveRun("C", "p1", "Pine later", true), archiveRun("D", "p3", "Live"),
                                      archiveRun("E", "p3", "Live", false)};
  waitFor(f.state->configure(f.api(), LibrarySource::localPreview, saved));
  EXPECT_EQ(idsOf(*f.state->runs), (std::vector<std::string>{"A", "B", "C"}));
  LibraryProject pine("p1", "Pine");
  pine.runCount = 2;
  LibraryProject quay("p2", "Quay");
  quay.runCount = 1;
  EXPECT_EQ(*f.state->projects, (std::vector<LibraryProject>{pine, quay}));

  waitFor(f.state->refresh());
  waitFor(f.state->openProject(pine));
  EXPECT_EQ(idsOf(*f.state->selectedRuns), (std::vector<std::string>{"A", "C"}));
  EXPECT_EQ(f.state->projects->size(), 2u);
  EXPECT_FALSE(*f.state->busy);
  runFor(50ms);
  EXPECT_TRUE(f.service.requests().empty());
}

TEST(ProjectLibraryRefresh, WithoutAClientNothingHappens) {
  LibraryFixture f;
  waitFor(f.state->configure(std::nullopt, LibrarySource::service, {}));
  waitFor(f.state->refresh());
  waitFor(f.state->openProject(LibraryProject("P", "Pine")));
  EXPECT_FALSE(*f.state->busy);
  EXPECT_EQ(*f.state->error, std::nullopt);
  EXPECT_EQ((*f.state->selected)->id, "P");
  runFor(50ms);
  EXPECT_TRUE(f.service.requests().empty());
}

TEST(ProjectLibraryRefresh, DestroyingTheStateCancelsItsRequests) {
  LibraryFixture f;
  f.service.reply("GET", "/api/desktop/projects", stalled(Reply::json(R"({"projects":[]})")));
  f.routePages({{0, stalled(Reply::json(archivePage({}, std::nullopt)))}});
  const auto refreshed = f.state->configure(f.api(), LibrarySource::service, {});
  ASSERT_TRUE(runUntil([&] { return f.service.stalledCount() == 2; }));
  f.state.reset();
  waitFor(refreshed);
  EXPECT_TRUE(runUntil([&] { return f.service.abandonedCount() == 2; }));
  f.service.releaseStalled();
  runFor(50ms);  // a task resuming into the freed state would be caught by AddressSanitizer
}

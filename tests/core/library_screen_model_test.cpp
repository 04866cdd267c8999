// The library screen's life against the fake service: configuring on appearance, the
// token that alone reconfigures, the project the workspace asks for, the callbacks, what
// busy closes, and the run deletion confirmation.
#include "core/library/library_screen_model.h"
#include "support/library_fixture.h"

#include <gtest/gtest.h>

using namespace vesk;
using namespace vesk::testing;

namespace {

LibraryProject doral() {
  LibraryProject project("p1", "Doral", "Calmer sign-up", "landing", "redesign");
  project.runCount = 2;
  return project;
}

// A screen over the fake service with two projects, recording its callbacks.
struct ScreenFixture : LibraryFixture {
  std::vector<std::optional<std::string>> selections;
  int changes = 0;
  std::vector<std::string> reviews;
  int dismissals = 0;
  std::vector<std::string> openedRuns;
  std::unique_ptr<LibraryScreenModel> model;

  explicit ScreenFixture(std::optional<std::string> initialProjectID = std::nullopt) {
    routeLibrary({doral(), LibraryProject("p2", "Atlas")},
                 {archiveRun("r1", "p1"), archiveRun("r2", "p2", "Atlas"), archiveRun("r3", "p1")});
    routeProject(doral(), {archiveRun("r1", "p1"), archiveRun("r3", "p1")});
    routeProject(LibraryProject("p2", "Atlas"), {archiveRun("r2", "p2", "Atlas")});
    LibraryScreenCallbacks callbacks;
    callbacks.onProjectSelected = [this](const std::optional<std::string>& id) { selections.push_back(id); };
    callbacks.onLibraryChanged = [this] { ++changes; };
    callbacks.onNewReview = [this](const LibraryProject& project) { reviews.push_back(project.id); };
    callbacks.onDismiss = [this] { ++dismissals; };
    callbacks.onOpenRun = [this](const SavedAudit& run) { openedRuns.push_back(run.id); };
    model = std::make_unique<LibraryScreenModel>(dialog, LibraryScreenModel::Inputs{api(), false, {}, initialProjectID},
                                                 std::move(callbacks));
  }

  ProjectLibraryState& library() { return model->state(); }
  std::optional<std::string> openID() {
    return *library().selected ? std::optional((*library().selected)->id) : std::nullopt;
  }
  void settle() {
    ASSERT_TRUE(runUntil([&] { return !*library().busy && library().runningTasks() == 0; }));
    runFor(std::chrono::milliseconds(20));
  }
  int projectListLoads() const {
    int loads = 0;
    for (const auto& line : sent()) loads += line == "GET /api/desktop/projects";
    return loads;
  }
};

}  // namespace

TEST(LibraryScreenModel, AppearanceConfiguresThenOpensTheInitialProject) {
  ScreenFixture f("p1");
  EXPECT_EQ(f.model->title(), "Nothing on the rack yet.") << "the same title while the first load runs";
  f.model->appear();
  ASSERT_TRUE(runUntil([&] { return f.openID() == "p1" && !*f.library().busy; }));
  EXPECT_EQ(f.model->view(), LibraryView::openProject);
  EXPECT_EQ(f.model->title(), "Doral");
  EXPECT_EQ(f.model->shownCount(), 2u);
  EXPECT_EQ(f.selections, (std::vector<std::optional<std::string>>{"p1"}));
  EXPECT_EQ(f.service.requests().back().header("Authorization"), "Bearer token-1");

  // The same token (a rebuilt client, new saved runs) changes nothing; a new token reloads.
  f.model->setAPI(f.api());
  f.settle();
  EXPECT_EQ(f.projectListLoads(), 1);
  f.model->setAPI(DesktopAPI{f.service.origin(), "token-2"});
  ASSERT_TRUE(runUntil([&] { return f.projectListLoads() == 2; }));
  f.settle();
  EXPECT_EQ(f.service.requests().back().header("Authorization"), "Bearer token-2");
  EXPECT_EQ(f.openID(), "p1") << "configured again, the initial project opens again";
  EXPECT_EQ(f.selections, (std::vector<std::optional<std::string>>{"p1", std::nullopt, "p1"}));
}

TEST(LibraryScreenModel, ExternalSelectionOpensClosesOrLeavesTheProject) {
  ScreenFixture f("p1");
  f.model->appear();
  ASSERT_TRUE(runUntil([&] { return f.openID() == "p1" && !*f.library().busy; }));
  f.model->setSearch("hero");
  f.selections.clear();

  f.model->setInitialProjectID("p1");  // already open: nothing at all
  EXPECT_EQ(*f.model->search, "hero");
  EXPECT_EQ(f.openID(), "p1");

  f.model->showArchive();
  f.model->setInitialProjectID("p2");
  EXPECT_FALSE(*f.model->archive);
  EXPECT_EQ(*f.model->search, "");
  ASSERT_TRUE(runUntil([&] { return f.openID() == "p2"; }));
  f.settle();

  f.model->setInitialProjectID("unknown");
  EXPECT_EQ(f.openID(), std::nullopt) << "an id not in the list closes the project";
  f.model->setInitialProjectID(std::nullopt);
  EXPECT_EQ(f.openID(), std::nullopt);
  EXPECT_EQ(f.selections, (std::vector<std::optional<std::string>>{std::nullopt, "p2", std::nullopt}))
      << "reported on each change only: the archive pill closed p1, then p2 opened and closed";
}

TEST(LibraryScreenModel, BusyClosesProjectActionsButNotNavigation) {
  ScreenFixture f("p1");
  f.model->appear();
  ASSERT_TRUE(runUntil([&] { return f.openID() == "p1" && !*f.library().busy; }));
  EXPECT_TRUE(f.model->canRefresh());
  EXPECT_TRUE(f.model->canChangeProject());

  Reply held = Reply::json(R"({"projects":[]})");
  held.stall = true;
  f.service.reply("GET", "/api/desktop/projects", held);
  f.model->refresh();
  ASSERT_TRUE(*f.library().busy);
  EXPECT_FALSE(f.model->canRefresh());
  EXPECT_FALSE(f.model->canChangeProject());
  EXPECT_FALSE(f.model->canDeleteRun(archiveRun("r1", "p1")));
  f.model->newAudit();
  f.model->projectSettings();
  EXPECT_TRUE(f.reviews.empty());
  EXPECT_FALSE(*f.model->editor);

  f.model->setSearch("x");  // search, kind chips, pills, New project and Done stay open
  f.model->setKind("landing");
  f.model->newProject();
  EXPECT_TRUE(*f.model->editor);
  EXPECT_TRUE(*f.model->creating);
  f.model->done();
  EXPECT_EQ(f.dismissals, 1);
  f.model->showArchive();
  EXPECT_EQ(f.model->view(), LibraryView::archive);
}

TEST(LibraryScreenModel, NewAuditAndRunsReachTheShell) {
  ScreenFixture f("p1");
  f.model->appear();
  ASSERT_TRUE(runUntil([&] { return f.openID() == "p1" && !*f.library().busy; }));
  f.model->newAudit();
  EXPECT_EQ(f.reviews, std::vector<std::string>{"p1"});
  f.model->openRun(archiveRun("r3", "p1"));
  EXPECT_EQ(f.openedRuns, std::vector<std::string>{"r3"});
  SavedAudit running = archiveRun("r4", "p1");
  running.status = "running";
  EXPECT_FALSE(f.model->canDeleteRun(running));
  EXPECT_TRUE(f.model->canDeleteRun(archiveRun("r3", "p1")));

  f.model->setSearch("zzz");
  ASSERT_TRUE(f.model->emptyState());
  EXPECT_EQ(f.model->emptyState()->text, "No runs match that search.");
  f.model->backToProjects();
  EXPECT_EQ(*f.model->search, "");
  EXPECT_EQ(f.model->title(), "2 projects.");
  EXPECT_EQ(f.model->countLabel(), "2 projects");
  f.model->setKind("dashboard");
  EXPECT_EQ(f.model->countLabel(), "Showing 0 of 2");
  ASSERT_TRUE(f.model->emptyState());
  f.model->clearFilters();
  EXPECT_EQ(*f.model->kind, "all");
  EXPECT_EQ(f.model->emptyState(), std::nullopt);
}

TEST(LibraryScreenModel, RunDeletionSheetClosesOnlyWhenTheRunIsGone) {
  ScreenFixture f("p1");
  f.model->appear();
  ASSERT_TRUE(runUntil([&] { return f.openID() == "p1" && !*f.library().busy; }));

  f.service.reply("DELETE", "/api/desktop/runs/r1", Reply::error(500, "The run could not be deleted."));
  f.model->askToDeleteRun(archiveRun("r1", "p1"));
  waitFor(f.model->confirmRunDeletion());
  EXPECT_TRUE(f.model->deletingRun->has_value()) << "a failed deletion keeps the sheet open";
  EXPECT_EQ(*f.library().error, "The run could not be deleted.");
  EXPECT_EQ(f.changes, 0);

  f.service.reply("DELETE", "/api/desktop/runs/r1", Reply::json("{}"));
  waitFor(f.model->confirmRunDeletion());
  EXPECT_FALSE(f.model->deletingRun->has_value());
  EXPECT_EQ(f.changes, 1) << "the shell hears of the change once";
  EXPECT_EQ(f.model->shownCount(), 1u);

  f.model->askToDeleteRun(archiveRun("r3", "p1"));
  f.model->cancelRunDeletion();
  EXPECT_FALSE(f.model->deletingRun->has_value());
}

TEST(LibraryScreenModel, PreviewIsHiddenWhileTheEditorShows) {
  ScreenFixture f;
  f.model->appear();
  f.settle();
  f.library().anchorPreview = ReportSourcePreview::loadingPreview("x", "hero.png");
  EXPECT_TRUE(f.model->shownPreview());
  f.model->newProject();
  EXPECT_FALSE(f.model->shownPreview());
  f.model->closeEditor();
  EXPECT_TRUE(f.model->shownPreview()) << "still set: it shows once the editor closes";
  f.model->dismissPreview();
  EXPECT_FALSE(*f.library().anchorPreview);
}

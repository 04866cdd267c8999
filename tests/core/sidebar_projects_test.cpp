// The sidebar's recent-project rules: which projects it lists and in what order, the
// active project, and what each row and run item says.
#include "core/sidebar/sidebar_projects.h"

#include <gtest/gtest.h>

using namespace vesk;

namespace {

std::vector<LibraryProject> numbered(int count) {
  std::vector<LibraryProject> projects;
  for (int i = 1; i <= count; ++i) projects.emplace_back("p" + std::to_string(i), "Project " + std::to_string(i));
  return projects;
}

std::vector<std::string> ids(const std::vector<LibraryProject>& projects) {
  std::vector<std::string> result;
  for (const auto& project : projects) result.push_back(project.id);
  return result;
}

SavedAudit run(std::string id, std::string projectID, std::string projectName,
               std::optional<std::string> mode = std::nullopt, std::optional<std::string> createdAt = std::nullopt,
               std::string status = "complete") {
  return SavedAudit(std::move(id), std::move(projectID), std::move(projectName), std::move(status), "", std::move(mode),
                    std::nullopt, std::move(createdAt));
}

}  // namespace

TEST(SidebarProjects, VisibleRowsKeepFiveAndBringTheActiveProjectFirst) {
  EXPECT_EQ(ids(visibleProjects(numbered(5), std::nullopt)), (std::vector<std::string>{"p1", "p2", "p3", "p4", "p5"}));
  EXPECT_FALSE(showsMoreProjects(numbered(5)));
  EXPECT_EQ(ids(visibleProjects(numbered(6), std::nullopt)), (std::vector<std::string>{"p1", "p2", "p3", "p4", "p5"}));
  EXPECT_TRUE(showsMoreProjects(numbered(6)));
  EXPECT_EQ(ids(visibleProjects(numbered(8), "p7")), (std::vector<std::string>{"p7", "p1", "p2", "p3", "p4"}));
  EXPECT_EQ(ids(visibleProjects(numbered(8), "p3")), (std::vector<std::string>{"p1", "p2", "p3", "p4", "p5"}))
      << "an active project among the first five keeps its place";
  EXPECT_EQ(ids(visibleProjects(numbered(8), "gone")), (std::vector<std::string>{"p1", "p2", "p3", "p4", "p5"}));
  EXPECT_TRUE(visibleProjects({}, "p1").empty());
  EXPECT_FALSE(showsMoreProjects({}));
}

TEST(SidebarProjects, TheActiveProjectFollowsTheScreen) {
  const auto current = run("r1", "p2", "Two");
  EXPECT_EQ(activeProjectID(Screen::library, "p5", current), "p5");
  EXPECT_EQ(activeProjectID(Screen::library, std::nullopt, current), std::nullopt);
  EXPECT_EQ(activeProjectID(Screen::report, "p5", current), "p2");
  EXPECT_EQ(activeProjectID(Screen::progress, "p5", current), "p2");
  EXPECT_EQ(activeProjectID(Screen::report, "p5", std::nullopt), std::nullopt);
  for (const Screen screen : {Screen::home, Screen::input, Screen::discovery, Screen::review, Screen::account})
    EXPECT_EQ(activeProjectID(screen, "p5", current), std::nullopt) << rawValue(screen);
}

TEST(SidebarProjects, ThePreviewBuildsItsProjectsFromTheSavedRuns) {
  const std::vector<SavedAudit> reports{run("r1", "a", "Alpha"), run("r2", "b", "Beta"),
                                        run("r3", "a", "Alpha renamed")};
  const auto projects = previewProjects(reports);
  ASSERT_EQ(projects.size(), 2u);
  EXPECT_EQ(projects[0].id, "a");
  EXPECT_EQ(projects[0].name, "Alpha") << "named after its first saved run";
  EXPECT_EQ(projects[0].runCount, 2);
  EXPECT_EQ(projects[1].id, "b");
  EXPECT_EQ(projects[1].runCount, 1);
  EXPECT_FALSE(projects[0].lastAgent || projects[0].lastActivity || projects[0].lastRun);

  const std::vector<LibraryProject> service{LibraryProject("s", "Service")};
  EXPECT_EQ(ids(sidebarProjectList(false, service, reports)), (std::vector<std::string>{"s"}));
  EXPECT_EQ(ids(sidebarProjectList(true, service, reports)), (std::vector<std::string>{"a", "b"}));
}

TEST(SidebarProjects, RowValuesFallBackFromTheProjectToItsLastRunAndSavedRuns) {
  // Nothing known: the faint dot and a label without a dash.
  LibraryProject bare("p", "Bare");
  auto values = sidebarRowValues(bare, {});
  EXPECT_FALSE(values.hasRuns);
  EXPECT_EQ(values.dot, SidebarDot::faint);
  EXPECT_EQ(values.accessibleLabel, "Bare");
  EXPECT_EQ(values.tooltip, "Bare");
  bare.runCount = 0;
  EXPECT_FALSE(sidebarRowValues(bare, {}).hasRuns);
  bare.runCount = 3;
  values = sidebarRowValues(bare, {});
  EXPECT_TRUE(values.hasRuns) << "a run count alone means runs";
  EXPECT_EQ(values.dot, SidebarDot::ring) << "an absent agent counts as ours";
  EXPECT_EQ(values.accessibleLabel, "Bare \u2014 Quick read");

  // A saved run stands in for the agent (ours) and the mode.
  LibraryProject saved("p", "Saved");
  values = sidebarRowValues(
      saved, {run("r0", "other", "Other", "full"), run("r1", "p", "Saved", "quick"), run("r2", "p", "Saved", "full")});
  EXPECT_EQ(values.agent, "vesk");
  EXPECT_EQ(values.mode, "quick") << "the first saved run of the project";
  EXPECT_EQ(values.dot, SidebarDot::ring);
  values = sidebarRowValues(saved, {run("r2", "p", "Saved", "full")});
  EXPECT_EQ(values.dot, SidebarDot::red);
  EXPECT_EQ(values.accessibleLabel, "Saved \u2014 Full audit");

  // The last run comes before the saved runs; the project's own fields before both.
  LibraryProject described("p", "Described");
  described.lastRun = LibraryLastRun("r9", "brask", "full");
  values = sidebarRowValues(described, {run("r1", "p", "Described", "quick")});
  EXPECT_EQ(values.agent, "brask");
  EXPECT_EQ(values.mode, "full");
  EXPECT_EQ(values.runLabel, "Brask run");
  EXPECT_EQ(values.dot, SidebarDot::muted);
  described.lastAgent = "olva";
  described.lastAuditMode = "followup";
  values = sidebarRowValues(described, {});
  EXPECT_EQ(values.runLabel, "Olva run");
  EXPECT_EQ(values.dot, SidebarDot::muted) << "another agent's dot whatever its mode";
  described.lastAgent = "vesk";
  values = sidebarRowValues(described, {});
  EXPECT_EQ(values.runLabel, "Follow-up");
  EXPECT_EQ(values.dot, SidebarDot::ring);
  described.lastAgent = "someone";
  EXPECT_EQ(sidebarRowValues(described, {}).dot, SidebarDot::red) << "an unknown agent";

  // The tooltip shows the activity text as received.
  described.lastActivity = "2026-03-04T10:20:30.123Z";
  EXPECT_EQ(sidebarRowValues(described, {}).tooltip, "Described \u00B7 2026-03-04T10:20:30.123Z");
}

TEST(SidebarProjects, RunMenuTitlesShowTheDateOrTheStatus) {
  EXPECT_EQ(runMenuTitle(run("r", "p", "P", "full", "2026-03-04T10:20:30Z")), "Full audit \u00B7 2026-03-04");
  EXPECT_EQ(runMenuTitle(run("r", "p", "P", "quick", std::nullopt, "failed")), "Quick read \u00B7 failed");
  EXPECT_EQ(runMenuTitle(run("r", "p", "P", std::nullopt, "2026")), "Quick read \u00B7 2026") << "a short time";
  EXPECT_EQ(
      runMenuTitle(run("r", "p", "P", "followup", "\u00E9\u00E9\u00E9\u00E9\u00E9\u00E9\u00E9\u00E9\u00E9\u00E9xx")),
      "Follow-up \u00B7 \u00E9\u00E9\u00E9\u00E9\u00E9\u00E9\u00E9\u00E9\u00E9\u00E9")
      << "ten characters, never cut inside one";
  const std::vector<SavedAudit> reports{run("a", "p", "P"), run("b", "q", "Q"), run("c", "p", "P")};
  const auto runs = projectRuns("p", reports);
  ASSERT_EQ(runs.size(), 2u);
  EXPECT_EQ(runs[0].id, "a");
  EXPECT_EQ(runs[1].id, "c");
}

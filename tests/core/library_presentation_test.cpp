// The words and lists of the library screen: titles, counts, filters, empty states, dates
// and the run rows.
#include "core/library/library_presentation.h"
#include "core/library/project_editor_model.h"

#include <gtest/gtest.h>

#include <glib.h>

using namespace vesk;

namespace {

LibraryProject project(std::string id, std::string name, std::optional<std::string> brief = std::nullopt,
                       std::optional<std::string> kind = std::nullopt) {
  LibraryProject p(std::move(id), std::move(name));
  p.brief = std::move(brief);
  p.kind = std::move(kind);
  return p;
}

std::vector<std::string> idsOf(const std::vector<LibraryProject>& projects) {
  std::vector<std::string> ids;
  for (const auto& p : projects) ids.push_back(p.id);
  return ids;
}

SavedAudit runWithInput(std::optional<std::string> input) {
  SavedAudit run("r1", "p1", "Doral", "complete", "# Report");
  run.input = std::move(input);
  return run;
}

}  // namespace

TEST(LibraryPresentation, TitlesAndCountsFollowTheNumberOfProjects) {
  EXPECT_EQ(libraryTitle(LibraryView::projects, std::nullopt, 0), "Nothing on the rack yet.");
  EXPECT_EQ(libraryTitle(LibraryView::projects, std::nullopt, 1), "One project.");
  EXPECT_EQ(libraryTitle(LibraryView::projects, std::nullopt, 12), "12 projects.");
  EXPECT_EQ(libraryTitle(LibraryView::archive, project("p1", "Doral"), 12), "The archive");
  EXPECT_EQ(libraryTitle(LibraryView::openProject, project("p1", "Doral"), 12), "Doral");

  EXPECT_EQ(libraryCountLabel("all", "", 0, 0), "0 projects");
  EXPECT_EQ(libraryCountLabel("all", "   ", 1, 1), "1 project") << "a search of spaces is no search";
  EXPECT_EQ(libraryCountLabel("all", "", 12, 12), "12 projects");
  EXPECT_EQ(libraryCountLabel("all", "dor", 3, 12), "Showing 3 of 12");
  EXPECT_EQ(libraryCountLabel("landing", "", 0, 12), "Showing 0 of 12");

  EXPECT_EQ(libraryRunCount(1), "1 run");
  EXPECT_EQ(libraryRunCount(0), "0 runs");
  EXPECT_EQ(libraryRunCount(std::nullopt), "0 runs");
  EXPECT_EQ(libraryRunCount(12), "12 runs");
}

TEST(LibraryPresentation, SearchTrimsIgnoresCaseAndCoversBriefAndReport) {
  const std::vector<LibraryProject> projects{project("p1", "Doral", "Calmer sign-up", "landing"),
                                             project("p2", "Atlas", std::nullopt, "dashboard"),
                                             project("p3", "Quay", "Ops console")};
  EXPECT_EQ(idsOf(filteredProjects(projects, "all", "  CALMER  ")), std::vector<std::string>{"p1"});
  EXPECT_EQ(idsOf(filteredProjects(projects, "all", "doral calm")), std::vector<std::string>{"p1"})
      << "name and brief are searched as one text, joined by a space";
  EXPECT_EQ(idsOf(filteredProjects(projects, "all", " \n")), (std::vector<std::string>{"p1", "p2", "p3"}));
  EXPECT_EQ(idsOf(filteredProjects(projects, "landing", "")), std::vector<std::string>{"p1"})
      << "a project without a kind never passes a kind filter";
  EXPECT_EQ(idsOf(filteredProjects(projects, "dashboard", "")), std::vector<std::string>{"p2"});
  EXPECT_TRUE(libraryTextContains("ÉCLAIR", "éclair"));

  std::vector<SavedAudit> runs{SavedAudit("r1", "p1", "Doral", "complete", "The hero needs CONTRAST."),
                               SavedAudit("r2", "p2", "Atlas", "complete", "Fine.")};
  ASSERT_EQ(filteredRuns(runs, " contrast ").size(), 1u);
  EXPECT_EQ(filteredRuns(runs, " contrast ")[0].id, "r1");
  EXPECT_EQ(filteredRuns(runs, "atlas")[0].id, "r2");
  EXPECT_EQ(filteredRuns(runs, "").size(), 2u);
}

TEST(LibraryPresentation, EmptyStatesOfferToClearWhatHidTheItems) {
  EXPECT_EQ(projectsEmptyState(0, "all", "  "), std::nullopt) << "no filter: the title says it";
  const auto filtered = projectsEmptyState(0, "landing", "");
  ASSERT_TRUE(filtered);
  EXPECT_EQ(filtered->text, "Nothing matches that. Try a different word.");
  EXPECT_EQ(filtered->clear, LibraryEmptyState::Clear::filters);
  EXPECT_EQ(filtered->clearTitle, "Clear filters");
  EXPECT_EQ(projectsEmptyState(2, "landing", "x"), std::nullopt);

  const auto none = runsEmptyState(0, " ");
  ASSERT_TRUE(none);
  EXPECT_EQ(none->text, "Nothing here yet. That’s about to change.");
  EXPECT_EQ(none->clear, LibraryEmptyState::Clear::none);
  const auto searched = runsEmptyState(0, "zzz");
  ASSERT_TRUE(searched);
  EXPECT_EQ(searched->text, "No runs match that search.");
  EXPECT_EQ(searched->clearTitle, "Clear search");
  EXPECT_EQ(librarySearchPrompt(LibraryView::projects), "Search by name or brief…");
  EXPECT_EQ(librarySearchPrompt(LibraryView::openProject), "Search past runs…");
  EXPECT_EQ(librarySearchPrompt(LibraryView::archive), "Search runs…");
}

TEST(LibraryPresentation, ActivityLabelReadsBothDateFormsAndLeavesOtherTextAlone) {
  g_setenv("TZ", "UTC", TRUE);
  const std::string withFraction = libraryActivityLabel("2024-05-02T10:00:00.123Z");
  const std::string without = libraryActivityLabel("2024-05-02T10:00:00Z");
  EXPECT_EQ(withFraction, without);
  EXPECT_NE(without, "2024-05-02T10:00:00Z");
  EXPECT_NE(without.find("2024"), std::string::npos);
  EXPECT_NE(without.find('2'), std::string::npos);
  EXPECT_EQ(libraryActivityLabel("2024-05-02T12:00:00+02:00"), without);
  EXPECT_EQ(libraryActivityLabel("yesterday"), "yesterday");
  EXPECT_EQ(libraryActivityLabel("2024-05-02"), "2024-05-02") << "a date alone is not a date-time";
  EXPECT_EQ(libraryActivityLabel("2024-05-02T10:00:00"), "2024-05-02T10:00:00") << "no zone";
  EXPECT_EQ(libraryActivityLabel("2024-13-40T10:00:00Z"), "2024-13-40T10:00:00Z");
  EXPECT_EQ(libraryActivityLabel(""), "");
}

TEST(LibraryPresentation, RunTitleIsTheFirstNonEmptyLineCutToWholeCharacters) {
  EXPECT_EQ(libraryRunTitle(runWithInput("\r\n\r\n  Check the pricing page  \r\nMore")), "Check the pricing page");
  EXPECT_EQ(libraryRunTitle(runWithInput("\u0085\u0085Hero first\u0085second")), "Hero first");
  EXPECT_EQ(libraryRunTitle(runWithInput("\u2028Hero\u2028second")), "Hero");
  EXPECT_EQ(libraryRunTitle(runWithInput("One\u2029Two")), "One");
  EXPECT_EQ(libraryRunTitle(runWithInput("\n\n   \nText later")), "Doral")
      << "a first line of spaces gives the project name";
  EXPECT_EQ(libraryRunTitle(runWithInput(std::nullopt)), "Doral");
  EXPECT_EQ(libraryRunTitle(runWithInput("\n\n")), "Doral");

  std::string long200;
  for (int i = 0; i < 200; ++i) long200 += "e\u0301";  // 200 characters of two code points each
  const std::string title = libraryRunTitle(runWithInput(long200));
  EXPECT_EQ(title, long200.substr(0, 160 * std::string("e\u0301").size()));

  SavedAudit named = runWithInput("Doral");
  EXPECT_EQ(libraryArchiveTitleTail(named), "");
  EXPECT_EQ(libraryArchiveTitleTail(runWithInput("Pricing")), " · Pricing");
}

TEST(LibraryPresentation, MetaLineNamesTheAgentModeNumberAndStatus) {
  SavedAudit foreign("r1", "p1", "Doral", "complete", "");
  foreign.agent = "claude code";
  foreign.auditMode = "full";
  EXPECT_EQ(libraryRunMeta(foreign), "Claude Code · Complete");

  SavedAudit followUp("r2", "p1", "Doral", "complete", "");
  followUp.agent = "vesk";
  followUp.auditMode = "followup";
  followUp.runNumber = 2;
  EXPECT_EQ(libraryRunMeta(followUp), "Discussion · Run 2 · Complete");

  SavedAudit full("r3", "p1", "Doral", "RUNNING", "");
  full.auditMode = "full";
  full.runNumber = 7;
  EXPECT_EQ(libraryRunMeta(full), "Full audit · Run 7 · Running");

  SavedAudit quick("r4", "p1", "Doral", "failed", "");
  EXPECT_EQ(libraryRunMeta(quick), "Quick read · Failed");
  EXPECT_EQ(libraryDeleteRunName(quick), "Delete Doral run");
  quick.createdAt = "2024-05-02T10:00:00Z";
  EXPECT_EQ(libraryRunDate(quick), "2024-05-02");
}

TEST(LibraryPresentation, OnlyWebAddressesBecomeLinks) {
  EXPECT_TRUE(isWebLink("https://doral.example/pricing"));
  EXPECT_TRUE(isWebLink("HTTP://doral.example"));
  EXPECT_FALSE(isWebLink("doral.example"));
  EXPECT_FALSE(isWebLink("javascript:alert(1)"));
  EXPECT_FALSE(isWebLink("file:///etc/passwd"));
  EXPECT_FALSE(isWebLink("https://exa mple.com"));
  EXPECT_EQ(libraryIntentLabel("new"), "Build something new");
  EXPECT_EQ(libraryIntentLabel("redesign"), "Audit existing work");
  EXPECT_EQ(libraryScrollIdentity(false, std::nullopt), "false-projects");
  EXPECT_EQ(libraryScrollIdentity(true, project("p1", "Doral")), "true-p1");
}

TEST(ProjectDeletionName, AcceptsTheSavedNameTrimmedAndCanonicallyEquivalentOnly) {
  EXPECT_TRUE(deletionNameMatches("  Café \n", "Café"));
  EXPECT_TRUE(deletionNameMatches("Cafe\u0301", "Caf\u00e9")) << "decomposed form";
  EXPECT_FALSE(deletionNameMatches("café", "Café")) << "case counts";
  EXPECT_FALSE(deletionNameMatches("", "   ")) << "an empty saved name never passes with nothing typed";
  EXPECT_FALSE(deletionNameMatches("  ", "")) << "nor with spaces typed";
  EXPECT_FALSE(deletionNameMatches("Caf", "Café"));
}

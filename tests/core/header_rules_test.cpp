// The header's rules: titles, the toolbar of each screen, the report actions and where
// Back leads; and where the page frame puts its column.
#include "core/shell/header_rules.h"
#include "core/shell/page_frame_layout.h"

#include <gtest/gtest.h>

using namespace vesk;

namespace {

SavedAudit run(const std::string& status, std::optional<std::string> mode = std::nullopt,
               std::optional<std::string> agent = std::nullopt, std::optional<bool> fixture = std::nullopt) {
  return SavedAudit("r1", "p1", "Doral <b>shop</b>", status, "", std::move(mode), fixture, std::nullopt, std::nullopt,
                    std::nullopt, std::nullopt, std::move(agent));
}

}  // namespace

TEST(HeaderRules, TitlesOfEveryScreen) {
  const std::optional<SavedAudit> none;
  EXPECT_EQ(screenTitle(Screen::home, none, "quick"), "New audit");
  EXPECT_FALSE(showsTitle(Screen::home));
  EXPECT_EQ(screenTitle(Screen::input, none, "quick"), "New audit");
  EXPECT_TRUE(showsTitle(Screen::input));
  EXPECT_EQ(screenTitle(Screen::discovery, none, "quick"), "Discovery");
  EXPECT_EQ(screenTitle(Screen::review, none, "full"), "Full audit");
  EXPECT_EQ(screenTitle(Screen::account, none, "quick"), "Your account");
  EXPECT_EQ(screenTitle(Screen::library, none, "quick"), "Projects & history");
  EXPECT_EQ(screenTitle(Screen::report, none, "quick"), "Report");
  EXPECT_EQ(screenTitle(Screen::report, run("complete"), "quick"), "Doral <b>shop</b>");

  // Progress follows the open run's own mode, then the composer's.
  EXPECT_EQ(screenTitle(Screen::progress, run("running", "full"), "quick"), "Full audit in progress");
  EXPECT_EQ(screenTitle(Screen::progress, run("running", "quick"), "full"), "Quick read in progress");
  EXPECT_EQ(screenTitle(Screen::progress, run("running"), "quick"), "Quick read in progress");
  EXPECT_EQ(screenTitle(Screen::progress, run("running"), "full"), "Full audit in progress");
  EXPECT_EQ(screenTitle(Screen::progress, none, "full"), "Full audit in progress");
  EXPECT_FALSE(isQuickRead(run("running", "Quick"), "quick")) << "the mode is compared exactly";
}

TEST(HeaderRules, ToolbarOfEachScreen) {
  using enum HeaderItem;
  using Items = std::vector<HeaderItem>;
  EXPECT_EQ(headerItems(Screen::home), (Items{toggleSidebar, separator, newAudit}));
  EXPECT_EQ(headerItems(Screen::input), (Items{toggleSidebar, addFiles, separator, newAudit}));
  EXPECT_EQ(headerItems(Screen::discovery), (Items{toggleSidebar, back, separator, newAudit}));
  EXPECT_EQ(headerItems(Screen::review), (Items{toggleSidebar, back, separator, newAudit}));
  EXPECT_EQ(headerItems(Screen::report),
            (Items{toggleSidebar, separator, exportPDF, shareReport, print, separator, newAudit}));
  for (const Screen screen : {Screen::progress, Screen::account, Screen::library})
    EXPECT_EQ(headerItems(screen), (Items{toggleSidebar, separator, newAudit})) << rawValue(screen);
}

TEST(HeaderRules, ReportActionsNeedACompleteRunOfVesk) {
  using Actions = ReportActions;
  EXPECT_EQ(reportActions(std::nullopt, false), (Actions{false, false, true}));
  EXPECT_EQ(reportActions(run("complete"), false), (Actions{true, true, true})) << "no agent counts as vesk";
  EXPECT_EQ(reportActions(run("complete", "full", "vesk"), false), (Actions{true, true, true}));
  EXPECT_EQ(reportActions(run("complete", "full", "olva"), false), (Actions{false, false, true}));
  EXPECT_EQ(reportActions(run("complete", "full", "brask"), false), (Actions{false, false, true}));
  EXPECT_EQ(reportActions(run("complete", "full", "Vesk"), false), (Actions{false, false, true}));
  EXPECT_EQ(reportActions(run("running", "full"), false), (Actions{false, false, true}));
  EXPECT_EQ(reportActions(run("failed"), false), (Actions{false, false, true}));
  // The local preview cannot export; a sample run cannot be shared.
  EXPECT_EQ(reportActions(run("complete"), true), (Actions{false, true, true}));
  EXPECT_EQ(reportActions(run("complete", "quick", std::nullopt, true), true), (Actions{false, false, true}));
  EXPECT_EQ(reportActions(run("complete", "quick", std::nullopt, true), false), (Actions{true, false, true}));
}

TEST(HeaderRules, BackLeadsFromReviewToDiscoveryAndFromDiscoveryOut) {
  EXPECT_EQ(backStep(Screen::review, false), BackStep::toDiscovery);
  EXPECT_EQ(backStep(Screen::review, true), BackStep::toDiscovery);
  EXPECT_EQ(backStep(Screen::discovery, true), BackStep::toComposer);
  EXPECT_EQ(backStep(Screen::discovery, false), BackStep::newAudit);
}

TEST(PageFrameLayout, TheColumnIsAtMost790AndCentred) {
  using Column = PageFrameLayout::Column;
  EXPECT_EQ(PageFrameLayout::column(1420), (Column{315, 790}));
  EXPECT_EQ(PageFrameLayout::column(870), (Column{40, 790}));
  EXPECT_EQ(PageFrameLayout::column(700), (Column{40, 620})) << "a narrow frame lets the column shrink";
  EXPECT_EQ(PageFrameLayout::column(60), (Column{40, 0}));
}

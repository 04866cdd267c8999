// The comparison chooser against the fake service: loading, failure with "Try again",
// rows and their choice, the 260-point list, and the root's chooser for the composer.
#include "ui/report/comparison_chooser.h"
#include "core/shell/root_view_state.h"
#include "support/report_harness.h"
#include "support/run_loop.h"
#include "ui/app/root_view.h"
#include "ui/app/sheet_layer.h"
#include "ui/style/vesk_sheet_surface.h"
#include "ui/support/shell_window.h"
#include "ui/support/synthetic_input.h"
#include "ui/support/ui_test.h"

using namespace std::chrono_literals;
using namespace vesk;
using namespace vesk::testing;
using vesk::ui::ReportComparisonView;

namespace {

class ComparisonChooserTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    if (!SyntheticInput::available()) GTEST_SKIP() << "needs an X11 display with XTest";
    SyntheticInput::moveAway();
  }
};

std::string audits(int count) {
  nlohmann::json list = nlohmann::json::array();
  for (int i = 0; i < count; ++i) {
    list.push_back({{"id", "a" + std::to_string(i)},
                    {"createdAt", i == 1 ? "2024-02" : "2024-03-0" + std::to_string(i % 9 + 1) + "T09:00:00Z"},
                    {"subject", i == 0 ? "" : "Pricing page, revision " + std::to_string(i)}});
  }
  return nlohmann::json{{"audits", list}}.dump();
}

}  // namespace

TEST_F(ComparisonChooserTest, FailsRetriesListsAndChooses) {
  ShellWindow shell;
  ReportHarness h;
  h.routeRun("R", {{"id", "R"}});
  h.bindLoaded(reportRun("R"));
  h.service.reply("GET", desktop("projects/P/reaudits"), Reply::error(500, "The archive is resting."));
  std::vector<std::string> chosen;
  int cancels = 0;
  auto owned = std::make_unique<ReportComparisonView>(
      *h.state, [&](const ReportBaseline& baseline) { chosen.push_back(baseline.id); }, [&] { ++cancels; });
  auto& sheet = *owned;
  auto& sheets = shell.root().sheets();
  bool dismissed = false;
  ui::SheetLayer::Options options;
  options.onDismissed = [&] { dismissed = true; };
  sheets.present(std::move(owned), std::move(options));
  h.state->loadBaselines();
  EXPECT_TRUE(sheet.loadingRow().get_visible());
  EXPECT_TRUE(sheet.rowButtons().empty());
  h.settle();
  shell.settle();
  EXPECT_FALSE(sheet.loadingRow().get_visible());
  EXPECT_TRUE(sheet.errorLabel().get_visible());
  EXPECT_TRUE(sheet.tryAgainButton().get_visible());
  EXPECT_TRUE(sheet.rowButtons().empty());

  // "Try again" loads again: the error goes while it loads, then the rows show.
  h.service.reply("GET", desktop("projects/P/reaudits"), Reply::json(audits(12)));
  shell.clickCentre(sheet.tryAgainButton());
  EXPECT_FALSE(sheet.errorLabel().get_visible());
  h.settle();
  shell.settle();
  EXPECT_EQ(h.service.requestsTo("GET", desktop("projects/P/reaudits")).size(), 2u);
  ASSERT_EQ(sheet.rowButtons().size(), 12u);
  EXPECT_FALSE(sheet.tryAgainButton().get_visible());
  EXPECT_EQ(sheet.look().rows[0].subject, "Full audit");
  EXPECT_EQ(sheet.look().rows[1].date, "2024-02");
  EXPECT_LE(sheet.list().get_height(), ReportComparisonView::listHeight);
  EXPECT_GE(sheet.list().get_height(), ReportComparisonView::listHeight - 1) << "twelve rows fill the list";
  renderAndKeep(*sheets.topSurface(), "report-comparison-chooser.png");

  // A row hands its baseline over; the chooser does not close itself.
  shell.clickCentre(*sheet.rowButtons()[0]);
  EXPECT_EQ(chosen, std::vector<std::string>{"a0"});
  EXPECT_EQ(sheets.depth(), 1u);
  shell.clickCentre(sheet.cancelButton());
  EXPECT_EQ(cancels, 1);
  EXPECT_EQ(sheets.depth(), 1u);
  shell.press("Escape");
  EXPECT_TRUE(runUntil([&] { return dismissed; }, 5s));
}

TEST_F(ComparisonChooserTest, TheComposersChooserNeedsAProject) {
  ShellWindow shell;
  auto& root = shell.root();
  root.openComparisonChooser();
  shell.settle();
  EXPECT_EQ(root.sheets().depth(), 0u) << "no project: nothing opens";

  shell.workspace().setProjectID(std::string("P"));
  root.openComparisonChooser();
  shell.settle();
  ASSERT_EQ(root.sheets().depth(), 1u);
  EXPECT_TRUE(*root.state().changingComparison);
  EXPECT_EQ(root.comparisonState().comparisonProjectID(), std::optional<std::string>("P"));
  auto* view =
      dynamic_cast<ReportComparisonView*>(dynamic_cast<ui::VeskSheetSurface*>(root.sheets().topSurface())->get_child());
  ASSERT_NE(view, nullptr);
  shell.clickCentre(view->cancelButton());
  EXPECT_TRUE(runUntil([&] { return root.sheets().depth() == 0; }, 5s));
  EXPECT_FALSE(*root.state().changingComparison);
}

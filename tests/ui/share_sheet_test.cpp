// The share sheet against the fake service: creating, copying and revoking a link, with
// Escape meaning what the sheet's state says, under a real keyboard and pointer.
#include "ui/report/share_sheet.h"
#include "support/report_harness.h"
#include "support/run_loop.h"
#include "ui/app/root_view.h"
#include "ui/app/sheet_layer.h"
#include "ui/support/shell_window.h"
#include "ui/support/synthetic_input.h"
#include "ui/support/ui_test.h"

using namespace std::chrono_literals;
using namespace vesk;
using namespace vesk::testing;
using vesk::ui::ReportShareView;

namespace {

class ShareSheetTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    if (!SyntheticInput::available()) GTEST_SKIP() << "needs an X11 display with XTest";
    SyntheticInput::moveAway();
  }
};

bool shown(Gtk::Widget& widget) { return widget.get_visible() && widget.is_drawable(); }

}  // namespace

TEST_F(ShareSheetTest, CreateCopyRevokeAndEscape) {
  ShellWindow shell;
  ReportHarness h;
  h.routeRun("R", {{"id", "R"}});
  h.bindLoaded(reportRun("R"));
  auto created = Reply::json(R"({"slug":"abc"})");
  created.stall = true;  // held until the test has seen the creating state
  h.service.reply("POST", desktop("runs/R/share"), created);
  h.service.reply("DELETE", desktop("runs/R/share"), Reply::json("{}"));

  auto& sheets = shell.root().sheets();
  std::optional<ui::SheetLayer::SheetId> id;
  int dismissals = 0;
  auto owned = std::make_unique<ReportShareView>(*h.state, [&] {
    ++dismissals;
    sheets.dismiss(*id);
  });
  auto& sheet = *owned;
  id = sheets.present(std::move(owned));
  shell.settle();

  // No link: Cancel and Create share link.
  EXPECT_TRUE(shown(sheet.cancelButton()));
  EXPECT_TRUE(shown(sheet.createButton()));
  EXPECT_TRUE(sheet.createButton().is_sensitive());
  EXPECT_FALSE(shown(sheet.doneButton()));
  EXPECT_FALSE(shown(sheet.linkBox()));
  renderAndKeep(*sheets.topSurface(), "report-share-sheet-no-link.png");

  shell.clickCentre(sheet.createButton());
  EXPECT_TRUE(*h.state->busy);
  shell.settle();
  EXPECT_FALSE(sheet.createButton().is_sensitive()) << "creating: every button disabled";
  EXPECT_FALSE(sheet.cancelButton().is_sensitive());
  shell.press("Escape");
  EXPECT_EQ(sheets.depth(), 1u) << "busy: Escape does nothing";
  ASSERT_TRUE(runUntil([&] { return h.service.stalledCount() == 1; }));
  h.service.releaseStalled();
  h.settle();
  shell.settle();

  // Link shown, already copied.
  EXPECT_EQ(std::string(sheet.linkBox().get_text()), h.service.origin() + "/c/abc");
  EXPECT_TRUE(sheet.linkBox().get_selectable());
  EXPECT_EQ(sheet.messageLabel().get_text(), "Copied");
  EXPECT_EQ(h.clipboard->texts, std::vector<std::string>{h.service.origin() + "/c/abc"});
  EXPECT_TRUE(shown(sheet.copyLinkButton()));
  EXPECT_TRUE(shown(sheet.armRevokeButton()));
  EXPECT_TRUE(shown(sheet.doneButton()));
  EXPECT_FALSE(shown(sheet.cancelButton()));
  renderAndKeep(*sheets.topSurface(), "report-share-sheet.png");
  shell.clickCentre(sheet.copyLinkButton());
  EXPECT_EQ(h.clipboard->texts.size(), 2u);

  // Armed: Escape only disarms.
  shell.clickCentre(sheet.armRevokeButton());
  EXPECT_TRUE(shown(sheet.revokeButton()));
  EXPECT_FALSE(shown(sheet.copyLinkButton()));
  EXPECT_TRUE(shown(sheet.linkBox()));
  EXPECT_FALSE(shown(sheet.messageLabel())) << "the copy's notice does not linger under the warning";
  renderAndKeep(*sheets.topSurface(), "share-sheet-armed.png");
  shell.press("Escape");
  EXPECT_EQ(sheets.depth(), 1u);
  EXPECT_FALSE(sheet.model().revokeArmed());
  EXPECT_TRUE(shown(sheet.doneButton()));

  // Revoked: back to the create footer.
  shell.clickCentre(sheet.armRevokeButton());
  shell.clickCentre(sheet.revokeButton());
  h.settle();
  shell.settle();
  EXPECT_EQ(h.service.requestsTo("DELETE", desktop("runs/R/share")).size(), 1u);
  EXPECT_FALSE(h.state->sharedSlug->has_value());
  EXPECT_FALSE(sheet.model().revokeArmed());
  EXPECT_TRUE(shown(sheet.createButton()));
  EXPECT_FALSE(shown(sheet.linkBox()));

  // No link: Escape dismisses.
  shell.press("Escape");
  EXPECT_TRUE(runUntil([&] { return sheets.depth() == 0; }, 5s));
  EXPECT_EQ(dismissals, 0) << "Escape closes through the layer, not the sheet's own button";
}

TEST_F(ShareSheetTest, SampleReportsCannotCreateALink) {
  ShellWindow shell;
  ReportHarness h;
  h.state->configure(std::nullopt, reportRun("R"), ReportMode::localPreview);
  auto owned = std::make_unique<ReportShareView>(*h.state, [] {});
  auto& sheet = *owned;
  shell.root().sheets().present(std::move(owned));
  shell.settle();
  EXPECT_TRUE(shown(sheet.createButton()));
  EXPECT_FALSE(sheet.createButton().is_sensitive());
  EXPECT_TRUE(sheet.cancelButton().is_sensitive());
}

// A sheet shows only what its own steps said: the "Copied" of an earlier sheet, or of the
// report's actions, is not carried into a new one; its own copy still says it.
TEST_F(ShareSheetTest, AFreshSheetShowsNoEarlierNotice) {
  ShellWindow shell;
  ReportHarness h;
  h.routeRun("R", {{"id", "R"}}, {{"slug", "abc"}});
  h.bindLoaded(reportRun("R"));
  ASSERT_TRUE(h.state->shareURL().has_value());
  auto& sheets = shell.root().sheets();

  std::optional<ui::SheetLayer::SheetId> id;
  const auto open = [&]() -> ReportShareView& {
    auto owned = std::make_unique<ReportShareView>(*h.state, [&] { sheets.dismiss(*id); });
    auto& sheet = *owned;
    id = sheets.present(std::move(owned));
    shell.settle();
    return sheet;
  };

  auto& first = open();
  EXPECT_FALSE(shown(first.messageLabel()));
  shell.clickCentre(first.copyLinkButton());
  shell.settle();
  EXPECT_EQ(first.messageLabel().get_text(), "Copied");
  shell.clickCentre(first.doneButton());
  ASSERT_TRUE(runUntil([&] { return sheets.depth() == 0; }, 5s));

  auto& second = open();
  EXPECT_FALSE(shown(second.messageLabel())) << "the earlier sheet's notice is gone";
  renderAndKeep(*sheets.topSurface(), "share-sheet-reopened.png");
  shell.clickCentre(second.copyLinkButton());
  shell.settle();
  EXPECT_TRUE(shown(second.messageLabel())) << "its own copy says so again";
  EXPECT_EQ(second.messageLabel().get_text(), "Copied");
  EXPECT_EQ(h.clipboard->texts.size(), 2u);
  shell.clickCentre(second.doneButton());
  ASSERT_TRUE(runUntil([&] { return sheets.depth() == 0; }, 5s));

  // The report's own "Copy Markdown" notice stays out of the next sheet as well.
  h.state->copyMarkdown();
  auto& third = open();
  EXPECT_FALSE(shown(third.messageLabel()));
}

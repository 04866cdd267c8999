// The report in the real window over a signed-in workspace and the fake service: the
// finished audit in the reader, the header's share command, copying the
// deliverable to the desktop clipboard, creating and revoking a share link, and a
// follow-up question whose discussion run opens.
#include "support/run_loop.h"
#include "support/workspace_harness.h"
#include "ui/app/header_band.h"
#include "ui/app/header_toolbar.h"
#include "ui/app/root_view.h"
#include "ui/app/sheet_layer.h"
#include "ui/app/shell_commands.h"
#include "ui/app/window_header_view.h"
#include "ui/report/reader/reader_web_context.h"
#include "ui/report/reader/report_reader_view.h"
#include "ui/report/report_panel.h"
#include "ui/report/report_screen.h"
#include "ui/report/share_sheet.h"
#include "ui/style/vesk_sheet_surface.h"
#include "ui/support/header_probe.h"
#include "ui/support/shell_window.h"
#include "ui/support/synthetic_input.h"
#include "ui/support/ui_test.h"
#include "ui/support/web_page_probe.h"

#include <gdkmm/clipboard.h>
#include <gdkmm/display.h>

#include <filesystem>

using namespace std::chrono_literals;
using namespace vesk;
using namespace vesk::testing;

namespace {

class ReportWindowTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    if (!SyntheticInput::available()) GTEST_SKIP() << "needs an X11 display with XTest";
    SyntheticInput::moveAway();
  }
};

const std::string reportText = "# Landing page audit\n\nThe hero is quiet.\n\n## Findings\n\nThe call to action hides.";

template <class T>
T* topSheet(ShellWindow& shell) {
  auto* surface = dynamic_cast<ui::VeskSheetSurface*>(shell.root().sheets().topSurface());
  return surface ? dynamic_cast<T*>(surface->get_child()) : nullptr;
}

ui::ReportScreen* reportScreen(ShellWindow& shell) {
  const auto found =
      descendants(shell.root(), [](Gtk::Widget& w) { return dynamic_cast<ui::ReportScreen*>(&w) != nullptr; });
  return found.empty() ? nullptr : static_cast<ui::ReportScreen*>(found.front());
}

// Opens the finished run "R" (the report above) in `workspace`.
void openFinishedReport(Workspace& workspace) {
  auto saved = savedRun("R", "complete", "full");
  saved.output = reportText;
  workspace.openReport(saved);
}

}  // namespace

TEST_F(ReportWindowTest, CopyShareAndAFollowUpFromTheReportScreen) {
  WorkspaceHarness h;
  auto workspace = h.signedIn();
  auto run = runJson("R", "complete", "full", reportText);
  run["urls"] = {{{"url", "https://example.com"}, {"title", "Example home"}}};
  h.service.reply("GET", desktop("runs/R"), Reply::json(run.dump()));
  h.service.reply("GET", desktop("runs/R/share"), Reply::json("{}"));
  h.service.reply("POST", desktop("runs/R/share"), Reply::json(R"({"slug":"s-42"})"));
  h.service.reply("DELETE", desktop("runs/R/share"), Reply::json("{}"));
  h.service.reply(
      "POST", desktop("runs/R/refine"),
      Reply::json(R"({"id":"F","status":"complete","output":"# Answer\n\nLouder.","auditMode":"followup"})"));
  h.service.reply("GET", desktop("runs/F"),
                  Reply::json(runJson("F", "complete", "followup", "# Answer\n\nLouder.").dump()));
  h.service.reply("GET", desktop("runs/F/share"), Reply::json("{}"));
  openFinishedReport(*workspace);

  ShellWindow shell(workspace);
  ui::ReportScreen* screen = nullptr;
  ASSERT_TRUE(runUntil([&] { return (screen = reportScreen(shell)) != nullptr; }));
  ASSERT_TRUE(runUntil([&] { return !*screen->state().report().loadingDetails; }));
  shell.settle();
  EXPECT_EQ(screen->kindLabel().get_text(), "Full audit");
  EXPECT_FALSE(screen->localPreviewLabel().get_visible());
  EXPECT_EQ(screen->reader().arguments().markdown, reportText);
  ASSERT_TRUE(pageUntil(screen->reader().webView(),
                        "document.querySelector('h1') && document.querySelector('h1').textContent === "
                        "'Landing page audit'"))
      << "the reader page never showed the report";
  EXPECT_TRUE(screen->reader().arguments().interactive);
  EXPECT_EQ(screen->reader().arguments().provenanceJSON, R"([{"url":"https://example.com"}])");
  runFor(500ms);  // the web process paints the drawn report
  shell.settle();
  renderAndKeep(shell.root(), "report-screen.png");

  // The header's share command opens the share sheet; Escape closes it.
  shell.window().activate_action(ui::ShellCommands::shareReport.detailedName());
  shell.settle();
  ASSERT_NE(topSheet<ui::ReportShareView>(shell), nullptr);
  shell.press("Escape");
  ASSERT_TRUE(runUntil([&] { return shell.root().sheets().depth() == 0; }, 5s));

  // Copy puts the deliverable on the desktop clipboard.
  shell.clickCentre(screen->actionsButton());
  auto* panel = topSheet<ui::ReportActionsPanel>(shell);
  ASSERT_NE(panel, nullptr);
  renderAndKeep(shell.root(), "report-screen-panel.png");
  shell.clickCentre(panel->copyButton());
  EXPECT_EQ(clipboardText(), std::optional(screen->state().report().markdown()));
  EXPECT_NE(screen->state().report().markdown().find("The hero is quiet."), std::string::npos);

  // A share link is created (and copied), then revoked.
  shell.clickCentre(panel->shareButton());
  auto* share = topSheet<ui::ReportShareView>(shell);
  ASSERT_NE(share, nullptr);
  shell.clickCentre(share->createButton());
  ASSERT_TRUE(runUntil([&] { return screen->state().report().sharedSlug->has_value(); }));
  shell.settle();
  EXPECT_EQ(std::string(share->linkBox().get_text()), h.service.origin() + "/c/s-42");
  EXPECT_EQ(clipboardText(), std::optional(h.service.origin() + "/c/s-42"));
  EXPECT_EQ(panel->shareButton().get_label(), "Shared…");
  renderAndKeep(shell.root(), "report-screen-share-sheet.png");
  shell.clickCentre(share->armRevokeButton());
  shell.clickCentre(share->revokeButton());
  ASSERT_TRUE(runUntil([&] { return !screen->state().report().sharedSlug->has_value(); }));
  EXPECT_EQ(h.service.requestsTo("DELETE", desktop("runs/R/share")).size(), 1u);
  shell.settle();
  shell.clickCentre(share->cancelButton());
  ASSERT_TRUE(runUntil([&] { return shell.root().sheets().depth() == 1; }, 5s));

  // A follow-up question creates a discussion run, which opens.
  shell.clickCentre(panel->discussion().field());
  SyntheticInput::typeInto(panel->discussion().field(), "why is the hero so quiet");
  shell.settle();
  shell.pressChord({"Control_L", "Return"});
  ASSERT_TRUE(runUntil([&] { return (*workspace->current)->id == "F"; }));
  ASSERT_TRUE(runUntil([&] { return shell.root().sheets().depth() == 0; }, 5s)) << "the panel closed";
  shell.settle();
  EXPECT_EQ(*workspace->screen, Screen::report);
  EXPECT_FALSE(*workspace->reportMutationInFlight);
  screen = reportScreen(shell);
  ASSERT_NE(screen, nullptr);
  EXPECT_EQ(screen->kindLabel().get_text(), "Discussion");
  EXPECT_TRUE(screen->reader().arguments().discussion);
  EXPECT_EQ(screen->reader().arguments().provenanceJSON, "[]");
  const auto asked = h.service.requestsTo("POST", desktop("runs/R/refine"));
  ASSERT_EQ(asked.size(), 1u);
  EXPECT_EQ(nlohmann::json::parse(asked[0].body)["instruction"], "why is the hero so quiet");
}

TEST_F(ReportWindowTest, TheHeaderTheMenuAndTheShortcutPrintTheRenderedReport) {
  WorkspaceHarness h;
  auto workspace = h.signedIn();
  h.service.reply("GET", desktop("runs/R"), Reply::json(runJson("R", "complete", "full", reportText).dump()));
  h.service.reply("GET", desktop("runs/R/share"), Reply::json("{}"));
  openFinishedReport(*workspace);

  ShellWindow shell(workspace);
  ui::ReportScreen* screen = nullptr;
  ASSERT_TRUE(runUntil([&] { return (screen = reportScreen(shell)) != nullptr; }));
  ASSERT_TRUE(runUntil([&] { return screen->reader().pageLoaded(); }, 20s));
  const auto pdf = std::filesystem::path(shell.folder()) / "printed.pdf";
  shell.root().readerWeb().printToFile(pdf);

  // Each way of printing writes the rendered report, its first heading included.
  const auto printedBy = [&](const std::string& way, const std::function<void()>& print) {
    std::filesystem::remove(pdf);
    print();
    ASSERT_TRUE(runUntil([&] { return std::filesystem::exists(pdf) && !screen->reader().printing(); }, 30s)) << way;
    const auto text = pdfText(pdf);
    EXPECT_NE(text.find("Landing page audit"), std::string::npos) << way << ": " << text;
  };
  // The shortcut works with the keyboard in the page, too.
  printedBy("Ctrl+P", [&] {
    shell.clickCentre(screen->reader());
    EXPECT_TRUE(runUntil([&] { return gtk_widget_has_focus(GTK_WIDGET(screen->reader().webView())); }, 5s));
    shell.pressChord({"Control_L", "p"});
  });
  printedBy("the header", [&] {
    auto* button = shell.root().headerView().toolbar().button(HeaderItem::print);
    ASSERT_NE(button, nullptr);
    shell.clickCentre(*button);
  });
  printedBy("the menu", [&] {
    shell.openMenu();
    shell.clickMenuItem("Print report");
  });
}

TEST_F(ReportWindowTest, ScrolledUnderTheHeadersTheReportCannotBeRead) {
  WorkspaceHarness h;
  auto workspace = h.signedIn();
  std::string longReport = "# Landing page audit\n\n";
  for (int i = 1; i <= 40; ++i)
    longReport +=
        "Finding " + std::to_string(i) + ": the hero is quiet and the call to action hides below the fold.\n\n";
  h.service.reply("GET", desktop("runs/R"), Reply::json(runJson("R", "complete", "full", longReport).dump()));
  h.service.reply("GET", desktop("runs/R/share"), Reply::json("{}"));
  auto saved = savedRun("R", "complete", "full");
  saved.output = longReport;
  workspace->openReport(saved);

  ShellWindow shell(workspace);
  auto& root = shell.root();
  ui::ReportScreen* screen = nullptr;
  ASSERT_TRUE(runUntil([&] { return (screen = reportScreen(shell)) != nullptr; }));
  ASSERT_TRUE(runUntil([&] { return !*screen->state().report().loadingDetails; }));
  WebKitWebView* page = screen->reader().webView();
  ASSERT_TRUE(pageUntil(page, "document.querySelectorAll('p').length >= 40")) << "the reader never showed the report";
  runFor(300ms);
  shell.settle();

  // The window's header row and, below it, the screen's own header row; their items.
  const auto headersArea = [&] {
    Box area = headerArea(root);
    const Box ownHeader = boundsIn(screen->header(), root);
    EXPECT_GT(boundsIn(*screen->header().get_first_child(), root).y, area.height)
        << "the screen's header row lies below the window's";
    area.height = ownHeader.y + ownHeader.height;
    return area;
  };
  const auto headersItems = [&] {
    std::vector<Box> items = headerItems(root, 0);
    for (auto* item = screen->header().get_first_child()->get_first_child(); item; item = item->get_next_sibling())
      if (!item->get_hexpand() && item->get_visible()) items.push_back(boundsIn(*item, root));
    for (auto& item : items) item = {item.x - 16, item.y - 16, item.width + 32, item.height + 32};
    return items;
  };
  const auto textUnder = [&](const Box& area, const Box& reader) {
    return "[...document.querySelectorAll('p')].some(p => { const r = p.getBoundingClientRect(); "
           "return r.bottom > 0 && r.top < " +
           std::to_string(area.height - reader.y) + "; })";
  };
  const Box area = headersArea();
  const Pixels rest = render(root);

  // The wheel over the report takes its text up under both header rows.
  const Box reader = boundsIn(screen->reader(), root);
  SyntheticInput::scroll(screen->reader(), reader.width / 2.0, reader.height * 0.6, 4);
  ASSERT_TRUE(pageUntil(page, "window.scrollY > 200")) << evaluateInPage(page, "window.scrollY").value_or("?");
  ASSERT_TRUE(pageUntil(page, textUnder(area, reader))) << "the report's text lies under the headers";
  runFor(500ms);  // the web process paints the scrolled page
  shell.settle();
  const Pixels scrolled = renderAndKeep(root, "report-scrolled.png");
  const Box below{reader.x, area.height + 80, reader.width, 300};
  EXPECT_GT(compare(scrolled, rest, below).count, 0) << "the frame shows the report scrolled";

  const auto leak = compare(scrolled, rest, area);
  EXPECT_EQ(leak.count, 0) << leak.describe();
  const auto band = compare(scrolled, canvasOnly(root), area, headersItems());
  EXPECT_EQ(band.count, 0) << "around the headers' items the area is the canvas itself: " << band.describe();

  // The banner pushes the screen's header down, and the report stays hidden down to it.
  workspace->error = std::string("The share link could not be read. Try again in a moment.");
  ASSERT_TRUE(runUntil([&] {
    return root.header().banner().get_mapped() &&
           boundsIn(*screen->header().get_first_child(), root).y > headerArea(root).height;
  }));
  runFor(300ms);
  shell.settle();
  const Box pushed = headersArea();
  EXPECT_GT(pushed.height, area.height);
  ASSERT_TRUE(pageUntil(page, textUnder(pushed, reader))) << "the report's text lies under the headers";
  const auto withBanner =
      compare(renderAndKeep(root, "report-scrolled-banner.png"), canvasOnly(root), pushed, headersItems());
  EXPECT_EQ(withBanner.count, 0) << withBanner.describe();
}

// The "Your report" panel against the fake service, under a real keyboard and pointer:
// its rows, the discussion field's bound, sending, the lock while busy, and its sheets
// closing before their answers run.
#include "ui/report/report_panel.h"
#include "core/style/vesk_web_tokens.h"
#include "support/report_harness.h"
#include "support/run_loop.h"
#include "ui/app/root_view.h"
#include "ui/app/sheet_layer.h"
#include "ui/report/comparison_chooser.h"
#include "ui/report/report_delete_sheet.h"
#include "ui/style/vesk_sheet_surface.h"
#include "ui/support/shell_window.h"
#include "ui/support/synthetic_input.h"
#include "ui/support/ui_test.h"

#include <gdkmm/clipboard.h>
#include <gdkmm/display.h>
#include <gtkmm/scrolledwindow.h>

using namespace std::chrono_literals;
using namespace vesk;
using namespace vesk::testing;
using vesk::ui::ReportActionsPanel;

namespace {

class ReportPanelTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    if (!SyntheticInput::available()) GTEST_SKIP() << "needs an X11 display with XTest";
    SyntheticInput::moveAway();
  }

  // Binds run "R" with two sources and two attachments and shows the panel.
  ReportActionsPanel& open(ShellWindow& shell, ReportHarness& h, const std::string& instruction = "") {
    h.routeRun("R", {{"id", "R"},
                     {"input", "Our landing page, before the spring launch."},
                     {"inheritedFromRunId", "run_base"},
                     {"urls",
                      {{{"url", "https://a.example"}, {"title", "Home"}, {"note", "Captured at 1440 wide"}},
                       {{"url", "https://b.example"}, {"error", "Blocked by robots.txt"}, {"note", "Login wall"}}}},
                     {"attachments",
                      {{{"filename", "brief.pdf"}, {"mediaType", "application/pdf"}, {"url", "/a/0"}},
                       {{"filename", "home.png"}, {"mediaType", "image/png"}, {"url", "/a/1"}}}}});
    h.bindLoaded(reportRun("R"));
    ReportActionsPanel::Callbacks callbacks;
    callbacks.onClose = [this] { ++closes; };
    callbacks.onReaudit = [this, &shell](const ReportBaseline& baseline) {
      reaudits.push_back(baseline.id);
      depthAtAnswer = shell.root().sheets().depth();
    };
    callbacks.onDelete = [this, &shell](const std::string& runID) {
      deleted.push_back(runID);
      depthAtAnswer = shell.root().sheets().depth();
    };
    callbacks.openLink = [this](const std::string& address) { opened.push_back(address); };
    auto panel =
        std::make_unique<ReportActionsPanel>(*h.state, shell.root().sheets(), std::move(callbacks), true, instruction);
    auto& shown = *panel;
    shell.root().sheets().present(std::move(panel));
    shell.settle();
    return shown;
  }

  Gtk::Widget* topContent(ShellWindow& shell) {
    auto* surface = dynamic_cast<ui::VeskSheetSurface*>(shell.root().sheets().topSurface());
    return surface ? surface->get_child() : nullptr;
  }

  static std::vector<Gtk::Button*> buttonsLabelled(Gtk::Widget& within, const std::string& label) {
    std::vector<Gtk::Button*> found;
    for (auto* widget : descendants(within, [&](Gtk::Widget& w) {
           auto* button = dynamic_cast<Gtk::Button*>(&w);
           return button && button->get_visible() && std::string(button->get_label()) == label;
         }))
      found.push_back(static_cast<Gtk::Button*>(widget));
    return found;
  }

  int closes = 0;
  std::vector<std::string> reaudits;
  std::vector<std::string> deleted;
  std::vector<std::string> opened;
  std::size_t depthAtAnswer = 0;
};

}  // namespace

TEST_F(ReportPanelTest, RowsLinksAndTheLockWhileBusy) {
  ShellWindow shell;
  ReportHarness h;
  auto& panel = open(shell, h);
  EXPECT_EQ(panel.get_width(), ReportActionsPanel::width);
  EXPECT_EQ(panel.get_height(), ReportActionsPanel::height);
  renderAndKeep(*shell.root().sheets().topSurface(), "report-panel.png");

  // The actions row: the unframed "Delete run…" shares the framed pills' centre line.
  const auto centreY = [&](Gtk::Widget& pill) {
    graphene_rect_t bounds;
    EXPECT_TRUE(gtk_widget_compute_bounds(pill.gobj(), GTK_WIDGET(panel.gobj()), &bounds));
    return bounds.origin.y + bounds.size.height / 2;
  };
  EXPECT_LT(panel.deleteButton().get_height(), panel.copyButton().get_height());
  EXPECT_NEAR(centreY(panel.deleteButton()), centreY(panel.copyButton()), 0.5);
  EXPECT_NEAR(centreY(panel.compareButton()), centreY(panel.copyButton()), 0.5);

  // The first source opens in the browser; the failed one's link is disabled.
  auto links = descendants(panel, [](Gtk::Widget& w) { return w.has_css_class("vesk-source-link"); });
  ASSERT_EQ(links.size(), 2u);
  EXPECT_TRUE(links[0]->is_sensitive());
  EXPECT_FALSE(links[1]->is_sensitive());
  shell.clickCentre(*links[0]);
  EXPECT_EQ(opened, std::vector<std::string>{"https://a.example"});
  // The PDF offers only Save file…; the image both.
  EXPECT_EQ(buttonsLabelled(panel, "View image").size(), 1u);
  EXPECT_EQ(buttonsLabelled(panel, "Save file…").size(), 2u);
  EXPECT_TRUE(panel.openOriginalButton().get_visible());

  // Busy: the close button and Escape do nothing.
  h.state->busy = true;
  shell.settle();
  EXPECT_FALSE(panel.closeButton().is_sensitive());
  shell.press("Escape");
  EXPECT_EQ(shell.root().sheets().depth(), 1u);
  EXPECT_FALSE(panel.deleteButton().is_sensitive());
  h.state->busy = false;
  shell.settle();
  shell.clickCentre(panel.closeButton());
  EXPECT_EQ(closes, 1);
  shell.press("Escape");
  EXPECT_TRUE(runUntil([&] { return shell.root().sheets().depth() == 0; }, 5s));
}

TEST_F(ReportPanelTest, PastingPastTheBoundAndSending) {
  ShellWindow shell;
  ReportHarness h;
  auto& panel = open(shell, h);
  auto& field = panel.discussion().field();

  // The empty field's prompt is in the placeholder colour, not in ink.
  auto& prompt = panel.discussion().placeholder();
  EXPECT_TRUE(prompt.get_visible());
  EXPECT_EQ(std::string(prompt.get_text()), "Ask about this audit");
  const Gdk::RGBA colour = prompt.get_style_context()->get_color();
  const auto expected = VeskWebTokens::placeholder;
  EXPECT_NEAR(colour.get_red(), expected.red, 0.01);
  EXPECT_NEAR(colour.get_green(), expected.green, 0.01);
  EXPECT_NEAR(colour.get_blue(), expected.blue, 0.01);
  auto* scroller = dynamic_cast<Gtk::ScrolledWindow*>(panel.discussion().get_ancestor(GTK_TYPE_SCROLLED_WINDOW));
  ASSERT_NE(scroller, nullptr);
  const auto adjustment = scroller->get_vadjustment();
  adjustment->set_value(adjustment->get_upper() - adjustment->get_page_size());
  shell.settle();
  renderAndKeep(*shell.root().sheets().topSurface(), "report-panel-discussion.png");

  // A paste of 1,999 "a" and a thumb with a skin tone keeps the 1,999 units.
  const std::string thumbs = "\U0001F44D\U0001F3FD";
  Gdk::Display::get_default()->get_clipboard()->set_text(std::string(1999, 'a') + thumbs);
  field.grab_focus();  // the expanded sources may push the field below the fold
  shell.pressChord({"Control_L", "v"});
  ASSERT_TRUE(runUntil([&] { return panel.discussion().text() == std::string(1999, 'a'); }, 5s));
  EXPECT_EQ(panel.discussion().text(), std::string(1999, 'a'));
  EXPECT_EQ(panel.discussion().counter().get_text(), "1999 / 2,000 characters");
  EXPECT_TRUE(panel.sendButton().is_sensitive());

  // Blanks: the send button is disabled and Ctrl+Return sends nothing.
  field.get_buffer()->set_text("");
  SyntheticInput::typeInto(field, "   ");
  shell.press("Return");
  shell.settle();
  EXPECT_FALSE(panel.sendButton().is_sensitive());
  shell.pressChord({"Control_L", "Return"});
  shell.settle();
  EXPECT_FALSE(*h.state->busy);
  EXPECT_TRUE(h.service.requestsTo("POST", desktop("runs/R/refine")).empty());

  // Ctrl+Return sends the text as typed; the operation trims it.
  h.service.reply("POST", desktop("runs/R/refine"),
                  Reply::json(R"({"id":"F","status":"complete","output":"# Answer","auditMode":"followup"})"));
  field.get_buffer()->set_text("  Why is the hero so quiet? \n");
  shell.settle();
  shell.pressChord({"Control_L", "Return"});
  EXPECT_EQ(panel.discussion().text(), "  Why is the hero so quiet? \n") << "the text stays as typed";
  h.settle();
  const auto sent = h.service.requestsTo("POST", desktop("runs/R/refine"));
  ASSERT_EQ(sent.size(), 1u);
  EXPECT_EQ(nlohmann::json::parse(sent[0].body)["instruction"], "Why is the hero so quiet?");
  ASSERT_TRUE(h.state->createdRun->has_value());
  EXPECT_EQ((*h.state->createdRun)->id, "F");
}

TEST_F(ReportPanelTest, AnInstructionPrefillIsBoundedOnFirstDisplay) {
  ShellWindow shell;
  ReportHarness h;
  auto& panel = open(shell, h, std::string(2100, 'b'));
  EXPECT_EQ(panel.discussion().text(), std::string(2000, 'b'));
  EXPECT_EQ(panel.discussion().counter().get_text(), "2000 / 2,000 characters");
  EXPECT_TRUE(panel.sources().get_expanded());
}

TEST_F(ReportPanelTest, TheChooserAndTheDeleteSheetCloseBeforeTheirAnswers) {
  ShellWindow shell;
  ReportHarness h;
  auto& panel = open(shell, h);
  h.service.reply("GET", desktop("projects/P/reaudits"),
                  Reply::json(R"({"audits":[{"id":"base_1","createdAt":"2024-01-02T00:00:00Z","subject":""}]})"));
  shell.clickCentre(panel.compareButton());
  ASSERT_EQ(shell.root().sheets().depth(), 2u);
  h.settle();
  shell.settle();
  auto* chooser = dynamic_cast<ui::ReportComparisonView*>(topContent(shell));
  ASSERT_NE(chooser, nullptr);
  ASSERT_EQ(chooser->rowButtons().size(), 1u);
  shell.clickCentre(*chooser->rowButtons()[0]);
  EXPECT_EQ(reaudits, std::vector<std::string>{"base_1"});
  EXPECT_EQ(depthAtAnswer, 1u) << "the chooser closed before the re-audit started";

  auto deletion = Reply::json("");
  deletion.stall = true;  // held while the test looks at the sheet's busy state
  h.service.reply("DELETE", desktop("runs/R"), deletion);
  shell.clickCentre(panel.deleteButton());
  auto* confirmation = dynamic_cast<ui::ReportDeleteConfirmation*>(topContent(shell));
  ASSERT_NE(confirmation, nullptr);
  renderAndKeep(*shell.root().sheets().topSurface(), "report-panel-delete-sheet.png");
  shell.clickCentre(confirmation->deleteButton());
  EXPECT_EQ(confirmation->deleteButton().get_label(), "Deleting…");
  EXPECT_FALSE(confirmation->cancelButton().is_sensitive());
  shell.press("Escape");
  EXPECT_EQ(shell.root().sheets().depth(), 2u) << "Escape does nothing while deleting";
  ASSERT_TRUE(runUntil([&] { return h.service.stalledCount() == 1; }));
  h.service.releaseStalled();
  h.settle();
  EXPECT_EQ(deleted, std::vector<std::string>{"R"});
  EXPECT_EQ(depthAtAnswer, 1u) << "the delete sheet closed before onDelete";
}

// The reader in the real window, report after report: each report screen gets a view of
// its own, and Copy, Refine and Save answers work in every one of them with real clicks
// and keys; a reconnect while a report shows hands the reader the new token.
#include "support/run_loop.h"
#include "support/workspace_harness.h"
#include "ui/app/root_view.h"
#include "ui/report/reader/report_reader_view.h"
#include "ui/report/report_screen.h"
#include "ui/support/shell_window.h"
#include "ui/support/synthetic_input.h"
#include "ui/support/ui_test.h"
#include "ui/support/web_page_probe.h"

#include <gdkmm/clipboard.h>
#include <gdkmm/display.h>

using namespace std::chrono_literals;
using namespace vesk;
using namespace vesk::testing;

namespace {

class ReportReaderWindowTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    if (!SyntheticInput::available()) GTEST_SKIP() << "needs an X11 display with XTest";
    SyntheticInput::moveAway();
  }
};

ui::ReportScreen* reportScreen(ShellWindow& shell) {
  const auto found =
      descendants(shell.root(), [](Gtk::Widget& w) { return dynamic_cast<ui::ReportScreen*>(&w) != nullptr; });
  return found.empty() ? nullptr : static_cast<ui::ReportScreen*>(found.front());
}

// A finished full audit with discovery questions and one finding.
std::string reportOf(const std::string& name) {
  return "<discovery>\n"
         R"({"questions":[{"id":"audience","question":"Who is it for?","options":["Founders","Designers"]}]})"
         "\n</discovery>\n\n# " +
         name + " audit\n\nThe offer arrives late.\n\n### The hero hides its offer in " + name +
         "\n\nVisitors scroll before they learn what is sold.\n";
}

void routeRun(WorkspaceHarness& h, const std::string& id, const std::string& name) {
  h.service.reply("GET", desktop("runs/" + id), Reply::json(runJson(id, "complete", "full", reportOf(name)).dump()));
  h.service.reply("GET", desktop("runs/" + id + "/share"), Reply::json("{}"));
  Reply refined = Reply::json("### The hero hides its offer\n\nRefined for " + name + ".");
  refined.contentType = "text/plain";
  h.service.reply("POST", desktop("runs/" + id + "/refine-finding"), refined);
  h.service.reply(
      "POST", desktop("runs/" + id + "/answers"),
      Reply::json(nlohmann::json({{"output", "# " + name + " audit\n\nAnswered for " + name + "."}}).dump()));
}

// Goes home, then opens run `id` on a fresh report screen, and waits for its page.
ui::ReportScreen* openOnAFreshScreen(ShellWindow& shell, Workspace& workspace, const std::string& id,
                                     const std::string& name) {
  workspace.screen = Screen::home;
  shell.settle();
  auto run = savedRun(id, "complete", "full");
  run.output = reportOf(name);
  workspace.openReport(run);
  ui::ReportScreen* screen = nullptr;
  EXPECT_TRUE(runUntil([&] { return (screen = reportScreen(shell)) != nullptr; }));
  if (!screen) return nullptr;
  EXPECT_TRUE(runUntil([&] { return screen->reader().pageLoaded(); }, 20s));
  EXPECT_TRUE(
      pageUntil(screen->reader().webView(), "document.querySelector('h1')?.textContent === '" + name +
                                                " audit' && "
                                                "document.querySelector('[data-action=copy-finding]') !== null"))
      << name << ": the report never showed";
  return screen;
}

// Clicks the page's element for real, once it has settled in view.
void clickInPage(ui::ReportScreen& screen, const std::string& selector) {
  const auto at = pageCentreOf(screen.reader().webView(), selector);
  ASSERT_TRUE(at) << selector << " is not in the page";
  SyntheticInput::click(screen.reader(), at->first, at->second);
}

// The copy chips say "Copied" until the test looks: their label's reset waits longer.
void keepCopyLabels(WebKitWebView* view) {
  ASSERT_TRUE(evaluateInPage(view, R"(
    const later = window.setTimeout;
    window.setTimeout = (work, delay, ...rest) => later(work, delay === 1600 ? 600000 : delay, ...rest);
    true)"));
}

}  // namespace

TEST_F(ReportReaderWindowTest, CopyRefineAndSaveAnswersWorkInThreeReportsInARow) {
  WorkspaceHarness h;
  auto workspace = h.signedIn();
  const std::vector<std::pair<std::string, std::string>> runs = {
      {"R1", "Landing"}, {"R2", "Pricing"}, {"R3", "Checkout"}};
  for (const auto& [id, name] : runs) routeRun(h, id, name);
  ShellWindow shell(workspace);
  shell.settle();

  std::set<int> processes;
  for (std::size_t number = 0; number < runs.size(); ++number) {
    const auto& [id, name] = runs[number];
    SCOPED_TRACE(name);
    auto* screen = openOnAFreshScreen(shell, *workspace, id, name);
    ASSERT_NE(screen, nullptr);
    WebKitWebView* page = screen->reader().webView();
    if (number == 0) processes = ownWebProcesses();

    // Copy on the finding reaches the desktop clipboard and says so.
    keepCopyLabels(page);
    clickInPage(*screen, "[data-action=copy-finding]");
    ASSERT_TRUE(pageUntil(page, "document.querySelector('[data-action=copy-finding]').textContent === 'Copied'"))
        << evaluateInPage(page, "document.querySelector('[data-action=copy-finding]').textContent").value_or("?");
    const auto copied = clipboardText();
    ASSERT_TRUE(copied);
    EXPECT_NE(copied->find("The hero hides its offer in " + name), std::string::npos) << *copied;
    if (number == 1) {
      shell.settle();
      renderAndKeep(shell.root(), "reader-second-report-copied.png");
    }

    // Refine: the form opens under the finding, takes an instruction and shows the answer.
    clickInPage(*screen, "[data-action=refine-toggle]");
    ASSERT_TRUE(pageUntil(page, "document.querySelector('form.refine-form textarea') !== null"));
    clickInPage(*screen, "form.refine-form textarea");
    ASSERT_TRUE(pageUntil(page, "document.activeElement?.matches('form.refine-form textarea')"));
    SyntheticInput::typeInto(*Glib::wrap(GTK_WIDGET(page)), "shorter please");
    ASSERT_TRUE(pageUntil(page, "document.activeElement.value === 'shorter please'"));
    clickInPage(*screen, "form.refine-form button[type=submit]");
    ASSERT_TRUE(
        pageUntil(page, "document.querySelector('.refined-body')?.textContent.includes('Refined for " + name + ".')"))
        << "the refined finding never showed";
    const auto refines = h.service.requestsTo("POST", desktop("runs/" + id + "/refine-finding"));
    ASSERT_EQ(refines.size(), 1u);
    EXPECT_NE(refines[0].body.find("shorter please"), std::string::npos) << refines[0].body;
    if (number == 1) {
      shell.settle();
      renderAndKeep(shell.root(), "reader-second-report-refined.png");
    }

    // Save answers: a choice, then the form's button; the answered report replaces it.
    clickInPage(*screen, "form.answers-form label.choice");
    ASSERT_TRUE(pageUntil(page, "document.querySelector('form.answers-form input:checked') !== null"));
    clickInPage(*screen, "form.answers-form button[type=submit]");
    ASSERT_TRUE(runUntil([&] { return !h.service.requestsTo("POST", desktop("runs/" + id + "/answers")).empty(); }))
        << "the answers never reached the service";
    const auto answers = h.service.requestsTo("POST", desktop("runs/" + id + "/answers"));
    EXPECT_EQ(nlohmann::json::parse(answers[0].body),
              nlohmann::json::parse(R"({"answers":{"audience":["Founders"]}})"));
    ASSERT_TRUE(pageUntil(page, "document.body.innerText.includes('Answered for " + name + ".')"))
        << "the answered report never showed";
    EXPECT_EQ(ownWebProcesses(), processes) << "one web process for every report";
  }
}

TEST_F(ReportReaderWindowTest, AReconnectWhileAReportShowsHandsTheReaderTheNewToken) {
  WorkspaceHarness h;
  auto workspace = h.signedIn();
  std::string report = "# Evidence audit\n\n### A finding\n\n![The first screen](/api/url-shot/run_R/0)\n";
  h.service.reply("GET", desktop("runs/run_R"), Reply::json(runJson("run_R", "complete", "full", report).dump()));
  h.service.reply("GET", desktop("runs/run_R/share"), Reply::json("{}"));
  Reply shot = Reply::json(solidPng(40, 30));
  shot.contentType = "image/png";
  h.service.reply("GET", desktop("runs/run_R/url-shot/0"), shot);
  h.service.reply("POST", desktop("runs/run_R/answers"), Reply::json(R"({"output":"# Evidence audit\n\nAnswered."})"));
  auto run = savedRun("run_R", "complete", "full");
  run.output = report;
  workspace->openReport(run);
  ShellWindow shell(workspace);
  ui::ReportScreen* screen = nullptr;
  ASSERT_TRUE(runUntil([&] { return (screen = reportScreen(shell)) != nullptr; }));
  ASSERT_TRUE(runUntil([&] { return screen->reader().pageLoaded(); }, 20s));
  ASSERT_TRUE(pageUntil(screen->reader().webView(), "document.querySelector('img')?.naturalWidth === 40"));
  EXPECT_EQ(h.service.requestsTo("GET", desktop("runs/run_R/url-shot/0")).back().header("Authorization"),
            "Bearer token-1");

  // Sign in again from the running window, keeping the open report.
  h.routeSignIn("token-2");
  workspace->connect(Workspace::SavedWork::preserve);
  ASSERT_TRUE(runUntil([&] { return !h.launched.empty(); }));
  h.returnFromBrowser();
  ASSERT_TRUE(runUntil([&] { return !*workspace->busy && workspace->account->has_value(); }));
  shell.settle();
  ASSERT_EQ(reportScreen(shell), screen) << "the report stayed on show";
  ASSERT_TRUE(screen->reader().arguments().api);
  EXPECT_EQ(screen->reader().arguments().api->token, std::optional<std::string>("token-2"));

  // The page's next evidence request and its next service request carry the new token.
  WebKitWebView* page = screen->reader().webView();
  ASSERT_TRUE(evaluateInPage(page, R"(
    const again = document.createElement('img');
    again.id = 'again';
    again.src = 'vesk-resource://report/url-shot/0';
    document.body.appendChild(again);
    true)"));
  ASSERT_TRUE(pageUntil(page, "document.getElementById('again').naturalWidth === 40"));
  EXPECT_EQ(h.service.requestsTo("GET", desktop("runs/run_R/url-shot/0")).back().header("Authorization"),
            "Bearer token-2");
  ASSERT_TRUE(evaluateInPage(page,
                             "window.webkit.messageHandlers.veskReport.postMessage({type: 'request', id: 'a1', "
                             "path: '/api/runs/run_R/answers', body: '{}'}); true"));
  ASSERT_TRUE(runUntil([&] { return !h.service.requestsTo("POST", desktop("runs/run_R/answers")).empty(); }));
  EXPECT_EQ(h.service.requestsTo("POST", desktop("runs/run_R/answers")).back().header("Authorization"),
            "Bearer token-2");
}

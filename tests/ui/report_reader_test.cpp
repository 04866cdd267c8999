// The report reader in a real WebKitGTK view under Xvfb, against the loopback fake
// service: evidence through the scheme with the token kept from the page, a fresh
// document for another run, showReport once per distinct value, the page's requests
// through the bridge's checks, links that go to the browser, printing to a PDF file, and
// a reader torn down with a request in flight.
#include "core/api/desktop_api_sentences.h"
#include "fake_service/fake_service.h"
#include "support/run_loop.h"
#include "support/temporary_folder.h"
#include "support/workspace_harness.h"
#include "ui/app/root_view.h"
#include "ui/report/reader/reader_web_context.h"
#include "ui/report/reader/report_reader_view.h"
#include "ui/report/report_screen.h"
#include "ui/support/shell_window.h"
#include "ui/support/synthetic_input.h"
#include "ui/support/ui_test.h"
#include "ui/support/web_page_probe.h"

#include <nlohmann/json.hpp>

#include <glib.h>

#include <fstream>
#include <memory>
#include <vector>

using namespace std::chrono_literals;
using namespace vesk;
using namespace vesk::testing;

namespace {

class RecordingClipboard : public Clipboard {
 public:
  std::vector<std::string> texts;
  void setText(const std::string& text) override { texts.push_back(text); }
};

// A reader in a window of its own, over the fake service. `earlierReports` readers of the
// same web context come and go first, as when the window showed other reports before.
class ReaderUnderTest {
 public:
  explicit ReaderUnderTest(FakeService& service, int width = 900, int height = 700, int earlierReports = 0)
      : service_(service) {
    for (int earlier = 0; earlier < earlierReports; ++earlier) showEarlierReport(earlier);
    reader_ = std::make_unique<ui::ReportReaderView>(web, testResources().file("reader/reader.html"), clipboard,
                                                     [this](const std::string& address) { opened.push_back(address); });
    window_ = std::make_unique<ShownWindow>(*reader_, width, height);
  }
  ~ReaderUnderTest() {
    window_.reset();
    reader_.reset();
  }

  ReaderArguments arguments(const std::string& runID, const std::string& markdown,
                            const std::string& token = "token-1") const {
    ReaderArguments arguments;
    arguments.markdown = markdown;
    arguments.api = DesktopAPI{service_.origin(), token};
    arguments.runID = runID;
    arguments.interactive = true;
    arguments.topInset = 24;
    arguments.provenanceJSON = "[]";
    return arguments;
  }

  void show(const ReaderArguments& arguments) {
    reader_->setArguments(arguments, [this](const std::string& output, const std::string& runID) {
      outputs.emplace_back(output, runID);
      // Scripts run in the page in the order they are sent: this one marks how many
      // replies the page had when the new text arrived.
      webkit_web_view_evaluate_javascript(view(), "window.testRepliesAtOutput = (window.testReplies || []).length", -1,
                                          nullptr, nullptr, nullptr, nullptr, nullptr);
    });
  }
  // Shows `arguments` and waits for the page to render them.
  void showAndWait(const ReaderArguments& arguments) {
    show(arguments);
    ASSERT_TRUE(runUntil([&] { return reader_->pageLoaded(); }, 20s)) << "the reader page never loaded";
    ASSERT_TRUE(pageUntil(view(), "document.body && document.body.dataset.rendered")) << "nothing was rendered";
  }

  // Records every reply and showReport call the page receives from now on (until the
  // next document).
  void recordPageCalls() {
    ASSERT_TRUE(evaluateInPage(view(), R"(
      window.testReplies = []; window.testShows = [];
      const receive = window.receiveVeskResponse;
      window.receiveVeskResponse = (reply) => { window.testReplies.push(reply); return receive(reply); };
      const show = window.showReport;
      window.showReport = (...args) => { window.testShows.push(args); return show(...args); };
      true)"));
  }
  nlohmann::json pageValue(const std::string& script) {
    const auto json = evaluateInPage(view(), script);
    return json ? nlohmann::json::parse(*json, nullptr, false) : nlohmann::json();
  }
  nlohmann::json replies() { return pageValue("window.testReplies"); }
  // Posts one message to the application as the page does.
  void post(const nlohmann::json& message) {
    ASSERT_TRUE(
        evaluateInPage(view(), "window.webkit.messageHandlers.veskReport.postMessage(" + message.dump() + "); true"));
  }

  WebKitWebView* view() const { return reader_->webView(); }
  ui::ReportReaderView& reader() { return *reader_; }
  // The view of the report before this one (while someone holds it).
  glib::ObjectPtr<WebKitWebView> earlierView;
  void destroyReader() {
    window_.reset();
    reader_.reset();
  }

  ui::ReaderWebContext web;
  std::shared_ptr<RecordingClipboard> clipboard = std::make_shared<RecordingClipboard>();
  std::vector<std::string> opened;
  std::vector<std::pair<std::string, std::string>> outputs;

 private:
  void showEarlierReport(int number) {
    ui::ReportReaderView earlier(web, testResources().file("reader/reader.html"), clipboard, [](const std::string&) {});
    ShownWindow window(earlier);
    earlier.setArguments(arguments("earlier_" + std::to_string(number), "# Earlier report\n\n### A finding\n\nText."),
                         [](const std::string&, const std::string&) {});
    ASSERT_TRUE(runUntil([&] { return earlier.pageLoaded(); }, 20s)) << "an earlier report never loaded";
    ASSERT_TRUE(pageUntil(earlier.webView(), "document.body && document.body.dataset.rendered"));
    earlierView = glib::ObjectPtr<WebKitWebView>::retain(earlier.webView());
  }

  FakeService& service_;
  std::unique_ptr<ui::ReportReaderView> reader_;
  std::unique_ptr<ShownWindow> window_;
};

class ReportReaderTest : public UiTest {};

// The reader of the window's first, second and third report: each later one is a new
// view of the same web context.
class NthReportReaderTest : public UiTest, public ::testing::WithParamInterface<int> {
 protected:
  int earlierReports() const { return GetParam() - 1; }
};

std::string boxedShotOf(const std::string& run) {
  return "# Evidence heading\n\n![The hero](/api/url-shot/" + run + "/0#vesk-box=4,5,20,10)\n";
}

Reply png(const std::string& bytes) {
  Reply reply = Reply::json(bytes);
  reply.contentType = "image/png";
  return reply;
}

}  // namespace

TEST_P(NthReportReaderTest, EvidenceComesThroughTheSchemeAndAnotherRunGetsItsOwnImage) {
  FakeService service;
  service.reply("GET", desktop("runs/run_A/url-shot/0"), png(solidPng(40, 30)));
  service.reply("GET", desktop("runs/run_B/url-shot/0"), png(solidPng(64, 16, 0xaa3322ff)));
  ReaderUnderTest reader(service, 900, 700, earlierReports());
  reader.showAndWait(reader.arguments("run_A", boxedShotOf("run_A"), "secret-token-7"));

  const std::string image = "document.querySelector('img[src^=\"vesk-resource:\"]')";
  ASSERT_TRUE(pageUntil(reader.view(), image + " && " + image + ".naturalWidth > 0"));
  EXPECT_EQ(reader.pageValue(image + ".naturalWidth"), 40);
  // The request carried no fragment, the fake saw the token, the page holds none of it.
  EXPECT_EQ(reader.pageValue(image + ".getAttribute('src')"), "vesk-resource://report/url-shot/0");
  const auto sent = service.requestsTo("GET", desktop("runs/run_A/url-shot/0"));
  ASSERT_FALSE(sent.empty());
  EXPECT_EQ(sent.front().header("Authorization"), "Bearer secret-token-7");
  EXPECT_EQ(reader.pageValue("document.documentElement.outerHTML.includes('secret-token-7')"), false);

  // The same evidence index of another run: a new document, the other run's image.
  reader.showAndWait(reader.arguments("run_B", boxedShotOf("run_B"), "secret-token-7"));
  ASSERT_TRUE(pageUntil(reader.view(), image + " && " + image + ".naturalWidth > 0"));
  EXPECT_EQ(reader.pageValue(image + ".naturalWidth"), 64);
  EXPECT_FALSE(service.requestsTo("GET", desktop("runs/run_B/url-shot/0")).empty());
}

TEST_F(ReportReaderTest, ShowReportGoesOutOncePerDistinctValueWithSixArguments) {
  FakeService service;
  ReaderUnderTest reader(service);
  auto arguments = reader.arguments("R", "# First heading\n\nText.");
  reader.showAndWait(arguments);
  reader.recordPageCalls();

  reader.show(arguments);
  arguments.topInset = 60;
  reader.show(arguments);
  reader.show(arguments);
  ASSERT_TRUE(pageUntil(reader.view(), "window.testShows.length >= 1"));
  runFor(200ms);
  const auto shows = reader.pageValue("window.testShows");
  ASSERT_EQ(shows.size(), 1u);
  ASSERT_EQ(shows[0].size(), 6u);
  EXPECT_EQ(shows[0][0], "# First heading\n\nText.");
  EXPECT_EQ(shows[0][1], "R");
  EXPECT_EQ(shows[0][2], true);
  EXPECT_EQ(shows[0][3], 60);
  EXPECT_EQ(shows[0][4], nlohmann::json::array());
  EXPECT_EQ(shows[0][5], false);
}

TEST_P(NthReportReaderTest, PageRequestsPassTheBridgeChecksAndReachTheService) {
  FakeService service;
  Reply held = Reply::json("### Hero\n\nRefined.");
  held.contentType = "text/plain";
  held.stall = true;
  service.reply("POST", desktop("runs/R/refine-finding"), held);
  service.reply("POST", desktop("runs/R/answers"), Reply::json(R"({"output":"# New text"})"));
  ReaderUnderTest reader(service, 900, 700, earlierReports());
  reader.showAndWait(reader.arguments("R", "# Report\n\n### Hero\n\nText."));
  reader.recordPageCalls();

  const std::string refine = "/api/runs/R/refine-finding";
  const std::string body = R"({"finding":"Hero","instruction":"Shorter"})";
  for (const auto* id : {"r1", "r2", "r3", "r4", "r5"})
    reader.post({{"type", "request"}, {"id", id}, {"path", refine}, {"body", body}});
  ASSERT_TRUE(runUntil([&] { return service.stalledCount() == 4; }));
  reader.post({{"type", "request"}, {"id", "r1"}, {"path", refine}, {"body", body}});
  reader.post({{"type", "request"}, {"id", std::string(65, 'x')}, {"path", refine}, {"body", body}});
  reader.post({{"type", "clipboard"}, {"id", "c1"}, {"text", "copied words"}});
  ASSERT_TRUE(pageUntil(reader.view(), "window.testReplies.some(r => r.id === 'c1')"));
  auto replies = reader.replies();
  ASSERT_EQ(replies.size(), 3u) << replies.dump();
  const nlohmann::json refused = {{"error", {{"message", "This operation is unavailable."}}}};
  for (const auto& reply : {replies[0], replies[1]}) {
    EXPECT_EQ(reply["status"], 403);
    EXPECT_EQ(nlohmann::json::parse(reply["body"].get<std::string>()), refused);
  }
  EXPECT_EQ(replies[0]["id"], "r5");
  EXPECT_EQ(replies[1]["id"], "r1");
  EXPECT_EQ(replies[2]["id"], "c1");
  EXPECT_EQ(reader.clipboard->texts, std::vector<std::string>{"copied words"});

  // The held four are answered once the service answers.
  service.releaseStalled();
  ASSERT_TRUE(pageUntil(reader.view(), "window.testReplies.length === 7"));
  replies = reader.replies();
  EXPECT_EQ(replies[3]["status"], 200);
  EXPECT_EQ(replies[3]["mime"], "text/plain");
  EXPECT_EQ(replies[3]["body"], "### Hero\n\nRefined.");
}

TEST_P(NthReportReaderTest, AnswersReachTheServiceAndTheNewTextComesFirst) {
  FakeService service;
  service.reply("POST", desktop("runs/R/answers"), Reply::json(R"({"output":"# Answered report"})"));
  service.replies("POST", desktop("runs/S/answers"), {Reply::error(401, "Sign in again.")});
  ReaderUnderTest reader(service, 900, 700, earlierReports());
  reader.showAndWait(reader.arguments("R", "# Report\n\nText."));
  reader.recordPageCalls();

  reader.post({{"type", "request"},
               {"id", "a1"},
               {"path", "/api/runs/R/answers"},
               {"body", R"({"answers":{"audience":["Founders"]}})"}});
  ASSERT_TRUE(pageUntil(reader.view(), "window.testReplies.some(r => r.id === 'a1')"));
  const auto sent = service.requestsTo("POST", desktop("runs/R/answers"));
  ASSERT_EQ(sent.size(), 1u);
  EXPECT_EQ(nlohmann::json::parse(sent[0].body), nlohmann::json::parse(R"({"answers":{"audience":["Founders"]}})"));
  ASSERT_EQ(reader.outputs.size(), 1u);
  EXPECT_EQ(reader.outputs[0], std::make_pair(std::string("# Answered report"), std::string("R")));
  EXPECT_EQ(reader.pageValue("window.testRepliesAtOutput"), 0) << "the page heard of its answers before the new text";
  const auto reply = reader.replies()[0];
  EXPECT_EQ(reply["status"], 200);
  EXPECT_EQ(reply["mime"], "application/json");

  // A 401 reaches the page as 500 with the client's sentence asking to reconnect.
  reader.showAndWait(reader.arguments("S", "# Other\n\nText."));
  reader.recordPageCalls();
  reader.post({{"type", "request"}, {"id", "a2"}, {"path", "/api/runs/S/answers"}, {"body", "{}"}});
  ASSERT_TRUE(pageUntil(reader.view(), "window.testReplies.some(r => r.id === 'a2')"));
  const auto failed = reader.replies()[0];
  EXPECT_EQ(failed["status"], 500);
  EXPECT_EQ(nlohmann::json::parse(failed["body"].get<std::string>()),
            nlohmann::json({{"error", {{"message", sentences::sessionExpired}}}}));
}

TEST_P(NthReportReaderTest, AClickedWebLinkOpensTheBrowserAndThePageStays) {
  if (!SyntheticInput::available()) GTEST_SKIP() << "needs an X11 display with XTest";
  FakeService service;
  ReaderUnderTest reader(service, 900, 700, earlierReports());
  reader.showAndWait(reader.arguments("R", "# Links\n\n[The site](https://example.com/page) and more text.\n"));
  const auto box = reader.pageValue(
      "(() => { const r = document.querySelector('a[href=\"https://example.com/page\"]').getBoundingClientRect();"
      " return [r.left + r.width / 2, r.top + r.height / 2]; })()");
  ASSERT_TRUE(box.is_array()) << box.dump();
  const std::string before = webkit_web_view_get_uri(reader.view());
  SyntheticInput::click(reader.reader(), box[0].get<double>(), box[1].get<double>());
  ASSERT_TRUE(runUntil([&] { return !reader.opened.empty(); }));
  EXPECT_EQ(reader.opened, std::vector<std::string>{"https://example.com/page"});
  runFor(200ms);
  EXPECT_EQ(webkit_web_view_get_uri(reader.view()), before);
  EXPECT_EQ(reader.pageValue("document.querySelector('h1').textContent"), "Links");
}

// Values past a mebibyte travel to the page in pieces, one per turn of the main loop;
// the page puts them together and is shown them whole.
TEST_F(ReportReaderTest, ALongReportAndALongReplyReachThePageWholeInPieces) {
  const auto longText = [](const std::string& title, std::size_t bytes) {
    std::string text = "# " + title + "\n\n";
    for (int finding = 0; text.size() < bytes; ++finding)
      text += "### Finding " + std::to_string(finding) + " \u00e9 \U0001F600 \"quoted\" \\ <b>\n\nText.\n\n";
    return text + "### The last finding\n\nEnd.";
  };
  const std::string report = longText("Long report", 2'500'000);
  const std::string answered = longText("Answered", 1'500'000);
  FakeService service;
  service.reply("POST", desktop("runs/R/answers"), Reply::json(nlohmann::json{{"output", answered}}.dump()));
  ReaderUnderTest reader(service);
  reader.showAndWait(reader.arguments("R", "# Short\n\nFirst."));
  reader.recordPageCalls();

  reader.show(reader.arguments("R", report));
  ASSERT_TRUE(pageUntil(reader.view(), "window.testShows.length >= 1", 30s));
  EXPECT_EQ(reader.pageValue("window.testShows[0][0]"), report);
  EXPECT_TRUE(pageUntil(reader.view(), "document.querySelector('h1')?.textContent === 'Long report'"));

  reader.post({{"type", "request"}, {"id", "a1"}, {"path", "/api/runs/R/answers"}, {"body", "{}"}});
  ASSERT_TRUE(pageUntil(reader.view(), "window.testReplies.some(r => r.id === 'a1')", 30s));
  const auto reply = reader.pageValue("window.testReplies.find(r => r.id === 'a1')");
  EXPECT_EQ(reply["status"], 200);
  EXPECT_EQ(nlohmann::json::parse(reply["body"].get<std::string>())["output"], answered);
  ASSERT_EQ(reader.outputs.size(), 1u);
  EXPECT_EQ(reader.outputs[0].first, answered);
}

// WebKit keeps a view's web context while anyone holds the view: a resource asked for
// after the reader's context went finds nobody to answer and fails.
TEST_F(ReportReaderTest, AViewKeptPastItsReaderAsksForEvidenceInVain) {
  FakeService service;
  service.reply("GET", desktop("runs/run_R/url-shot/0"), png(solidPng(40, 30)));
  glib::ObjectPtr<WebKitWebView> kept;
  {
    ReaderUnderTest reader(service);
    reader.showAndWait(reader.arguments("run_R", "# Report\n\nText."));
    kept = glib::ObjectPtr<WebKitWebView>::retain(reader.view());
  }
  ASSERT_TRUE(evaluateInPage(kept.get(), R"(
    const late = document.createElement('img');
    late.id = 'late';
    late.src = 'vesk-resource://report/url-shot/0';
    document.body.appendChild(late);
    true)"));
  ASSERT_TRUE(pageUntil(kept.get(), "document.getElementById('late').complete"));
  EXPECT_EQ(evaluateInPage(kept.get(), "document.getElementById('late').naturalWidth"), "0");
  EXPECT_TRUE(service.requestsTo("GET", desktop("runs/run_R/url-shot/0")).empty());
}

TEST_F(ReportReaderTest, PrintingWritesTheRenderedReportToAPdfFile) {
  FakeService service;
  TemporaryFolder folder;
  const auto pdf = folder.path() / "report.pdf";
  ReaderUnderTest reader(service);
  reader.web.printToFile(pdf);
  reader.showAndWait(reader.arguments("R",
                                      "# Quarterly heading\n\nThe body of the report.\n\n## What to look at first\n\n"
                                      "The final flow of the official profile.\n"));
  reader.reader().print();
  EXPECT_TRUE(reader.reader().printing());
  reader.reader().print();  // ignored while the first runs
  ASSERT_TRUE(runUntil([&] { return !reader.reader().printing(); }, 30s));
  ASSERT_TRUE(std::filesystem::exists(pdf));
  const auto text = pdfText(pdf);
  EXPECT_NE(text.find("Quarterly heading"), std::string::npos) << text;
  // Ligatures would leave "fi" and "fl" out of the text layer: search and copy need them.
  for (const auto* word : {"first", "final", "flow", "official", "profile"})
    EXPECT_NE(text.find(word), std::string::npos) << word << " is not in the printed text: " << text;
}

TEST_F(ReportReaderTest, ATornDownReaderGetsNoLateCall) {
  FakeService service;
  Reply held = Reply::json(R"({"output":"# Late"})");
  held.stall = true;
  service.reply("POST", desktop("runs/R/answers"), held);
  ReaderUnderTest reader(service);
  reader.showAndWait(reader.arguments("R", "# Report\n\nText."));
  reader.post({{"type", "request"}, {"id", "a1"}, {"path", "/api/runs/R/answers"}, {"body", "{}"}});
  ASSERT_TRUE(runUntil([&] { return service.stalledCount() == 1; }));
  reader.destroyReader();
  service.releaseStalled();
  runFor(300ms);
  EXPECT_TRUE(reader.outputs.empty());
}

TEST_F(ReportReaderTest, TheWindowMakesItsReaderForTheFirstReportAndKeepsItsWebProcessWithoutGrowing) {
  ShellWindow shell;
  auto& workspace = shell.workspace();
  shell.settle();
  EXPECT_EQ(shell.root().madeReaderWeb(), nullptr) << "nothing of WebKit before a report opens";

  const auto showReport = [&](const std::string& id, const std::string& heading) -> WebKitWebView* {
    auto run = savedRun(id, "complete", "full");
    run.output = "# " + heading + "\n\nText.";
    workspace.current = run;
    workspace.screen = Screen::report;
    shell.settle();
    const auto screens = descendants(shell.root(), [](Gtk::Widget& w) { return dynamic_cast<ui::ReportScreen*>(&w); });
    if (screens.empty()) return nullptr;
    auto& reader = static_cast<ui::ReportScreen*>(screens.front())->reader();
    EXPECT_TRUE(runUntil([&] { return reader.pageLoaded(); }, 20s));
    EXPECT_TRUE(pageUntil(reader.webView(), "document.querySelector('h1')?.textContent === '" + heading + "'"));
    return reader.webView();
  };
  auto* first = showReport("r1", "First report");
  ASSERT_NE(first, nullptr);
  const auto processes = ownWebProcesses();
  EXPECT_FALSE(processes.empty());
  g_object_add_weak_pointer(G_OBJECT(first), reinterpret_cast<gpointer*>(&first));

  workspace.screen = Screen::home;
  shell.settle();
  ASSERT_NE(showReport("r2", "Second report"), nullptr);
  EXPECT_EQ(ownWebProcesses(), processes) << "a second report starts no web process";
  // WebKit keeps the old drawing's shared memory of a view that moves to another screen
  // and loads again (about 2.5 MB a visit where it draws through shared memory): the
  // first report's view goes with it instead.
  EXPECT_EQ(first, nullptr) << "the first report's view went with it";
}

TEST_F(ReportReaderTest, AReportWithQuestionsEvidenceAndSourcesAsTheOwnerSeesIt) {
  if (!SyntheticInput::available()) GTEST_SKIP() << "needs an X11 display with XTest";
  FakeService service;
  service.reply("GET", desktop("runs/run_A/url-shot/0"), png(solidPng(480, 300, 0xe8e4daff)));
  ReaderUnderTest reader(service, 1220, 850);
  auto arguments = reader.arguments(
      "run_A",
      "<discovery>\n"
      R"({"questions":[{"id":"audience","question":"Who is it for?","options":["Founders","Designers","Shoppers"]},)"
      R"({"id":"goal","question":"What should they do?","options":["Sign up","Buy"]}]})"
      "\n</discovery>\n\n# Landing page: full audit\n\nThe offer arrives late.\n\n## Findings\n\n"
      "### The hero hides its offer\n\nVisitors scroll before they learn what is sold.\n\n"
      "![The first screen](/api/url-shot/run_A/0#vesk-box=40,60,300,120)\n\n**Do this:** say it first "
      "([the screen again](/api/url-shot/run_A/0#vesk-box=40,60,300,120)).\n");
  arguments.topInset = 40;
  arguments.provenanceJSON = R"([{"url":"https://example.com","source":"Fetched","note":"<b>shown as written</b>"}])";
  reader.showAndWait(arguments);
  auto* page = reader.view();
  // The questions as a form (no answers yet), the evidence with its box, the sources as text.
  EXPECT_EQ(reader.pageValue("document.querySelectorAll('form.answers-form').length"), 1);
  EXPECT_EQ(reader.pageValue("document.body.innerText.includes('<discovery')"), false);
  ASSERT_TRUE(pageUntil(page, "document.querySelector('img[data-box]').naturalWidth > 0"));
  ASSERT_TRUE(pageUntil(page, "document.querySelector('.evidence-box')?.getBoundingClientRect().width > 0"));
  EXPECT_EQ(reader.pageValue("document.querySelector('.provenance').innerText.includes('<b>shown as written</b>')"),
            true);
  renderAndKeep(reader.reader(), "reader-report.png");

  // Refine opens its form under the finding, by a real click.
  const auto at = reader.pageValue(
      "(() => { const b = document.querySelector('[data-action=refine-toggle]'); b.scrollIntoView({block: 'center'});"
      " const r = b.getBoundingClientRect(); return [r.left + r.width / 2, r.top + r.height / 2]; })()");
  ASSERT_TRUE(at.is_array()) << at.dump();
  runFor(100ms);
  SyntheticInput::click(reader.reader(), at[0].get<double>(), at[1].get<double>());
  ASSERT_TRUE(pageUntil(page, "document.querySelector('form.refine-form') !== null"));
  renderAndKeep(reader.reader(), "reader-refine.png");

  // An evidence link opens the image in the page's own lightbox, with its box; Escape closes it.
  const auto link = reader.pageValue(
      "(() => { const a = document.querySelector('a.evidence-link'); a.scrollIntoView({block: 'center'});"
      " const r = a.getBoundingClientRect(); return [r.left + r.width / 2, r.top + r.height / 2]; })()");
  ASSERT_TRUE(link.is_array()) << link.dump();
  runFor(100ms);
  SyntheticInput::click(reader.reader(), link[0].get<double>(), link[1].get<double>());
  ASSERT_TRUE(pageUntil(page, "document.querySelector('.lightbox') && !document.querySelector('.lightbox').hidden"));
  ASSERT_TRUE(pageUntil(page, "document.querySelector('.lightbox-image').naturalWidth > 0"));
  EXPECT_EQ(reader.pageValue("document.querySelector('.lightbox-image').getAttribute('src')"),
            "vesk-resource://report/url-shot/0");
  renderAndKeep(reader.reader(), "reader-lightbox.png");
  SyntheticInput::pressKey("Escape");
  EXPECT_TRUE(pageUntil(page, "document.querySelector('.lightbox').hidden"));
}

INSTANTIATE_TEST_SUITE_P(FirstSecondAndThirdReport, NthReportReaderTest, ::testing::Values(1, 2, 3));

TEST_F(ReportReaderTest, AMessageFromAnEarlierReportsViewIsNotTakenForTheCurrentPages) {
  FakeService service;
  ReaderUnderTest reader(service, 900, 700, 1);
  reader.showAndWait(reader.arguments("R", "# Report\n\nText."));
  ASSERT_TRUE(reader.earlierView);
  ASSERT_NE(reader.earlierView.get(), reader.view());
  reader.recordPageCalls();
  // The earlier view still lives (held here) and posts as its page would.
  evaluateInPage(reader.earlierView.get(),
                 "window.webkit?.messageHandlers?.veskReport?.postMessage({type: 'clipboard', id: 'stale', text: "
                 "'from the earlier report'}); true");
  reader.post({{"type", "clipboard"}, {"id", "current"}, {"text", "from this report"}});
  ASSERT_TRUE(pageUntil(reader.view(), "window.testReplies.some(r => r.id === 'current')"));
  EXPECT_EQ(reader.clipboard->texts, std::vector<std::string>{"from this report"});
  EXPECT_EQ(reader.replies().size(), 1u) << reader.replies().dump();
}

TEST_F(ReportReaderTest, ANewRunIsShownNothingInTheDocumentItReplaces) {
  FakeService service;
  ReaderUnderTest reader(service);
  reader.showAndWait(reader.arguments("run_A", "# First run\n\nText."));
  // The old document names every run it is shown in its title; the title is watched
  // across the change of documents.
  ASSERT_TRUE(evaluateInPage(reader.view(), R"(
    const show = window.showReport;
    window.showReport = (...args) => { document.title = 'shown ' + args[1]; return show(...args); };
    true)"));
  std::vector<std::string> titles;
  const auto watch =
      g_signal_connect(reader.view(), "notify::title", G_CALLBACK(+[](GObject* view, GParamSpec*, gpointer data) {
                         const char* title = webkit_web_view_get_title(WEBKIT_WEB_VIEW(view));
                         static_cast<std::vector<std::string>*>(data)->push_back(title ? title : "");
                       }),
                       &titles);
  reader.showAndWait(reader.arguments("run_B", "# Second run\n\nText."));
  ASSERT_TRUE(pageUntil(reader.view(), "document.querySelector('h1')?.textContent === 'Second run'"));
  g_signal_handler_disconnect(reader.view(), watch);
  for (const auto& title : titles) EXPECT_NE(title, "shown run_B") << "the first run's document rendered the second";
}

TEST_F(ReportReaderTest, AClickedMailLinkGoesToTheMailOpener) {
  if (!SyntheticInput::available()) GTEST_SKIP() << "needs an X11 display with XTest";
  FakeService service;
  ReaderUnderTest reader(service);
  reader.showAndWait(
      reader.arguments("R", "# Contact\n\nWrite to [the team](mailto:team@example.com?subject=Audit).\n"));
  const auto at = pageCentreOf(reader.view(), "a[href^='mailto:']");
  ASSERT_TRUE(at) << "the page shows no mail link";
  const std::string before = webkit_web_view_get_uri(reader.view());
  SyntheticInput::click(reader.reader(), at->first, at->second);
  ASSERT_TRUE(runUntil([&] { return !reader.opened.empty(); }));
  EXPECT_EQ(reader.opened, std::vector<std::string>{"mailto:team@example.com?subject=Audit"});
  EXPECT_EQ(webkit_web_view_get_uri(reader.view()), before);

  // What a hostile report puts in a mail link does not reach the mail program: only the
  // address, subject, body, cc and bcc leave, and no header takes a smuggled line break.
  const std::vector<std::pair<std::string, std::string>> links{
      {"mailto:team@example.com?attach=/etc/passwd&subject=Audit", "mailto:team@example.com?subject=Audit"},
      {"mailto:team@example.com?attachment=file:///etc/passwd", "mailto:team@example.com"},
      {"mailto:team@example.com?subject=Hi%0D%0ABcc:spy@example.com&body=One%0D%0ATwo",
       "mailto:team@example.com?body=One%0D%0ATwo"},
      {"MAILTO:team@example.com?CC=lead@example.com", "mailto:team@example.com?cc=lead@example.com"},
  };
  std::string report = "# Contact\n\n";
  for (const auto& [link, launched] : links) report += "Write to [the team](" + link + ").\n\n";
  reader.showAndWait(reader.arguments("R", report));
  for (std::size_t i = 0; i < links.size(); ++i) {
    reader.opened.clear();
    const auto link = pageCentreOf(reader.view(), "p:nth-of-type(" + std::to_string(i + 1) + ") a");
    ASSERT_TRUE(link) << links[i].first;
    SyntheticInput::click(reader.reader(), link->first, link->second);
    ASSERT_TRUE(runUntil([&] { return !reader.opened.empty(); })) << links[i].first;
    EXPECT_EQ(reader.opened, std::vector<std::string>{links[i].second}) << links[i].first;
  }
}

TEST_F(ReportReaderTest, ThirtyImagesOfOneAddressMakeOneDownload) {
  FakeService service;
  service.reply("GET", desktop("runs/run_R/url-shot/0"), png(solidPng(40, 30)));
  ReaderUnderTest reader(service);
  std::string report = "# Evidence\n\n";
  for (int i = 0; i < 30; ++i)
    report += "### Finding " + std::to_string(i) + "\n\n![Shot](/api/url-shot/run_R/0#vesk-box=1,1,5,5)\n\n";
  reader.showAndWait(reader.arguments("run_R", report));
  // Images below the fold wait to be scrolled to: printing asks for all of them, and they
  // load one after another.
  ASSERT_TRUE(evaluateInPage(reader.view(), "window.prepareVeskPrint(); true"));
  ASSERT_TRUE(pageUntil(reader.view(),
                        "document.querySelectorAll('img[src^=\"vesk-resource:\"]').length === 30 && "
                        "[...document.querySelectorAll('img[src^=\"vesk-resource:\"]')].every(i => i.complete && "
                        "i.naturalWidth === 40)",
                        30s))
      << evaluateInPage(reader.view(),
                        "JSON.stringify([...document.querySelectorAll('img')].map(i => "
                        "[i.getAttribute('src'), i.complete, i.naturalWidth, i.loading]))")
             .value_or("?")
      << " requests " << service.requests().size() << " downloads "
      << reader.reader().bridge().resources()->downloadsStarted();
  EXPECT_EQ(service.requestsTo("GET", desktop("runs/run_R/url-shot/0")).size(), 1u);
  EXPECT_EQ(reader.reader().bridge().resources()->downloadsStarted(), 1u);
}

namespace {

// A TCP listener on the loopback interface that counts the connections made to it.
class ConnectionCounter {
 public:
  ConnectionCounter() : service_(glib::ObjectPtr<GSocketService>::adopt(g_socket_service_new())) {
    port_ = g_socket_listener_add_any_inet_port(G_SOCKET_LISTENER(service_.get()), nullptr, nullptr);
    g_signal_connect(service_.get(), "incoming",
                     G_CALLBACK(+[](GSocketService*, GSocketConnection*, GObject*, gpointer count) {
                       ++*static_cast<int*>(count);
                       return FALSE;
                     }),
                     &count_);
    g_socket_service_start(service_.get());
  }
  ~ConnectionCounter() { g_socket_service_stop(service_.get()); }
  ConnectionCounter(const ConnectionCounter&) = delete;
  ConnectionCounter& operator=(const ConnectionCounter&) = delete;

  std::string address(const std::string& path) const { return "http://127.0.0.1:" + std::to_string(port_) + path; }
  int count() const { return count_; }

 private:
  glib::ObjectPtr<GSocketService> service_;
  guint16 port_ = 0;
  int count_ = 0;
};

}  // namespace

TEST_F(ReportReaderTest, AClickedLinkMakesNoConnectionToItsHost) {
  if (!SyntheticInput::available()) GTEST_SKIP() << "needs an X11 display with XTest";
  FakeService service;
  ConnectionCounter host;
  ReaderUnderTest reader(service);
  const auto link = host.address("/pricing");
  reader.showAndWait(reader.arguments("R", "# Links\n\nSee [the pricing page](" + link + ") first.\n"));
  const auto at = pageCentreOf(reader.view(), "a[href^='http://127.0.0.1']");
  ASSERT_TRUE(at) << "the page shows no link";
  SyntheticInput::moveTo(reader.reader(), at->first, at->second);
  SyntheticInput::click(reader.reader(), at->first, at->second);
  ASSERT_TRUE(runUntil([&] { return !reader.opened.empty(); }));
  EXPECT_EQ(reader.opened, std::vector<std::string>{link});
  // A connection would have started with the press; give it time to arrive.
  runFor(1500ms);
  EXPECT_EQ(host.count(), 0) << "the web view connected to the link's host";
}

// A middle click raises no click event: the page takes it on its own, and the view never
// starts the navigation that would connect to the link's host.
TEST_F(ReportReaderTest, AMiddleClickedLinkGoesToTheBrowserWithoutAConnectionToItsHost) {
  if (!SyntheticInput::available()) GTEST_SKIP() << "needs an X11 display with XTest";
  FakeService service;
  ConnectionCounter host;
  ReaderUnderTest reader(service);
  const auto link = host.address("/pricing");
  reader.showAndWait(reader.arguments("R", "# Links\n\nSee [the pricing page](" + link + ") first.\n"));
  const auto at = pageCentreOf(reader.view(), "a[href^='http://127.0.0.1']");
  ASSERT_TRUE(at) << "the page shows no link";
  const std::string before = webkit_web_view_get_uri(reader.view());
  SyntheticInput::moveTo(reader.reader(), at->first, at->second);
  SyntheticInput::middleClick(reader.reader(), at->first, at->second);
  ASSERT_TRUE(runUntil([&] { return !reader.opened.empty(); })) << "the middle click opened nothing";
  EXPECT_EQ(reader.opened, std::vector<std::string>{link});
  // A connection would have started with the navigation; give it time to arrive.
  runFor(1500ms);
  EXPECT_EQ(host.count(), 0) << "the web view connected to the link's host";
  EXPECT_EQ(reader.opened.size(), 1u);
  EXPECT_EQ(webkit_web_view_get_uri(reader.view()), before);
}

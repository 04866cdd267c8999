// The discovery, review and progress screens under real clicks and keys: the limit of
// two answers, the run pills and their Ctrl+Return, the review's tick and balance, the
// preview's stage list and connection rehearsal, the live panel's percent and
// perspectives, and the live panel's end with its screen. Saves a render of each.
#include "core/records/account_records.h"
#include "core/signin/browser_connection.h"
#include "core/signin/session_keychain.h"
#include "core/style/shell_stylesheet.h"
#include "core/workspace/uuid_text.h"
#include "support/run_loop.h"
#include "support/temporary_folder.h"
#include "support/workspace_harness.h"
#include "ui/app/root_view.h"
#include "ui/audit/discovery_page.h"
#include "ui/audit/live_progress_view.h"
#include "ui/audit/progress_page.h"
#include "ui/audit/review_page.h"
#include "ui/support/next_frame.h"
#include "ui/support/shell_window.h"
#include "ui/support/synthetic_input.h"
#include "ui/support/ui_test.h"

#include <gtkmm/scrolledwindow.h>
#include <gtkmm/spinner.h>

#include <ctime>

using namespace std::chrono_literals;
using namespace vesk;
using namespace vesk::testing;
using namespace vesk::ui;

namespace {

class AuditScreens : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    if (!SyntheticInput::available()) GTEST_SKIP() << "needs an X11 display with XTest";
    SyntheticInput::moveAway();
    Workspace::Environment environment;
    environment.serviceOrigin = service.origin();
    environment.supportFolder = (folder.path() / "Vesk").string();
    // Never read or written: no session is restored or stored.
    environment.keychain = std::make_shared<SessionKeychain>("vesk-audit-screens-" + freshUUID());
    environment.browser = BrowserConnection::create([] { return std::make_shared<TestAnchor>(); },
                                                    [](const std::string&) { return false; });
    environment.saveDialog = std::make_shared<FakeSaveDialog>();
    workspace = Workspace::create(std::move(environment), Workspace::SavedSession::ignore);
  }

  // A run "r1" waiting in discovery with two questions, the first offering Y twice.
  void inDiscovery(const std::string& mode, bool fixture) {
    workspace->fixture = fixture;
    workspace->current = savedRun("r1", "discovery", mode, fixture);
    workspace->questions = {DiscoveryQuestion("Who opens the dashboard first?", {"X", "Y", "Z", "Y"}),
                            DiscoveryQuestion("What should the audit weigh most?", {"Clarity", "Speed"})};
    workspace->screen = Screen::discovery;
  }
  void answerAll() {
    workspace->select("X", "Who opens the dashboard first?", 0);
    workspace->select("Clarity", "What should the audit weigh most?", 1);
  }

  FakeService service;
  TemporaryFolder folder;
  std::shared_ptr<Workspace> workspace;
};

// The page column as the screen switch frames it: 40 px around, at most 790 wide, on
// the window's text defaults, scrolling.
struct Framed {
  Gtk::ScrolledWindow scroller;
  Gtk::Box column{Gtk::Orientation::VERTICAL};
  explicit Framed(Gtk::Widget& page) {
    column.add_css_class(ShellClasses::root);
    column.set_margin(40);
    column.set_size_request(790, -1);
    column.set_halign(Gtk::Align::CENTER);
    column.append(page);
    scroller.set_child(column);
    scroller.set_policy(Gtk::PolicyType::NEVER, Gtk::PolicyType::AUTOMATIC);
  }
};

// The presentation has caught up with the workspace, and the window has drawn it.
void settle(ShownWindow& shown) { settleFrame(shown.window()); }

void click(Gtk::Widget& widget, const SyntheticInput::Where& where = SyntheticInput::Where::current()) {
  auto* window = dynamic_cast<Gtk::Widget*>(widget.get_root());
  SyntheticInput::clickCentre(widget, where);
  if (window) settleFrame(*window);
}

// The text a button shows: its label, or the first label inside it.
std::string buttonText(Gtk::Button& button) {
  if (!button.get_label().empty()) return button.get_label();
  const auto labels = descendants(button, [](Gtk::Widget& w) { return dynamic_cast<Gtk::Label*>(&w) != nullptr; });
  return labels.empty() ? "" : dynamic_cast<Gtk::Label*>(labels.front())->get_text().raw();
}

int childCount(Gtk::Widget& widget) {
  int count = 0;
  for (auto* child = widget.get_first_child(); child; child = child->get_next_sibling()) ++count;
  return count;
}

template <class T>
std::size_t countOf(Gtk::Widget& root) {
  return descendants(root, [](Gtk::Widget& w) { return dynamic_cast<T*>(&w) != nullptr; }).size();
}

// Without a window manager the keyboard goes to the window under the pointer.
void takeKeyboard(ShownWindow& shown) {
  SyntheticInput::moveTo(shown.window(), 450, 10);
  EXPECT_TRUE(runUntil([&] { return shown.window().is_active(); })) << "the window never took the keyboard";
}

void pressRunShortcut(ShownWindow& shown, const SyntheticInput::Where& where = SyntheticInput::Where::current()) {
  SyntheticInput::pressChord({"Control_L", "Return"}, where);
  settle(shown);
}

int visibleSpinners(Gtk::Widget& widget) {
  return static_cast<int>(
      descendants(widget, [](Gtk::Widget& w) { return dynamic_cast<Gtk::Spinner*>(&w) && w.is_drawable(); }).size());
}

std::string secondsAgo(int seconds) {
  const auto then =
      std::chrono::system_clock::to_time_t(std::chrono::system_clock::now() - std::chrono::seconds(seconds));
  char text[32];
  std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", std::gmtime(&then));
  return text;
}

}  // namespace

TEST_F(AuditScreens, DiscoveryStatesAndTheLimitOfTwoUnderRealClicks) {
  auto page = std::make_unique<DiscoveryPage>(workspace);
  Framed frame(*page);
  ShownWindow shown(frame.scroller, 900, 900);
  EXPECT_EQ(page->waitingText().get_text(),
            "Questions are not available yet. Check the saved audit before starting again.");
  EXPECT_FALSE(page->runButton().get_sensitive());
  workspace->busy = true;
  settle(shown);
  EXPECT_EQ(page->waitingText().get_text(), "Thinking about what to ask\u2026");
  EXPECT_TRUE(page->footerSpinner().get_visible());
  workspace->busy = false;

  inDiscovery("quick", false);
  settle(shown);
  EXPECT_FALSE(page->waitingText().is_drawable());
  EXPECT_EQ(page->lead().get_text(), "Pick up to 2 answers per question.");
  ASSERT_EQ(page->groups().size(), 2u);
  const auto pills = page->groups()[0].pills;
  ASSERT_EQ(pills.size(), 3u) << "Y offered twice shows once";
  EXPECT_EQ(page->runButton().title(), "Run quick read");
  EXPECT_EQ(page->runButton().role(), VeskButtonRole::accent);

  click(*pills[0]);
  click(*pills[1]);
  EXPECT_EQ(workspace->selectedAnswers(0), (std::vector<std::string>{"X", "Y"}));
  EXPECT_FALSE(pills[2]->get_sensitive()) << "Z is disabled";
  EXPECT_TRUE(pills[2]->has_css_class("dimmed"));
  EXPECT_TRUE(page->groups()[0].note->is_drawable());
  EXPECT_FALSE(page->groups()[1].note->is_drawable());
  EXPECT_FALSE(page->runButton().get_sensitive()) << "the second question is open";
  click(*page->groups()[1].pills[0]);
  EXPECT_TRUE(page->runButton().get_sensitive());
  renderAndKeep(frame.scroller, "discovery-answered-twice.png");

  click(*pills[0]);
  EXPECT_TRUE(pills[2]->get_sensitive()) << "un-choosing X enables Z again";
  EXPECT_FALSE(pills[2]->has_css_class("dimmed"));
  EXPECT_FALSE(page->groups()[0].note->is_drawable());
  EXPECT_EQ(buttonText(page->backButton()), "Return to workspace");
  workspace->fixture = true;
  settle(shown);
  EXPECT_EQ(buttonText(page->backButton()), "Back to sources");
}

TEST_F(AuditScreens, DiscoveryRunPillsAndCtrlReturn) {
  inDiscovery("full", false);
  auto page = std::make_unique<DiscoveryPage>(workspace);
  Framed frame(*page);
  ShownWindow shown(frame.scroller, 900, 900);
  EXPECT_EQ(page->runButton().title(), "Audit & start");
  EXPECT_EQ(page->runButton().role(), VeskButtonRole::primary);
  takeKeyboard(shown);
  pressRunShortcut(shown);
  EXPECT_EQ(*workspace->screen, Screen::discovery) << "Ctrl+Return does nothing while disabled";
  answerAll();
  workspace->confirmed = true;
  settle(shown);
  click(page->runButton());
  EXPECT_EQ(*workspace->screen, Screen::review);
  EXPECT_FALSE(*workspace->confirmed) << "Audit & start clears the confirmation";

  // The preview's quick read starts from the pill and hands over to the progress screen.
  workspace->screen = Screen::discovery;
  inDiscovery("quick", true);  // the answers stay
  settle(shown);
  EXPECT_TRUE(page->runButton().get_sensitive());
  EXPECT_EQ(page->runButton().title(), "Run quick read");
  takeKeyboard(shown);
  pressRunShortcut(shown);
  EXPECT_EQ(*workspace->screen, Screen::progress);
  workspace->pauseWatching();
}

TEST_F(AuditScreens, ReviewTickBalanceBackAndCtrlReturn) {
  inDiscovery("full", false);
  answerAll();
  workspace->account = Account::fromJson(accountJson(0));
  workspace->projectName = std::string("Doral dashboard");
  workspace->urls = std::string("https://doral.example\nhttps://doral.example/pricing");
  workspace->screen = Screen::review;
  auto page = std::make_unique<ReviewPage>(workspace);
  Framed frame(*page);
  ShownWindow shown(frame.scroller, 900, 900);
  EXPECT_EQ(page->sourcesLine().get_text(), "2 URLs \u00B7 0 files");
  EXPECT_EQ(page->runButton().title(), "Run full audit");
  EXPECT_FALSE(page->runButton().get_sensitive());
  EXPECT_EQ(buttonText(page->backButton()), "Back to context");

  click(page->checkbox());
  EXPECT_TRUE(*workspace->confirmed);
  EXPECT_FALSE(page->runButton().get_sensitive()) << "no full audit left";
  takeKeyboard(shown);
  pressRunShortcut(shown);
  EXPECT_EQ(*workspace->screen, Screen::review) << "Ctrl+Return does nothing while disabled";
  workspace->account = Account::fromJson(accountJson(1));
  settle(shown);
  EXPECT_TRUE(page->runButton().get_sensitive());
  renderAndKeep(frame.scroller, "review.png");

  click(page->backButton());
  EXPECT_EQ(*workspace->screen, Screen::discovery);
  EXPECT_TRUE(*workspace->confirmed);

  // The preview ignores the balance.
  workspace->screen = Screen::review;
  workspace->fixture = true;
  workspace->account = std::nullopt;
  workspace->confirmed = false;
  settle(shown);
  EXPECT_EQ(page->runButton().title(), "Run sample audit");
  EXPECT_EQ(page->checkbox().get_label(), "I understand this is a fictional sample report.");
  EXPECT_FALSE(page->checkbox().get_active());
  click(page->checkbox());
  EXPECT_TRUE(page->runButton().get_sensitive());
  workspace->current = savedRun("r1", "discovery", "full", true);
  takeKeyboard(shown);
  pressRunShortcut(shown);
  EXPECT_EQ(*workspace->screen, Screen::progress) << "the sample full audit starts";
  workspace->pauseWatching();
}

TEST_F(AuditScreens, PreviewStagesAndTheConnectionRehearsal) {
  async::ScopedTimeScale slow(50);  // the sample holds its first stage
  inDiscovery("quick", true);
  answerAll();
  workspace->runQuickRead();
  auto page = std::make_unique<ProgressPage>(workspace);
  Framed frame(*page);
  ShownWindow shown(frame.scroller, 900, 900);
  EXPECT_EQ(page->eyebrow().get_text(), "SAMPLE QUICK READ");
  ASSERT_TRUE(page->stageList());
  EXPECT_EQ(page->liveView(), nullptr);
  EXPECT_EQ(childCount(*page->stageRows()), 2) << "two stage rows";
  EXPECT_EQ(visibleSpinners(*page->stageList()), 1);
  EXPECT_EQ(page->leaveButton().get_label(), "Cancel sample");
  EXPECT_TRUE(page->connectionButton().is_drawable());
  EXPECT_EQ(page->connectionButton().get_label(), "Simulate connection loss");
  EXPECT_FALSE(page->checkButton().is_drawable());
  EXPECT_FALSE(page->retryButton().is_drawable());

  click(page->connectionButton());
  EXPECT_TRUE(*workspace->connectionLost);
  EXPECT_EQ(page->connectionButton().get_label(), "Reconnect sample");
  EXPECT_EQ(visibleSpinners(*page->stageList()), 0);
  click(page->connectionButton());
  EXPECT_EQ(visibleSpinners(*page->stageList()), 1);

  click(page->leaveButton());
  EXPECT_EQ(*workspace->screen, Screen::input);
  EXPECT_FALSE(page->connectionButton().is_drawable()) << "no longer busy";

  // The full sample, part way through, for the record.
  inDiscovery("full", true);
  answerAll();
  workspace->confirmed = true;
  workspace->start();
  settle(shown);
  workspace->progress = 2;
  settle(shown);
  EXPECT_EQ(page->eyebrow().get_text(), "SAMPLE FULL AUDIT");
  renderAndKeep(frame.scroller, "progress-preview-stages.png");
  workspace->pauseWatching();
}

TEST_F(AuditScreens, LiveFullAuditButtonsPercentAndPerspectives) {
  workspace->current = savedRun("r1", "running", "full");
  workspace->questions = {DiscoveryQuestion("Goal?", {"Clarity"})};
  workspace->screen = Screen::progress;
  AuditProgressSnapshot snapshot;
  snapshot.phase = "reading";
  snapshot.total = 8;
  snapshot.auditStartedAt = secondsAgo(295);  // just under five minutes: 45 %
  snapshot.lenses = {
      {"a", "Visual hierarchy", "complete"}, {"b", "Onboarding", "running"}, {"c", "Accessibility", "failed"}};
  workspace->liveProgress = snapshot;
  auto page = std::make_unique<ProgressPage>(workspace);
  Framed frame(*page);
  ShownWindow shown(frame.scroller, 900, 1000);
  EXPECT_FALSE(page->eyebrow().is_drawable());
  EXPECT_EQ(page->stageList(), nullptr);
  EXPECT_EQ(page->leaveButton().get_label(), "Return to workspace");
  EXPECT_TRUE(page->checkButton().is_drawable());
  EXPECT_FALSE(page->connectionButton().is_drawable());
  EXPECT_FALSE(page->retryButton().is_drawable());

  auto* live = page->liveView();
  ASSERT_TRUE(live);
  EXPECT_TRUE(live->presentation().ticking());
  EXPECT_EQ(live->percent()->get_text().raw(), "45%") << "a run under way shows its estimate at once";
  EXPECT_EQ(live->headline()->get_text(), "Auditing your pages and screens");
  EXPECT_EQ(live->subtitle()->get_text(), "About 4\u20138 min remaining");
  ASSERT_EQ(live->lensPills().size(), 3u);
  EXPECT_TRUE(live->lensRule()->is_drawable());
  const auto names = descendants(*live->lensPills()[2], [](Gtk::Widget& w) { return dynamic_cast<Gtk::Label*>(&w); });
  ASSERT_EQ(names.size(), 1u);
  EXPECT_EQ(dynamic_cast<Gtk::Label*>(names[0])->get_text(), "Accessibility (skipped)");
  renderAndKeep(frame.scroller, "progress-full-audit-45.png");

  snapshot.lenses.clear();
  workspace->liveProgress = snapshot;
  workspace->quickRetryable = true;
  workspace->select("Clarity", "Goal?", 0);
  settle(shown);
  EXPECT_TRUE(live->lensPills().empty());
  EXPECT_FALSE(live->lensRule()->is_drawable()) << "no perspectives, no rule";
  EXPECT_TRUE(page->retryButton().is_drawable());
}

TEST_F(AuditScreens, TheScreenSwitchShowsThePagesAndLeavingStopsTheLivePanel) {
  async::ScopedTimeScale fast(0.02);  // the panel's tick every 50 ms
  ShellWindow shell;
  auto& w = shell.workspace();
  w.questions = {DiscoveryQuestion("Goal?", {"Clarity"})};
  w.screen = Screen::discovery;
  shell.settle();
  EXPECT_EQ(countOf<DiscoveryPage>(shell.root()), 1u);
  w.screen = Screen::review;
  shell.settle();
  EXPECT_EQ(countOf<ReviewPage>(shell.root()), 1u);
  w.current = savedRun("r1", "running", "full");
  w.screen = Screen::progress;
  shell.settle();
  ASSERT_EQ(countOf<LiveProgressView>(shell.root()), 1u);
  runFor(120ms);  // a few ticks
  w.screen = Screen::input;
  shell.settle();
  EXPECT_EQ(countOf<LiveProgressView>(shell.root()), 0u);
  runFor(150ms);  // a tick that outlived its view would touch freed memory here
}

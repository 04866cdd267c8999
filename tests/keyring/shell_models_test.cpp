// The shell's presentation models over a real workspace: the menu commands' enabled
// states and gates, the root's distances and banner, and the rules of the root's shared
// state. Each model changes once per main-loop turn.
#include "core/shell/menu_commands.h"
#include "core/shell/root_presentation.h"
#include "core/shell/root_view_state.h"
#include "support/workspace_harness.h"

#include <glib.h>
#include <gtest/gtest.h>

using namespace std::chrono_literals;
using namespace vesk;
using namespace vesk::testing;

namespace {

std::shared_ptr<Workspace> idleWorkspace(WorkspaceHarness& h) {
  return Workspace::create(h.environment(), Workspace::SavedSession::ignore);
}

// Counts a model's change signals.
struct Changes {
  int count = 0;
  sigc::connection connection;
  explicit Changes(sigc::signal<void()>& signal) : connection(signal.connect([this] { ++count; })) {}
  ~Changes() { connection.disconnect(); }
};

// Runs what the main loop has ready, the models' flushes among it.
void nextTurn() {
  for (int i = 0; i < 100 && g_main_context_pending(nullptr); ++i) g_main_context_iteration(nullptr, FALSE);
}

}  // namespace

TEST(MenuCommands, TheNavigationCommandsFollowTheGateAndPrintTheReportScreen) {
  WorkspaceHarness h;
  auto workspace = idleWorkspace(h);
  MenuCommands commands(workspace);
  const auto state = [&] { return commands.state(); };
  EXPECT_EQ(state(), (MenuCommands::State{true, false}));

  workspace->reportMutationInFlight = true;
  nextTurn();
  EXPECT_EQ(state(), (MenuCommands::State{false, false}));
  workspace->reportMutationInFlight = false;
  workspace->busy = true;
  nextTurn();
  EXPECT_EQ(state(), (MenuCommands::State{false, false})) << "busy with no run";
  workspace->current = savedRun("r1", "discovery");
  nextTurn();
  EXPECT_EQ(state(), (MenuCommands::State{false, false})) << "busy with a run in discovery";
  workspace->current = savedRun("r1", "running", "full");
  nextTurn();
  EXPECT_EQ(state(), (MenuCommands::State{true, false})) << "watching a live running run";
  workspace->reportMutationInFlight = true;
  nextTurn();
  EXPECT_EQ(state(), (MenuCommands::State{false, false})) << "a report change shuts it even then";
  workspace->reportMutationInFlight = false;
  workspace->fixture = true;
  nextTurn();
  EXPECT_EQ(state(), (MenuCommands::State{false, false})) << "the local preview's sample run";
  workspace->fixture = false;
  workspace->busy = false;

  // Print follows the screen only; a report loading elsewhere does not count.
  workspace->current = savedRun("r2", "complete");
  workspace->screen = Screen::progress;
  nextTurn();
  EXPECT_FALSE(state().canPrint);
  workspace->screen = Screen::report;
  nextTurn();
  EXPECT_TRUE(state().canPrint);
}

TEST(MenuCommands, OneChangePerTurnAndTheCommandsTestTheGateAgain) {
  WorkspaceHarness h;
  auto workspace = idleWorkspace(h);
  MenuCommands commands(workspace);
  Changes changes(commands.signalChanged());

  // Several writes in one step: one change, in the finished state.
  workspace->busy = true;
  workspace->current = savedRun("r1", "running", "full");
  workspace->busy = false;
  workspace->screen = Screen::report;
  EXPECT_EQ(changes.count, 0) << "nothing before the turn ends";
  nextTurn();
  EXPECT_EQ(changes.count, 1);
  EXPECT_EQ(commands.state(), (MenuCommands::State{true, true}));
  nextTurn();
  EXPECT_EQ(changes.count, 1) << "no change, no signal";

  // The menu still shows the commands enabled when the gate shuts; they do nothing.
  workspace->screen = Screen::home;
  nextTurn();
  workspace->busy = true;
  workspace->current = std::nullopt;
  ASSERT_TRUE(commands.state().canNavigate);
  commands.openSettings();
  commands.openHistory();
  commands.newAudit();
  EXPECT_EQ(*workspace->screen, Screen::home);
  nextTurn();
  EXPECT_FALSE(commands.state().canNavigate);
}

TEST(MenuCommands, HistoryClearsTheSelectedProjectBeforeShowingTheLibrary) {
  WorkspaceHarness h;
  auto workspace = idleWorkspace(h);
  MenuCommands commands(workspace);
  workspace->screen = Screen::library;
  workspace->libraryProjectID = std::string("p1");
  commands.openHistory();
  EXPECT_EQ(*workspace->screen, Screen::library);
  EXPECT_EQ(*workspace->libraryProjectID, std::nullopt);

  workspace->screen = Screen::account;
  workspace->libraryProjectID = std::string("p2");
  std::optional<std::string> seen = "unset";
  auto watch = workspace->screen.signalChanged().connect([&] { seen = *workspace->libraryProjectID; });
  commands.openHistory();
  EXPECT_EQ(seen, std::nullopt) << "already cleared when the screen changed";
  watch.disconnect();

  commands.openSettings();
  EXPECT_EQ(*workspace->screen, Screen::account);
}

TEST(RootPresentation, TheHeaderBandsHeightGivesTheInsetThePageTopAndTheVeil) {
  WorkspaceHarness h;
  auto workspace = idleWorkspace(h);
  RootPresentation root(workspace);
  const auto& metrics = [&]() -> const RootMetrics& { return root.state().metrics; };
  EXPECT_EQ(metrics().chromeHeight, 78) << "before the first measurement";
  EXPECT_EQ(metrics().headerInset, 112);
  EXPECT_EQ(metrics().pageTop, 132);
  EXPECT_EQ(metrics().veilHeight, 148);

  root.setChromeHeight(120);
  nextTurn();
  EXPECT_EQ(metrics().headerInset, 154);
  EXPECT_EQ(metrics().pageTop, 174);
  EXPECT_EQ(metrics().veilHeight, 190);

  // A band lower than the first guess never lifts the page or the veil above their floors.
  root.setChromeHeight(40);
  nextTurn();
  EXPECT_EQ(metrics().headerInset, 74);
  EXPECT_EQ(metrics().pageTop, 132);
  EXPECT_EQ(metrics().veilHeight, 148);
  EXPECT_EQ(RootMetrics::pageTopForInset(112), 132);
  EXPECT_EQ(RootMetrics::pageTopForInset(200), 220);
}

TEST(RootPresentation, TheVeilTheLibraryPaddingAndTheBanner) {
  WorkspaceHarness h;
  auto workspace = idleWorkspace(h);
  RootPresentation root(workspace);
  root.setChromeHeight(100);
  nextTurn();
  for (const auto screen : {Screen::home, Screen::input, Screen::discovery, Screen::review, Screen::progress,
                            Screen::report, Screen::account, Screen::library}) {
    workspace->screen = screen;
    nextTurn();
    EXPECT_EQ(root.state().screen, screen);
    EXPECT_EQ(root.state().showsTopVeil, screen != Screen::report) << rawValue(screen);
    EXPECT_EQ(root.state().slotTopPadding, screen == Screen::library ? 134 : 0) << rawValue(screen);
  }

  // The veil hides everything down to the header row's bottom, or the banner's.
  EXPECT_EQ(root.state().metrics.veilOpaqueLength, 34 + 100 - 12);
  workspace->error = std::string("Use an https origin, or localhost for local development.");
  nextTurn();
  EXPECT_EQ(root.state().error, workspace->error.get());
  EXPECT_EQ(root.state().metrics.veilOpaqueLength, 34 + 100) << "the band measured with the banner in it";
  root.setChromeHeight(160);
  nextTurn();
  EXPECT_EQ(root.state().metrics.veilOpaqueLength, 194);
  EXPECT_EQ(root.state().metrics.veilHeight, 230);
  root.dismissError();
  EXPECT_EQ(*workspace->error, std::nullopt);
  nextTurn();
  EXPECT_EQ(root.state().error, std::nullopt);
}

TEST(RootPresentation, AViewNeverSeesAHalfFinishedStep) {
  WorkspaceHarness h;
  auto workspace = idleWorkspace(h);
  workspace->current = savedRun("r1", "complete");
  workspace->screen = Screen::report;
  RootPresentation root(workspace);
  Changes changes(root.signalChanged());
  std::vector<Screen> seen;
  auto record = root.signalChanged().connect([&] {
    seen.push_back(root.state().screen);
    // The workspace is finished with its step whenever the view hears of it.
    EXPECT_EQ(workspace->current->has_value(), *workspace->screen == Screen::report);
  });
  workspace->newAudit();  // clears the run first, then moves to the composer
  root.setChromeHeight(90);
  nextTurn();
  EXPECT_EQ(changes.count, 1);
  EXPECT_EQ(seen, std::vector<Screen>{Screen::input});
  EXPECT_TRUE(root.state().showsTopVeil);
  EXPECT_EQ(root.state().metrics.chromeHeight, 90);
  record.disconnect();
}

TEST(RootViewState, ANewDraftOrDepthResetsTheComposersRowAndNotice) {
  WorkspaceHarness h;
  auto workspace = idleWorkspace(h);
  workspace->auditMode = "full";
  RootViewState state(workspace);
  // Nothing runs for the values found at construction.
  EXPECT_FALSE(*state.showingAccessNotice);

  state.showingURLField = true;
  EXPECT_TRUE(*state.urlFocused) << "an opened row takes the focus";
  state.urlDraft = "https://example.com/pricing";
  state.showingAccessNotice = true;
  workspace->newAudit();  // a new draft (and the mode back to "quick")
  EXPECT_FALSE(*state.showingURLField);
  EXPECT_FALSE(*state.urlFocused);
  EXPECT_EQ(*state.urlDraft, "");
  EXPECT_FALSE(*state.showingAccessNotice);

  state.showingAccessNotice = true;
  state.showingURLField = true;
  state.urlDraft = "https://example.com";
  workspace->auditMode = "full";
  EXPECT_FALSE(*state.showingAccessNotice) << "a change of depth hides the notice";
  EXPECT_TRUE(*state.showingURLField) << "and leaves the row alone";
  EXPECT_EQ(*state.urlDraft, "https://example.com");
  state.showingURLField = false;
  EXPECT_EQ(*state.urlDraft, "") << "closing the row by any means empties it";

  // A refused new audit keeps everything.
  state.showingURLField = true;
  state.urlDraft = "https://kept.example";
  workspace->reportMutationInFlight = true;
  workspace->newAudit();
  EXPECT_TRUE(*state.showingURLField);
  EXPECT_EQ(*state.urlDraft, "https://kept.example");
}

TEST(RootViewState, ClosingTheTipsAsksForTheTriggersFocusTheTurnAfter) {
  WorkspaceHarness h;
  auto workspace = idleWorkspace(h);
  RootViewState state(workspace);
  Changes requests(state.signalTipsTriggerFocusRequested());
  state.showingTips = true;
  state.showingTips = true;
  nextTurn();
  EXPECT_EQ(requests.count, 0) << "opening asks for nothing";
  state.showingTips = false;
  EXPECT_EQ(requests.count, 0) << "the views follow the closing first";
  nextTurn();
  EXPECT_EQ(requests.count, 1);
  nextTurn();
  EXPECT_EQ(requests.count, 1);

  state.toggleSidebar();
  EXPECT_FALSE(*state.sidebarVisible);
  state.toggleSidebar();
  EXPECT_TRUE(*state.sidebarVisible);
}

TEST(RootViewState, TheComparisonChoosersAnswers) {
  WorkspaceHarness h;
  auto workspace = idleWorkspace(h);
  RootViewState state(workspace);
  const ReportBaseline earlier("run-0", "2025-03-01T10:00:00Z", "Checkout");

  state.changingComparison = true;
  state.cancelComparison();
  EXPECT_FALSE(*state.changingComparison);
  EXPECT_EQ(*workspace->comparisonBaseline, std::nullopt) << "cancelling changes no baseline";
  EXPECT_EQ(*workspace->auditMode, "quick");

  state.changingComparison = true;
  state.showingAccessNotice = true;
  state.selectComparisonBaseline(earlier);
  EXPECT_FALSE(*state.changingComparison);
  ASSERT_TRUE(workspace->comparisonBaseline->has_value());
  EXPECT_EQ((*workspace->comparisonBaseline)->id, "run-0");
  EXPECT_EQ(*workspace->baselineRunID, std::optional<std::string>("run-0"));
  EXPECT_EQ(*workspace->auditMode, "full");
  EXPECT_FALSE(*state.showingAccessNotice) << "the switch to a full audit hides the notice";
}

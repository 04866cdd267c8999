// The window header's model over a real workspace (titles, buttons and their enabled
// states, the Back rule, Add files and Export) and the library's callbacks against the
// fake service (a new audit inside a project, reloads after a library change).
#include "core/shell/window_header.h"
#include "core/shell/library_callbacks.h"
#include "support/workspace_harness.h"

#include <glib.h>
#include <gtest/gtest.h>

using namespace vesk;
using namespace vesk::testing;

namespace {

std::shared_ptr<Workspace> idleWorkspace(WorkspaceHarness& h) {
  return Workspace::create(h.environment(), Workspace::SavedSession::ignore);
}

void nextTurn() {
  for (int i = 0; i < 100 && g_main_context_pending(nullptr); ++i) g_main_context_iteration(nullptr, FALSE);
}

using Button = WindowHeader::Button;
using enum HeaderItem;

SavedAudit withAgent(SavedAudit run, std::string agent) {
  run.agent = std::move(agent);
  return run;
}

}  // namespace

TEST(WindowHeader, TitlesAndButtonsFollowTheWorkspace) {
  WorkspaceHarness h;
  auto workspace = idleWorkspace(h);
  RootViewState root(workspace);
  WindowHeader header(workspace, root);
  EXPECT_EQ(header.state().title, std::nullopt) << "no title on home";
  EXPECT_EQ(header.state().buttons, (std::vector<Button>{{toggleSidebar}, {separator}, {newAudit}}));

  workspace->screen = Screen::input;
  nextTurn();
  EXPECT_EQ(header.state().title, std::optional<std::string>("New audit"));
  EXPECT_EQ(header.state().buttons,
            (std::vector<Button>{{toggleSidebar}, {addFiles, true}, {separator}, {newAudit, true}}));
  workspace->busy = true;
  nextTurn();
  EXPECT_EQ(header.state().buttons,
            (std::vector<Button>{{toggleSidebar}, {addFiles, false}, {separator}, {newAudit, false}}))
      << "busy with no live run shuts Add files and the navigation gate";
  workspace->busy = false;

  // Progress: the open run's mode before the composer's.
  workspace->auditMode = "quick";
  workspace->current = savedRun("r1", "running", "full");
  workspace->screen = Screen::progress;
  nextTurn();
  EXPECT_EQ(header.state().title, std::optional<std::string>("Full audit in progress"));
  auto modeless = savedRun("r1", "running");
  modeless.auditMode = std::nullopt;
  workspace->current = modeless;
  nextTurn();
  EXPECT_EQ(header.state().title, std::optional<std::string>("Quick read in progress"));

  // The report: Export and Share need a complete run of Vesk's agent.
  workspace->current = std::nullopt;
  workspace->screen = Screen::report;
  nextTurn();
  EXPECT_EQ(header.state().title, std::optional<std::string>("Report"));
  EXPECT_EQ(header.state().buttons, (std::vector<Button>{{toggleSidebar},
                                                         {separator},
                                                         {exportPDF, false},
                                                         {shareReport, false},
                                                         {print, true},
                                                         {separator},
                                                         {newAudit, true}}));
  workspace->current = savedRun("r2", "complete", "full", false, "Atlas");
  nextTurn();
  EXPECT_EQ(header.state().title, std::optional<std::string>("Atlas"));
  EXPECT_TRUE(header.state().works(exportPDF));
  EXPECT_TRUE(header.state().works(shareReport));
  workspace->current = withAgent(savedRun("r2", "complete"), "olva");
  nextTurn();
  EXPECT_FALSE(header.state().works(exportPDF));
  EXPECT_FALSE(header.state().works(shareReport));
  EXPECT_TRUE(header.state().works(print));
  workspace->fixture = true;
  workspace->current = savedRun("sample", "complete", "quick", true);
  nextTurn();
  EXPECT_FALSE(header.state().works(exportPDF)) << "the local preview";
  EXPECT_FALSE(header.state().works(shareReport)) << "a sample run";
  EXPECT_TRUE(header.state().works(print));
}

TEST(WindowHeader, BackKeepsAnswersOrTheDraftOrStartsAfresh) {
  WorkspaceHarness h;
  auto workspace = idleWorkspace(h);
  RootViewState root(workspace);
  WindowHeader header(workspace, root);
  const std::map<std::string, std::vector<std::string>> chosen{{"q0", {"Speed", "Trust"}}};

  // Review → discovery with the answers as they were.
  workspace->questions.set({DiscoveryQuestion("Goal?", {"Speed", "Trust"})});
  workspace->answers.set(chosen);
  workspace->screen = Screen::review;
  header.goBack();
  EXPECT_EQ(*workspace->screen, Screen::discovery);
  EXPECT_EQ(*workspace->answers, chosen);

  // Discovery in the local preview → the composer with the draft.
  workspace->fixture = true;
  workspace->urls = "https://shop.example.com";
  workspace->brief = "Checkout feels slow";
  const auto draft = *workspace->draftID;
  header.goBack();
  EXPECT_EQ(*workspace->screen, Screen::input);
  EXPECT_EQ(*workspace->urls, "https://shop.example.com");
  EXPECT_EQ(*workspace->brief, "Checkout feels slow");
  EXPECT_EQ(*workspace->draftID, draft);
  header.goBack();
  EXPECT_EQ(*workspace->screen, Screen::input) << "Back does nothing where it is not shown";

  // Live discovery → a fresh, empty composer; refused while the gate is shut.
  workspace->fixture = false;
  workspace->screen = Screen::discovery;
  workspace->reportMutationInFlight = true;
  header.goBack();
  EXPECT_EQ(*workspace->screen, Screen::discovery);
  EXPECT_EQ(*workspace->urls, "https://shop.example.com");
  workspace->reportMutationInFlight = false;
  header.goBack();
  EXPECT_EQ(*workspace->screen, Screen::input);
  EXPECT_EQ(*workspace->urls, "");
  EXPECT_EQ(*workspace->brief, "");
  EXPECT_TRUE(workspace->answers->empty());
  EXPECT_NE(*workspace->draftID, draft);
}

TEST(WindowHeader, AddFilesAndExportTestTheirRuleWhenTheyRun) {
  WorkspaceHarness h;
  auto workspace = idleWorkspace(h);
  RootViewState root(workspace);
  WindowHeader header(workspace, root);
  header.addFiles();
  EXPECT_FALSE(*root.importer) << "not on the composer";
  workspace->screen = Screen::input;
  workspace->busy = true;
  header.addFiles();
  EXPECT_FALSE(*root.importer) << "busy";
  workspace->busy = false;
  header.addFiles();
  EXPECT_TRUE(*root.importer);

  // Export of another agent's report asks for no destination.
  workspace->screen = Screen::report;
  workspace->current = withAgent(savedRun("r1", "complete"), "olva");
  header.exportPDF();
  nextTurn();
  EXPECT_TRUE(h.dialog->proposals.empty());

  header.toggleSidebar();
  EXPECT_FALSE(*root.sidebarVisible);
}

TEST(LibraryCallbacks, ANewAuditInAProjectFillsTheDraftAndRunsInTheProject) {
  WorkspaceHarness h;
  auto workspace = h.signedIn();
  LibraryCallbacks library(workspace);
  LibraryProject project("p-7", "Atlas");
  project.contextAttachment = LibraryAnchor("deck.pdf", "application/pdf");

  // Shut gate: nothing changes, the project id included.
  workspace->screen = Screen::library;
  workspace->brief = "kept";
  workspace->reportMutationInFlight = true;
  library.onNewReview(project);
  EXPECT_EQ(*workspace->screen, Screen::library);
  EXPECT_EQ(*workspace->brief, "kept");
  EXPECT_EQ(workspace->projectID(), std::nullopt);
  workspace->reportMutationInFlight = false;

  workspace->urls = "https://old.example.com";
  workspace->projectIntent = "new";
  library.onNewReview(project);
  EXPECT_EQ(*workspace->screen, Screen::input);
  EXPECT_EQ(*workspace->projectName, "Atlas");
  EXPECT_EQ(*workspace->brief, "");
  EXPECT_EQ(*workspace->urls, "");
  EXPECT_EQ(*workspace->projectIntent, "redesign");
  EXPECT_TRUE(*workspace->existingContextAvailable);
  EXPECT_EQ(workspace->projectID(), std::optional<std::string>("p-7"));

  // The submission runs inside the project: no project is created.
  h.service.reply("POST", desktop("runs"), Reply::json(runJson("r-1", "discovery").dump()));
  workspace->discover();
  ASSERT_TRUE(runUntil([&] { return *workspace->screen == Screen::discovery; }));
  EXPECT_TRUE(h.service.requestsTo("POST", desktop("projects")).empty());
  const auto runs = h.service.requestsTo("POST", desktop("runs"));
  ASSERT_EQ(runs.size(), 1u);
  EXPECT_EQ(nlohmann::json::parse(runs[0].body)["projectId"], "p-7");

  // A project with everything: its own brief, address and intent; no anchor, no context.
  LibraryProject full("p-8", "Borealis", "Make it calmer", "landing", "new");
  full.contextUrl = "https://borealis.example.com";
  library.onNewReview(full);
  EXPECT_EQ(*workspace->brief, "Make it calmer");
  EXPECT_EQ(*workspace->urls, "https://borealis.example.com");
  EXPECT_EQ(*workspace->projectIntent, "new");
  EXPECT_FALSE(*workspace->existingContextAvailable) << "a reference URL is no anchor file";

  // A new audit from the header forgets the project again.
  workspace->newAudit();
  EXPECT_EQ(workspace->projectID(), std::nullopt);
}

TEST(LibraryCallbacks, AChangeReloadsRunsThenProjectsAndTheOtherCallbacksReachTheWorkspace) {
  WorkspaceHarness h;
  auto workspace = h.signedIn();
  LibraryCallbacks library(workspace);
  library.onLibraryChanged();
  ASSERT_TRUE(runUntil([&] { return h.service.requestsTo("GET", desktop("projects")).size() == 1; }));
  std::vector<std::string> paths;
  for (const auto& request : h.service.requests()) paths.push_back(request.method + " " + request.path);
  EXPECT_EQ(paths, (std::vector<std::string>{"GET " + desktop("library"), "GET " + desktop("projects")}));

  library.onProjectSelected(std::string("p-3"));
  EXPECT_EQ(*workspace->libraryProjectID, std::optional<std::string>("p-3"));
  library.onProjectSelected(std::nullopt);
  EXPECT_EQ(*workspace->libraryProjectID, std::nullopt);

  workspace->screen = Screen::library;
  workspace->brief = "draft";
  library.onDismiss();
  EXPECT_EQ(*workspace->screen, Screen::input);
  EXPECT_EQ(*workspace->brief, "") << "Done leads to a fresh composer";

  h.service.reply("GET", desktop("runs/r-9"), Reply::json(runJson("r-9", "complete", "quick", "# Atlas").dump()));
  library.onOpenRun(savedRun("r-9", "complete", "quick", false, "Atlas"));
  ASSERT_TRUE(runUntil([&] { return *workspace->screen == Screen::report; }));
  EXPECT_EQ((*workspace->current)->id, "r-9");
}

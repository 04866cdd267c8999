// The composer's operations and presentation over a real workspace and the fake service:
// adding typed addresses, the submit gates, drops, the access notice and the comparison
// block.
#include "core/shell/composer_actions.h"
#include "core/shell/composer_presentation.h"
#include "support/workspace_harness.h"

#include <glib.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using namespace std::chrono_literals;
using namespace vesk;
using namespace vesk::testing;

namespace {

void nextTurn() {
  for (int i = 0; i < 100 && g_main_context_pending(nullptr); ++i) g_main_context_iteration(nullptr, FALSE);
}

// A workspace with the root's shared state, the composer's operations and its model.
struct Composer {
  explicit Composer(std::shared_ptr<Workspace> w)
      : workspace(std::move(w)), root(workspace), actions(workspace, root), model(workspace, root) {}
  std::shared_ptr<Workspace> workspace;
  RootViewState root;
  ComposerActions actions;
  ComposerPresentation model;
  const ComposerPresentation::State& state() {
    nextTurn();
    return model.state();
  }
};

std::size_t serviceRequests(WorkspaceHarness& h, const std::string& method, const std::string& operation) {
  return h.service.requestsTo(method, desktop(operation)).size();
}

}  // namespace

TEST(ComposerActions, AddingTypedAddresses) {
  WorkspaceHarness h;
  Composer c(h.signedIn());
  auto& w = *c.workspace;
  c.root.showingURLField = true;
  c.root.urlDraft = "example.com";
  c.actions.addComposerURL();
  EXPECT_EQ(*w.urls, "https://example.com");
  EXPECT_EQ(*c.root.urlDraft, "");
  EXPECT_FALSE(*c.root.showingURLField);

  c.root.showingURLField = true;
  c.root.urlDraft = "Http://Other.com b.com b.com";
  c.actions.addComposerURL();
  EXPECT_EQ(*w.urls, "https://example.com\nHttp://Other.com\nhttps://b.com")
      << "kept as typed, and a piece typed twice added once";
  w.urls = "https://example.com";
  c.root.urlDraft = "https://EXAMPLE.com example.com";
  c.actions.addComposerURL();
  EXPECT_EQ(*w.urls, "https://example.com\nhttps://EXAMPLE.com") << "another letter case is another address";
  EXPECT_FALSE(w.error->has_value());

  // Over the cap (3 for this account's quick read): nothing changes but the error.
  w.urls = "https://a.com\nhttps://b.com\nhttps://c.com";
  c.root.showingURLField = true;
  c.root.urlDraft = "d.com";
  c.actions.addComposerURL();
  EXPECT_EQ(*w.error, std::optional<std::string>("This audit covers up to 3 URLs."));
  EXPECT_EQ(*w.urls, "https://a.com\nhttps://b.com\nhttps://c.com");
  EXPECT_EQ(*c.root.urlDraft, "d.com");
  EXPECT_TRUE(*c.root.showingURLField);

  w.error = std::nullopt;
  w.urls = "";
  c.root.urlDraft = "good.com user:password@example.com";
  c.actions.addComposerURL();
  EXPECT_EQ(*w.error, std::optional<std::string>("Use a complete http or https URL, without embedded credentials."));
  EXPECT_EQ(*w.urls, "") << "not even the valid piece";
  EXPECT_TRUE(*c.root.showingURLField);
}

TEST(ComposerActions, SubmitSignsInFirstAndNothingReachesTheService) {
  WorkspaceHarness h;
  Composer c(Workspace::create(h.environment(), Workspace::SavedSession::ignore));
  auto& w = *c.workspace;
  h.routeSignIn();
  w.reports = {savedRun("r-1", "complete")};
  EXPECT_EQ(c.state().submitTitle, "Sign in to Vesk");
  EXPECT_FALSE(c.state().submitDisabled) << "signed out with an empty draft";
  c.actions.submitComposer();
  ASSERT_TRUE(runUntil([&] { return h.launched.size() == 1; })) << "the browser sign-in started";
  EXPECT_TRUE(w.reports->empty()) << "signing in from a signed-out composer keeps no saved work";
  EXPECT_EQ(c.state().submitTitle, "Signing in…");
  EXPECT_TRUE(c.state().submitDisabled);
  runFor(50ms);
  EXPECT_EQ(serviceRequests(h, "POST", "projects") + serviceRequests(h, "POST", "runs"), 0u);
}

TEST(ComposerActions, SubmitReconnectsKeepingTheDraft) {
  WorkspaceHarness h;
  Composer c(h.signedIn());
  auto& w = *c.workspace;
  h.routeSignIn();
  w.urls = "https://example.com";
  w.reconnectRequired = true;
  EXPECT_EQ(c.state().submitTitle, "Reconnect to Vesk");
  EXPECT_FALSE(c.state().submitDisabled);
  c.actions.submitComposer();
  ASSERT_TRUE(runUntil([&] { return h.launched.size() == 1; }));
  EXPECT_EQ(*w.urls, "https://example.com") << "reconnecting preserves the saved work";
  runFor(50ms);
  EXPECT_EQ(serviceRequests(h, "POST", "projects") + serviceRequests(h, "POST", "runs"), 0u);
}

TEST(ComposerActions, SubmitDisabledWithoutSourcesEnabledInThePreview) {
  WorkspaceHarness h;
  Composer signedIn(h.signedIn());
  EXPECT_EQ(signedIn.state().submitTitle, "Vesk");
  EXPECT_TRUE(signedIn.state().submitDisabled);
  signedIn.root.showingURLField = true;
  signedIn.root.urlDraft = " \n";
  EXPECT_TRUE(signedIn.state().submitDisabled) << "only white space typed";
  signedIn.root.urlDraft = "example.com";
  EXPECT_FALSE(signedIn.state().submitDisabled) << "a typed address counts: submitting adds it";
  signedIn.root.showingURLField = false;
  EXPECT_TRUE(signedIn.state().submitDisabled);
  signedIn.workspace->brief = "Look at example.com";
  EXPECT_FALSE(signedIn.state().submitDisabled);

  WorkspaceHarness p;
  Composer preview(p.signedIn(true));
  EXPECT_EQ(preview.state().submitTitle, "Vesk");
  EXPECT_FALSE(preview.state().submitDisabled) << "the preview, with an empty draft";
  EXPECT_TRUE(preview.state().showsPreviewNotice);
  EXPECT_FALSE(preview.state().showsSubmissionNotice);
}

TEST(ComposerActions, NoFullAuditsLeftShowsTheAccessNoticeUntilTheDepthChanges) {
  WorkspaceHarness h;
  Composer c(h.signedIn(false, accountJson(0)));
  auto& w = *c.workspace;
  w.auditMode = "full";
  w.urls = "https://example.com";
  EXPECT_FALSE(c.state().accessNotice);
  c.actions.submitComposer();
  EXPECT_EQ(c.state().accessNotice, std::optional<std::string>("No full audits available."));
  EXPECT_EQ(c.state().plansAddress, h.service.origin() + "/pricing");
  EXPECT_EQ(c.state().privacyAddress, h.service.origin() + "/privacy");
  EXPECT_FALSE(w.busy.get()) << "nothing was sent";

  w.auditMode = "quick";
  EXPECT_FALSE(c.state().accessNotice) << "a quick read hides it at once";
  runFor(50ms);
  EXPECT_EQ(serviceRequests(h, "POST", "projects") + serviceRequests(h, "POST", "runs"), 0u);
}

TEST(ComposerActions, SubmitAddsTheTypedAddressThenCreatesTheProjectAndTheRun) {
  WorkspaceHarness h;
  Composer c(h.signedIn());
  h.service.reply("POST", desktop("projects"), Reply::json(R"({"id":"p-7"})"));
  h.service.reply("POST", desktop("runs"), Reply::json(runJson("r-1", "discovery").dump()));
  c.root.showingURLField = true;
  c.root.urlDraft = "example.com";
  c.actions.submitComposer();
  EXPECT_EQ(*c.workspace->urls, "https://example.com");
  ASSERT_TRUE(runUntil([&] { return *c.workspace->screen == Screen::discovery; }));
  std::vector<std::string> posts;
  for (const auto& request : h.service.requests())
    if (request.method == "POST") posts.push_back(request.path);
  EXPECT_EQ(posts, (std::vector<std::string>{desktop("projects"), desktop("runs")}));

  // A refused typed address stops the submission.
  WorkspaceHarness r;
  Composer refused(r.signedIn());
  refused.workspace->urls = "https://example.com";
  refused.root.showingURLField = true;
  refused.root.urlDraft = "user:pw@example.com";
  refused.actions.submitComposer();
  EXPECT_TRUE(refused.workspace->error->has_value());
  EXPECT_FALSE(*refused.workspace->busy);
}

TEST(ComposerActions, DropsTakeLocalFilesOnlyAndNothingWhileBusy) {
  WorkspaceHarness h;
  Composer c(h.signedIn());
  auto& w = *c.workspace;
  const auto folder = h.folder + "-drop";
  std::filesystem::create_directories(folder);
  const auto file = folder + "/shot.png";
  std::ofstream(file, std::ios::binary) << "\x89PNG\r\n\x1a\n";

  w.busy = true;
  EXPECT_FALSE(c.actions.dropFiles({file}));
  w.busy = false;
  EXPECT_FALSE(c.actions.dropFiles({std::nullopt, std::nullopt})) << "only web links";
  EXPECT_TRUE(c.actions.dropFiles({std::nullopt, file, std::nullopt}));
  ASSERT_TRUE(runUntil([&] { return w.attachments->size() == 1; }));
  EXPECT_EQ(w.attachments->front().filename, "shot.png");
}

TEST(ComposerActions, ChipsAndTheirRemoval) {
  WorkspaceHarness h;
  Composer c(h.signedIn());
  auto& w = *c.workspace;
  const AuditAttachment shot("shot.png", "image/png", "iVBORw0KGgo=");
  w.attachments = {shot, AuditAttachment("notes.txt", "text/plain", "aGk="), shot};
  w.urls = "https://a.com https://b.com\nhttps://a.com example.com/x";
  const auto& state = c.state();
  ASSERT_EQ(state.files.size(), 3u);
  EXPECT_EQ(state.files[0].sizeBytes, 8);
  ASSERT_EQ(state.addresses.size(), 4u);
  EXPECT_EQ(state.addresses[0].title, "a.com");
  EXPECT_EQ(state.addresses[3].title, "example.com/x");

  c.actions.removeAttachment(state.files[2].id);
  EXPECT_EQ(w.attachments->size(), 1u) << "both identical attachments go";
  c.actions.removeAddress("https://a.com");
  EXPECT_EQ(*w.urls, "https://b.com\nexample.com/x");
}

TEST(ComposerActions, ComparisonBlockAndChangeAudit) {
  WorkspaceHarness h;
  Composer c(h.signedIn());
  auto& w = *c.workspace;
  EXPECT_FALSE(c.state().comparison);
  w.baselineRunID = std::string("base-1");
  EXPECT_EQ(c.state().comparison, (ComposerPresentation::Comparison{"Previous full audit", std::nullopt}));
  w.comparisonBaseline = ReportBaseline("base-1", "2025-03-04", "Checkout");
  EXPECT_EQ(c.state().comparison, (ComposerPresentation::Comparison{"Checkout", std::nullopt}));
  w.comparisonBaseline = ReportBaseline("base-1", "2025-03-04T10:00:00Z", "Checkout");
  EXPECT_TRUE(c.state().comparison->date);
  w.comparisonBaseline = ReportBaseline("base-1", "2025-03-04T10:00:00.5Z", "Checkout");
  EXPECT_TRUE(c.state().comparison->date);
  EXPECT_TRUE(c.state().pills[0].disabled) << "a baseline allows only a full audit";

  // Without a project: nothing opens, nothing is asked.
  EXPECT_FALSE(c.actions.changeComparison());
  EXPECT_FALSE(*c.root.changingComparison);

  // A discovery creates the project; "Change audit" then asks for its baselines.
  h.service.reply("POST", desktop("projects"), Reply::json(R"({"id":"p-7"})"));
  h.service.reply("POST", desktop("runs"), Reply::json(runJson("r-1", "discovery", "full").dump()));
  h.service.reply("GET", desktop("projects/p-7/reaudits"),
                  Reply::json(R"({"audits":[{"id":"base-2","createdAt":"2025-01-01T00:00:00Z","subject":"Home"}]})"));
  w.urls = "https://example.com";
  w.discover();
  ASSERT_TRUE(runUntil([&] { return w.projectID().has_value(); }));
  EXPECT_TRUE(c.actions.changeComparison());
  EXPECT_TRUE(*c.root.changingComparison);
  EXPECT_EQ(c.root.comparisonState().comparisonProjectID(), std::optional<std::string>("p-7"));
  ASSERT_TRUE(runUntil([&] { return !c.root.comparisonState().baselines->empty(); }));
  EXPECT_EQ(serviceRequests(h, "GET", "projects/p-7/reaudits"), 1u);

  c.actions.clearComparison();
  EXPECT_FALSE(w.baselineRunID->has_value());
  EXPECT_FALSE(w.comparisonBaseline->has_value());
  EXPECT_FALSE(c.state().comparison);
}

TEST(ComposerPresentation, OneChangePerTurn) {
  WorkspaceHarness h;
  Composer c(h.signedIn());
  int changes = 0;
  c.model.signalChanged().connect([&] { ++changes; });
  c.workspace->urls = "https://a.com";
  c.workspace->auditMode = "full";
  c.root.urlDraft = "x";
  c.workspace->busy = true;
  EXPECT_EQ(changes, 0);
  nextTurn();
  EXPECT_EQ(changes, 1);
  EXPECT_TRUE(c.model.state().busy);
  EXPECT_EQ(c.model.state().caption, "Eight expert angles · Uses 1 run");
  EXPECT_TRUE(c.model.state().canAddURL);
  c.root.urlDraft = " \n";
  nextTurn();
  EXPECT_FALSE(c.model.state().canAddURL) << "only white space typed";
}

TEST(ComposerActions, EscapeKeepsTheTypedAddressEveryOtherCloseEmptiesIt) {
  WorkspaceHarness h;
  Composer c(h.signedIn());
  c.root.showingURLField = true;
  c.root.urlDraft = "example.com";
  c.root.hideURLFieldKeepingDraft();
  EXPECT_FALSE(*c.root.showingURLField);
  EXPECT_EQ(*c.root.urlDraft, "example.com");
  c.root.showingURLField = true;
  EXPECT_TRUE(*c.root.urlFocused) << "opening it again asks for the focus";
  EXPECT_EQ(*c.root.urlDraft, "example.com");
  c.root.showingURLField = false;
  EXPECT_EQ(*c.root.urlDraft, "") << "closed any other way";
}

TEST(ComposerPresentation, AModelGoneBeforeTheWorkspaceHearsNothingMore) {
  WorkspaceHarness h;
  auto workspace = h.signedIn();
  RootViewState root(workspace);
  { ComposerPresentation model(workspace, root); }
  workspace->attachments = {AuditAttachment("a.txt", "text/plain", "aGk=")};
  workspace->urls = "https://a.com";
  nextTurn();
  SUCCEED() << "no model was reached after its end (the sanitizer would say)";
}

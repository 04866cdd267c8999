// Composer rules, attaching files, discovery and answers.
#include "support/workspace_harness.h"

#include <gtest/gtest.h>

#include <fstream>

using namespace std::chrono_literals;
using namespace vesk;
using namespace vesk::testing;

namespace {

std::string writeTemp(const std::string& folder, const std::string& name, const std::string& bytes) {
  std::filesystem::create_directories(folder);
  const auto path = folder + "/" + name;
  std::ofstream(path, std::ios::binary) << bytes;
  return path;
}

}  // namespace

TEST(WorkspaceComposer, UrlCapAccessNoticeAndSources) {
  WorkspaceHarness h;
  auto workspace = Workspace::create(h.environment(), Workspace::SavedSession::ignore);
  EXPECT_EQ(workspace->maxURLs(), 3) << "no account";
  workspace->account = Account::fromJson(accountJson(0, false, 0));
  EXPECT_EQ(workspace->maxURLs(), 1);
  workspace->account = Account::fromJson(accountJson(0, false, 12));
  EXPECT_EQ(workspace->maxURLs(), 8);
  workspace->auditMode = "full";
  EXPECT_EQ(workspace->maxURLs(), 5);
  EXPECT_EQ(workspace->auditAccessNotice(), std::optional<std::string>("No full audits available."));
  workspace->auditMode = "quick";
  EXPECT_EQ(workspace->auditAccessNotice(), std::optional<std::string>("Quick read unavailable."));
  workspace->fixture = true;
  EXPECT_FALSE(workspace->auditAccessNotice());
  workspace->fixture = false;
  workspace->account = Account::fromJson(accountJson(1, true));

  workspace->urls = " \n\u00a0";
  EXPECT_FALSE(workspace->hasAuditSources());
  workspace->brief = "Look at example.com please";
  EXPECT_TRUE(workspace->hasAuditSources());
  workspace->brief = "a.com b.com c.com d.com";
  EXPECT_FALSE(workspace->hasAuditSources()) << "more URLs than the cap";
  workspace->brief = "";
  workspace->existingContextAvailable = true;
  EXPECT_TRUE(workspace->hasAuditSources());
  workspace->baselineRunID = std::string("old");
  EXPECT_FALSE(workspace->hasAuditSources());
  workspace->baselineRunID = std::nullopt;
  workspace->existingContextAvailable = false;
  workspace->projectIntent = "new";
  workspace->brief = "   ";
  EXPECT_FALSE(workspace->hasAuditSources());
  workspace->brief = "A new booking flow";
  EXPECT_TRUE(workspace->hasAuditSources());

  workspace->selectComparisonBaseline(ReportBaseline("base", "2026-01-01T00:00:00Z", "Earlier"));
  EXPECT_EQ(*workspace->auditMode, "full");
  EXPECT_EQ(*workspace->baselineRunID, std::optional<std::string>("base"));
}

TEST(WorkspaceComposer, AddFilesChecksTheCapFirstAndAttachesAllOrNothing) {
  WorkspaceHarness h;
  auto workspace = Workspace::create(h.environment(), Workspace::SavedSession::ignore);
  const auto files = h.folder + "-files";
  const auto a = writeTemp(files, "a.png", "\x89PNG one");
  const auto b = writeTemp(files, "b.png", "\x89PNG two");
  const auto missing = files + "/missing.png";

  workspace->addFiles({a, missing, b});
  ASSERT_TRUE(runUntil([&] { return workspace->error->has_value(); }));
  EXPECT_TRUE(workspace->attachments->empty()) << "one unreadable file attaches none";

  workspace->error = std::nullopt;
  workspace->addFiles({a, a});
  ASSERT_TRUE(runUntil([&] { return !workspace->attachments->empty(); }));
  runFor(20ms);
  EXPECT_EQ(workspace->attachments->size(), 1u) << "the same file is attached once";
  workspace->addFiles({a});
  runFor(50ms);
  EXPECT_EQ(workspace->attachments->size(), 1u);

  // Quick mode: 1 + 5 is above the cap of 5, refused before anything is read.
  workspace->addFiles({missing, missing, missing, missing, missing});
  EXPECT_EQ(*workspace->error, std::optional<std::string>("This audit covers up to 5 files."));
  workspace->auditMode = "full";
  workspace->error = std::nullopt;
  workspace->addFiles({b});
  ASSERT_TRUE(runUntil([&] { return workspace->attachments->size() == 2; }));
  EXPECT_FALSE(workspace->error->has_value());
  std::filesystem::remove_all(files);
}

TEST(WorkspaceDiscovery, GuardsInOrder) {
  WorkspaceHarness h;
  auto workspace = Workspace::create(h.environment(), Workspace::SavedSession::ignore);
  workspace->reconnectRequired = true;
  workspace->auditMode = "deep";
  workspace->discover();
  EXPECT_EQ(*workspace->screen, Screen::account);
  EXPECT_EQ(*workspace->error, std::optional<std::string>(
                                   "Reconnect your account before starting an audit. Your saved work is still here."));
  workspace->reconnectRequired = false;
  workspace->discover();
  EXPECT_EQ(*workspace->error, std::optional<std::string>("Choose Quick read or Full audit."));
  workspace->auditMode = "quick";
  workspace->screen = Screen::input;
  workspace->discover();
  EXPECT_EQ(*workspace->screen, Screen::account);
  EXPECT_EQ(*workspace->error, std::optional<std::string>("Sign in to Vesk to start an audit."));

  workspace->account = Account::fromJson(accountJson());
  workspace->brief = "Just a brief";
  workspace->discover();
  EXPECT_EQ(*workspace->error, std::optional<std::string>("Add a URL or screenshot to continue."));
  workspace->urls = "https://u:p@a.com";
  workspace->discover();
  EXPECT_EQ(*workspace->error,
            std::optional<std::string>("Use a complete http or https URL, without embedded credentials."));
  EXPECT_FALSE(*workspace->busy);
  EXPECT_TRUE(workspace->operationSlot().isEmpty());
  EXPECT_TRUE(h.service.requests().empty());

  // A brief alone passes when the intent is new work; without a client the task then
  // says so.
  workspace->urls = "";
  workspace->projectIntent = "new";
  workspace->originText = "not an origin";
  workspace->discover();
  EXPECT_TRUE(*workspace->busy);
  EXPECT_FALSE(workspace->error->has_value());
  ASSERT_TRUE(runUntil([&] { return !*workspace->busy; }));
  EXPECT_EQ(*workspace->error, std::optional<std::string>("Connect your existing Vesk account first."));
}

TEST(WorkspaceDiscovery, LiveDiscoverySendsTheBodiesAndShowsTheQuestions) {
  WorkspaceHarness h;
  auto workspace = h.signedIn();
  h.service.reply("POST", desktop("projects"), Reply::json(R"({"id":"p-9"})"));
  h.service.replies("POST", desktop("runs"),
                    {Reply::error(500, "Busy."), Reply::json(runJson("r-1", "discovery").dump())});
  workspace->urls = "https://shop.example.com/x";
  workspace->brief = "";
  workspace->discover();
  EXPECT_EQ(*workspace->projectName, "shop.example.com");
  EXPECT_TRUE(*workspace->busy);
  workspace->discover();  // a second submit while the first runs does nothing
  ASSERT_TRUE(runUntil([&] { return !*workspace->busy; }));
  EXPECT_EQ(*workspace->error, std::optional<std::string>("Busy."));
  EXPECT_EQ(h.service.requestsTo("POST", desktop("projects")).size(), 1u);
  EXPECT_EQ(h.service.requestsTo("GET", desktop("library")).size(), 1u) << "a failure reloads the library";
  const auto project = nlohmann::json::parse(h.service.requestsTo("POST", desktop("projects"))[0].body);
  EXPECT_EQ(project, (nlohmann::json{{"name", "shop.example.com"}, {"brief", ""}}));

  // Discovery reloads the account and the library, which then lists the new run.
  h.service.reply("GET", desktop("library"),
                  Reply::json(nlohmann::json{{"runs", {savedRunJson("r-1", "discovery")}}}.dump()));
  h.service.clearRequests();
  workspace->discover();
  ASSERT_TRUE(runUntil([&] { return *workspace->screen == Screen::discovery; }));
  EXPECT_EQ(h.service.requestsTo("POST", desktop("projects")).size(), 0u) << "the created project is reused";
  EXPECT_EQ(h.service.requestsTo("GET", desktop("me")).size(), 1u);
  const auto runs = h.service.requestsTo("POST", desktop("runs"));
  ASSERT_EQ(runs.size(), 1u);
  const auto body = nlohmann::json::parse(runs[0].body);
  EXPECT_EQ(body, (nlohmann::json{{"projectId", "p-9"},
                                  {"agent", "vesk"},
                                  {"lensId", "design"},
                                  {"auditMode", "quick"},
                                  {"input", ""},
                                  {"urls", {"https://shop.example.com/x"}},
                                  {"attachments", nlohmann::json::array()}}));
  EXPECT_EQ(workspace->questions->size(), 2u);
  EXPECT_EQ((*workspace->current)->status, "discovery");
  ASSERT_FALSE(workspace->reports->empty());
  EXPECT_EQ(workspace->reports->front().id, "r-1");
}

// A project name worked out for an attempt that failed before any project was made is
// given up with it; one the user typed, or one a made project carries, stays.
TEST(WorkspaceDiscovery, ANameWorkedOutByAnAttemptThatMadeNoProjectDoesNotStick) {
  WorkspaceHarness h;
  auto workspace = h.signedIn();
  h.service.replies("POST", desktop("projects"), {Reply::error(500, "Busy."), Reply::json(R"({"id":"p-9"})")});
  h.service.reply("POST", desktop("runs"), Reply::json(runJson("r-1", "discovery").dump()));
  workspace->brief = "Please look at https://deleted.example/pricing";
  workspace->discover();
  EXPECT_EQ(*workspace->projectName, "deleted.example");
  ASSERT_TRUE(runUntil([&] { return !*workspace->busy; }));
  EXPECT_EQ(*workspace->error, std::optional<std::string>("Busy."));
  EXPECT_EQ(*workspace->projectName, "") << "no project carries the name";

  workspace->brief = "";
  workspace->addFiles({writeTemp(h.folder + "-files", "Checkout flow.png", "\x89PNG flow")});
  ASSERT_TRUE(runUntil([&] { return workspace->attachments->size() == 1; }));
  workspace->error = std::nullopt;
  workspace->discover();
  EXPECT_EQ(*workspace->projectName, "Checkout flow");
  ASSERT_TRUE(runUntil([&] { return *workspace->screen == Screen::discovery; }));
  const auto created = h.service.requestsTo("POST", desktop("projects"));
  ASSERT_EQ(created.size(), 2u);
  EXPECT_EQ(nlohmann::json::parse(created[1].body)["name"], "Checkout flow");

  // Once a project exists the name is its own, and a typed name is the user's.
  workspace->newAudit();
  h.service.reply("POST", desktop("projects"), Reply::json(R"({"id":"p-10"})"));
  h.service.reply("POST", desktop("runs"), Reply::error(500, "Busy."));
  workspace->urls = "https://kept.example";
  workspace->discover();
  ASSERT_TRUE(runUntil([&] { return !*workspace->busy; }));
  EXPECT_EQ(*workspace->projectName, "kept.example") << "the project was made under it";
  workspace->newAudit();
  h.service.reply("POST", desktop("projects"), Reply::error(500, "Busy."));
  workspace->urls = "https://typed.example";
  workspace->projectName = std::string("Typed");
  workspace->discover();
  ASSERT_TRUE(runUntil([&] { return !*workspace->busy; }));
  EXPECT_EQ(*workspace->projectName, "Typed");
  std::filesystem::remove_all(h.folder + "-files");
}

TEST(WorkspaceDiscovery, ServiceRepliesThatCannotStartTheRun) {
  WorkspaceHarness h;
  auto workspace = h.signedIn();
  h.service.reply("POST", desktop("projects"), Reply::json(R"({"id":"p-9"})"));
  h.service.reply("POST", desktop("runs"), Reply::json(runJson("r-1", "discovery", "full").dump()));
  workspace->urls = "https://a.com";
  workspace->baselineRunID = std::string("base-1");
  workspace->auditMode = "quick";
  workspace->discover();
  ASSERT_TRUE(runUntil([&] { return !*workspace->busy; }));
  EXPECT_EQ(*workspace->error,
            std::optional<std::string>("The saved audit mode changed. Check saved work before continuing."));
  EXPECT_FALSE(workspace->current->has_value());
  EXPECT_EQ(workspace->questions->size(), 2u);
  EXPECT_EQ(nlohmann::json::parse(h.service.requestsTo("POST", desktop("runs"))[0].body)["baselineRunId"], "base-1");
  EXPECT_EQ(h.service.requestsTo("GET", desktop("library")).size(), 1u) << "a failure reloads the library";

  auto noQuestions = runJson("r-2", "discovery");
  noQuestions["questions"] = nlohmann::json::array();
  h.service.reply("POST", desktop("runs"), Reply::json(noQuestions.dump()));
  workspace->discover();
  ASSERT_TRUE(runUntil([&] { return !*workspace->busy; }));
  EXPECT_EQ(*workspace->error,
            std::optional<std::string>(
                "Discovery did not return questions. Open Saved reports to recover this run before starting again."));
}

TEST(WorkspaceDiscovery, AnswersKeepAtMostTwoPerQuestion) {
  WorkspaceHarness h;
  auto workspace = Workspace::create(h.environment(), Workspace::SavedSession::ignore);
  workspace->questions = {DiscoveryQuestion("Q1", {"A", "B", "C"}), DiscoveryQuestion("Q2", {"X"}),
                          DiscoveryQuestion("Q3", {"Y"})};
  EXPECT_EQ(workspace->questionKey(2), "2:Q3");
  workspace->select("A", "Q1", 0);
  workspace->select("B", "Q1", std::nullopt);
  workspace->select("C", "Q1", 0);
  EXPECT_EQ(workspace->selectedAnswers(0), (std::vector<std::string>{"A", "B"})) << "a third pick changes nothing";
  workspace->select("A", "Q1", 0);
  EXPECT_EQ(workspace->selectedAnswers(0), std::vector<std::string>{"B"});
  workspace->select("X", "Q1", 1);
  EXPECT_TRUE(workspace->selectedAnswers(1).empty()) << "question text must match the index";
  EXPECT_FALSE(workspace->allAnswered());
  EXPECT_EQ(workspace->discoveryPayload(),
            nlohmann::json::parse(
                R"([{"question":"Q1","answer":["B"]},{"question":"Q2","answer":[]},{"question":"Q3","answer":[]}])"));
  auto stored = *workspace->answers;
  stored["0:Q1"] = {"Z", "B", "B", "C", "A"};
  workspace->answers = stored;
  EXPECT_EQ(workspace->selectedAnswers(0), (std::vector<std::string>{"B", "C"}));
  EXPECT_TRUE(workspace->selectedAnswers(7).empty());
}

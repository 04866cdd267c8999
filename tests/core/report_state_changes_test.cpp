// Sharing, discussion questions, deletion, the earlier run, and copying or saving the
// deliverable Markdown.
#include "support/report_harness.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

using namespace std::chrono_literals;
using namespace vesk;
using namespace vesk::testing;

namespace {

const std::string unreadable = "Vesk returned an unreadable response.";
const std::string questionSentence = "Tell us what you want to explore, in up to 2,000 characters.";

// A harness whose complete own run "R" has loaded (no slug, no earlier run).
class ReportChanges : public ::testing::Test {
 protected:
  void SetUp() override {
    h.routeRun("R", {{"id", "R"}, {"inheritedFromRunId", "run_base"}});
    h.bindLoaded(reportRun("R"));
    h.service.clearRequests();
  }
  ReportState& state() { return *h.state; }
  ReportHarness h;
};

Reply held(Reply reply) {
  reply.stall = true;
  return reply;
}

}  // namespace

TEST_F(ReportChanges, CreatingALinkStoresAndCopiesIt) {
  h.service.reply("POST", desktop("runs/R/share"), Reply::json(R"({"slug":"abc","extra":1})"));
  state().message = std::string("old");
  state().createShare();
  EXPECT_TRUE(*state().busy);
  EXPECT_FALSE(state().message->has_value());
  h.settle();
  const auto requests = h.service.requestsTo("POST", desktop("runs/R/share"));
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_EQ(requests[0].body, "{}");
  EXPECT_EQ(requests[0].header("Authorization"), std::optional<std::string>("Bearer token-1"));
  EXPECT_EQ(*state().sharedSlug, std::optional<std::string>("abc"));
  EXPECT_EQ(h.clipboard->texts, std::vector<std::string>{h.service.origin() + "/c/abc"});
  EXPECT_EQ(*state().message, std::optional<std::string>("Copied"));
  EXPECT_FALSE(*state().busy);

  // A reply without a slug fails to decode and keeps the slug.
  h.service.reply("POST", desktop("runs/R/share"), Reply::json("{}"));
  state().createShare();
  h.settle();
  EXPECT_EQ(*state().error, std::optional<std::string>(unreadable));
  EXPECT_EQ(*state().sharedSlug, std::optional<std::string>("abc"));
  EXPECT_FALSE(*state().busy);

  // A slug that is no valid link is stored, but copying it does nothing.
  h.service.reply("POST", desktop("runs/R/share"), Reply::json(R"({"slug":"a b"})"));
  state().createShare();
  h.settle();
  EXPECT_EQ(*state().sharedSlug, std::optional<std::string>("a b"));
  EXPECT_EQ(h.clipboard->texts.size(), 1u);
  EXPECT_FALSE(state().message->has_value());
  state().copyShareLink();
  EXPECT_EQ(h.clipboard->texts.size(), 1u);
}

TEST_F(ReportChanges, RevokingNeedsASlugAndKeepsItOnFailure) {
  state().revokeShare();
  EXPECT_FALSE(*state().busy);
  EXPECT_EQ(state().mutationRevision(), 0);
  runFor(30ms);
  EXPECT_TRUE(h.service.requests().empty());

  state().sharedSlug = std::string("abc");
  h.service.reply("DELETE", desktop("runs/R/share"), Reply::error(500, "Could not revoke."));
  state().revokeShare();
  h.settle();
  EXPECT_EQ(*state().error, std::optional<std::string>("Could not revoke."));
  EXPECT_EQ(*state().sharedSlug, std::optional<std::string>("abc"));

  h.service.reply("DELETE", desktop("runs/R/share"), Reply::json("not even json"));
  state().revokeShare();
  h.settle();
  EXPECT_FALSE(state().sharedSlug->has_value()) << "the reply body is ignored";
  EXPECT_EQ(*state().message,
            std::optional<std::string>("Link revoked. The earlier link no longer opens this report."));
  EXPECT_FALSE(state().error->has_value());
  const auto requests = h.service.requestsTo("DELETE", desktop("runs/R/share"));
  ASSERT_EQ(requests.size(), 2u);
  EXPECT_TRUE(requests[1].body.empty());
}

TEST_F(ReportChanges, AQuestionIsCheckedTrimmedAndItsRunPublished) {
  h.service.reply("POST", desktop("runs/R/share"), held(Reply::json(R"({"slug":"x"})")));
  state().createShare();
  ASSERT_TRUE(runUntil([&] { return h.service.stalledCount() == 1; }));
  ASSERT_TRUE(*state().busy);
  for (const std::string& text : {std::string(" \n\t\u3000"), std::string(2001, 'q'), std::string()}) {
    state().error = std::nullopt;
    state().followUp(text);
    EXPECT_EQ(*state().error, std::optional<std::string>(questionSentence)) << "refused even while busy";
  }
  h.service.releaseStalled();
  h.settle();
  h.service.clearRequests();

  // 2,000 UTF-16 units pass (a character outside the BMP counts two).
  const std::string longest = std::string(1998, 'q') + "\U0001F600";
  h.service.reply("POST", desktop("runs/R/refine"),
                  Reply::json(R"({"id":"run_new","status":"complete","output":"# New","auditMode":"followup",
                                  "partial":false,"createdAt":"2024-06-01","runNumber":4,"agent":"other"})"));
  state().followUp("  " + longest + "\n");
  EXPECT_TRUE(*state().busy);
  h.settle();
  auto requests = h.service.requestsTo("POST", desktop("runs/R/refine"));
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_EQ(nlohmann::json::parse(requests[0].body), (nlohmann::json{{"instruction", longest}}));
  ASSERT_TRUE(state().createdRun->has_value());
  const SavedAudit& created = **state().createdRun;
  EXPECT_EQ(created, SavedAudit("run_new", "P", "Landing page", "complete", "# New", std::string("followup"), false,
                                std::string("2024-06-01"), false, std::nullopt, 4, std::string("vesk")));
  EXPECT_FALSE(state().error->has_value());
  state().followUp(std::string(1999, 'q') + "\U0001F600");
  EXPECT_EQ(*state().error, std::optional<std::string>(questionSentence)) << "2,001 units";

  h.service.reply("POST", desktop("runs/R/refine"), Reply::json(R"({"id":"run_2","status":"running","output":""})"));
  state().followUp("Why?");
  h.settle();
  EXPECT_EQ((*state().createdRun)->id, "run_2");
  EXPECT_EQ(*state().error, std::optional<std::string>("The discussion is not confirmed complete. Open its saved "
                                                       "status before sending another question."));

  h.service.reply("POST", desktop("runs/R/refine"), Reply::error(402, "No audits left."));
  state().followUp("Why?");
  h.settle();
  EXPECT_EQ(*state().error,
            std::optional<std::string>("No audits left. Check saved history before sending this again."));
  h.service.reply("POST", desktop("runs/R/refine"), Reply::json(R"({"id":"run_3"})"));
  state().followUp("Why?");
  h.settle();
  EXPECT_EQ(*state().error, std::optional<std::string>(unreadable + " Check saved history before sending this again."));
  EXPECT_EQ((*state().createdRun)->id, "run_2") << "a failed question publishes no run";
  EXPECT_FALSE(*state().busy);
}

TEST_F(ReportChanges, DeletingCallsBackBeforeBusyFalls) {
  h.service.reply("DELETE", desktop("runs/R"), Reply::json(""));
  std::vector<std::string> deleted;
  bool busyDuringCallback = false;
  state().message = std::string("kept");
  state().deleteRun([&](const std::string& id) {
    deleted.push_back(id);
    busyDuringCallback = *state().busy;
  });
  EXPECT_EQ(state().mutationRevision(), 1);
  h.settle();
  EXPECT_EQ(deleted, std::vector<std::string>{"R"});
  EXPECT_TRUE(busyDuringCallback);
  EXPECT_FALSE(*state().busy);
  EXPECT_EQ(*state().message, std::optional<std::string>("kept"));

  h.service.reply("DELETE", desktop("runs/R"), Reply::error(403, "Not yours."));
  state().deleteRun([&](const std::string& id) { deleted.push_back(id); });
  h.settle();
  EXPECT_EQ(deleted.size(), 1u);
  EXPECT_EQ(*state().error, std::optional<std::string>("Not yours."));
}

TEST_F(ReportChanges, RebindingDuringADeletionDropsItsEnding) {
  h.service.reply("DELETE", desktop("runs/R"), held(Reply::json("")));
  bool called = false;
  state().deleteRun([&](const std::string&) { called = true; });
  ASSERT_TRUE(runUntil([&] { return h.service.stalledCount() == 1; }));
  state().deleteRun([&](const std::string&) { called = true; });  // busy: nothing
  EXPECT_EQ(state().mutationRevision(), 1);

  h.routeRun("S", {{"id", "S"}});
  state().configure(h.api(), reportRun("S"), ReportMode::live);
  EXPECT_FALSE(*state().busy);
  EXPECT_EQ(state().mutationRevision(), 0);
  ChangeCounter busy(state().busy);
  ChangeCounter errors(state().error);
  h.service.releaseStalled();
  h.settle();
  EXPECT_FALSE(called);
  EXPECT_EQ(busy.count, 0);
  EXPECT_EQ(errors.count, 0);
}

TEST_F(ReportChanges, DeletionAndTheEarlierRunDoNothingForASampleOrWithoutAClient) {
  for (const auto& [api, mode] : {std::pair{std::optional<DesktopAPI>(h.api()), ReportMode::localPreview},
                                  std::pair{std::optional<DesktopAPI>(), ReportMode::live}}) {
    ReportHarness sample;
    sample.state->configure(api, reportRun("R"), mode);
    sample.state->originalReviewID = std::string("run_base");
    ChangeCounter errors(sample.state->error);
    ChangeCounter messages(sample.state->message);
    sample.state->deleteRun([](const std::string&) { ADD_FAILURE() << "deleted"; });
    sample.state->openOriginal([](const SavedAudit&) { ADD_FAILURE() << "opened"; });
    EXPECT_FALSE(*sample.state->busy);
    EXPECT_EQ(errors.count + messages.count, 0);
    sample.settle();
    EXPECT_TRUE(sample.service.requests().empty());
  }
}

TEST_F(ReportChanges, TheEarlierRunOpensInThisProjectAsTheProductsOwn) {
  ASSERT_EQ(*state().originalReviewID, std::optional<std::string>("run_base"));
  h.service.reply("GET", desktop("runs/run_base"),
                  Reply::json(R"({"id":"run_base","status":"complete","output":"# Base","auditMode":"full",
                                  "input":"brief","fixture":true,"agent":"claude","projectId":"Q"})"));
  std::vector<SavedAudit> opened;
  const int revision = state().mutationRevision();
  state().openOriginal([&](const SavedAudit& run) { opened.push_back(run); });
  EXPECT_TRUE(*state().busy);
  EXPECT_EQ(state().mutationRevision(), revision) << "reading the earlier run changes nothing at the service";
  h.settle();
  ASSERT_EQ(opened.size(), 1u);
  EXPECT_EQ(opened[0], SavedAudit("run_base", "P", "Landing page", "complete", "# Base", std::string("full"), false,
                                  std::nullopt, std::nullopt, std::string("brief"), std::nullopt, std::string("vesk")));
  EXPECT_EQ(h.service.requestsTo("GET", desktop("runs/run_base"))[0].header("Authorization"),
            std::optional<std::string>("Bearer token-1"));
  EXPECT_FALSE(*state().busy);

  h.service.reply("GET", desktop("runs/run_base"), Reply::error(404, "Gone."));
  state().openOriginal([&](const SavedAudit& run) { opened.push_back(run); });
  h.settle();
  EXPECT_EQ(opened.size(), 1u);
  EXPECT_EQ(*state().error, std::optional<std::string>("Gone."));

  state().originalReviewID = std::string("../me");
  state().openOriginal([&](const SavedAudit& run) { opened.push_back(run); });
  h.settle();
  EXPECT_EQ(*state().error, std::optional<std::string>("Invalid Vesk operation.")) << "checked before it is sent";
  EXPECT_TRUE(h.service.requestsTo("GET", desktop("me")).empty());
  state().originalReviewID = std::nullopt;
  state().openOriginal([&](const SavedAudit& run) { opened.push_back(run); });
  EXPECT_FALSE(*state().busy);
}

TEST_F(ReportChanges, ChangesAreRefusedForHistoricalReports) {
  ReportHarness other;
  other.routeRun("R", {{"id", "R"}, {"agent", "claude"}});
  other.bindLoaded(reportRun("R"));
  other.service.clearRequests();
  other.state->sharedSlug = std::string("abc");
  for (const auto& change :
       std::vector<std::function<void()>>{[&] { other.state->createShare(); }, [&] { other.state->revokeShare(); },
                                          [&] { other.state->followUp("Why?"); }}) {
    other.state->error = std::nullopt;
    change();
    EXPECT_EQ(*other.state->error,
              std::optional<std::string>("This historical report is available to read, copy, and download."));
  }
  other.settle();
  EXPECT_TRUE(other.service.requests().empty());
}

TEST_F(ReportChanges, CopyingTheMarkdownCopiesTheDeliverable) {
  auto run = **state().report;
  run.output = "<discovery>{}</discovery>\n\n# Report\n\nResearched with Vesk's multi-agent method: eight lenses.";
  state().configure(h.api(), run, ReportMode::live);
  state().copyMarkdown();
  EXPECT_EQ(h.clipboard->texts,
            std::vector<std::string>{
                "# Report\n\nBased on eight expert perspectives, the supplied pages, and your stated goals."});
  EXPECT_EQ(*state().message, std::optional<std::string>("Copied"));
}

TEST_F(ReportChanges, SavingTheMarkdownProposesASafeNameAndReplacesTheFileWhole) {
  const std::string path = h.folder + "/report.md";
  {
    std::ofstream existing(path);
    existing << "an older, much longer file that must not shine through";
  }
  // A second name for the old file: an in-place write would change what it reads.
  const std::string oldLink = h.folder + "/old.md";
  ASSERT_EQ(link(path.c_str(), oldLink.c_str()), 0);
  const auto private_ = std::filesystem::perms::owner_read | std::filesystem::perms::owner_write;
  std::filesystem::permissions(path, private_);
  h.dialog->answer = path;
  state().exportMarkdown();
  h.settle();
  EXPECT_EQ(h.dialog->proposals, std::vector<std::string>{"Landing page.md"});
  EXPECT_EQ(h.dialog->kinds, std::vector<SavedFileKind>{SavedFileKind::plainText});
  EXPECT_EQ(h.readFile(path), "# Report\n\nFindings.");
  EXPECT_EQ(h.readFile(oldLink), "an older, much longer file that must not shine through");
  EXPECT_EQ(std::filesystem::status(path).permissions(), private_) << "the replaced file's permissions stay";
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(h.folder), {}), 2) << "no temporary file is left";
  EXPECT_FALSE(state().message->has_value());

  auto run = **state().report;
  for (const auto& [projectName, proposal] :
       std::vector<std::pair<std::string, std::string>>{{"../../etc/x", "..-..-etc-x.md"}, {"a\nb", "a-b.md"}}) {
    run.projectName = projectName;
    run.id += "+";  // a new binding each time
    state().configure(h.api(), run, ReportMode::localPreview);
    state().exportMarkdown();
    h.settle();
    EXPECT_EQ(h.dialog->proposals.back(), proposal);
  }

  h.dialog->answer = h.folder + "/missing/report.md";
  state().exportMarkdown();
  h.settle();
  ASSERT_TRUE(state().error->has_value()) << "an unwritable destination";
  EXPECT_EQ(**state().error, "Could not save \u201Creport.md\u201D: No such file or directory.");

  h.dialog->answer = std::nullopt;
  state().error = std::nullopt;
  state().exportMarkdown();
  h.settle();
  EXPECT_FALSE(state().error->has_value()) << "a cancelled panel does nothing";

  ReportHarness empty;
  empty.state->exportMarkdown();
  empty.settle();
  EXPECT_TRUE(empty.dialog->proposals.empty()) << "no open report, no panel";
}

TEST_F(ReportChanges, ALateShareOfAnEarlierBindingWritesNothing) {
  h.service.reply("POST", desktop("runs/R/share"), held(Reply::json(R"({"slug":"late"})")));
  state().createShare();
  ASSERT_TRUE(runUntil([&] { return h.service.stalledCount() == 1; }));
  EXPECT_FALSE(state().operationSlot().isEmpty());
  h.routeRun("S", {{"id", "S"}});
  state().configure(h.api(), reportRun("S"), ReportMode::live);
  EXPECT_TRUE(state().operationSlot().current().isCancelled()) << "a new binding cancels the change";
  h.service.releaseStalled();
  h.settle();
  EXPECT_FALSE(state().sharedSlug->has_value());
  EXPECT_TRUE(h.clipboard->texts.empty());
  EXPECT_FALSE(state().message->has_value());
}

// Binding a run, loading its detail and share link, the change precondition and the
// share link's address.
#include "support/report_harness.h"

#include <gtest/gtest.h>

using namespace std::chrono_literals;
using namespace vesk;
using namespace vesk::testing;

namespace {

const std::string unreadable = "Vesk returned an unreadable response.";
const std::string unconfirmed = "The saved report could not be confirmed.";

nlohmann::json detailOf(const std::string& id) {
  return {{"id", id},
          {"output", "# Fresh"},
          {"status", "complete"},
          {"auditMode", "full"},
          {"partial", true},
          {"inheritedFromRunId", "run_base"},
          {"input", "https://example.com/pricing"},
          {"urls", {{{"url", "https://example.com"}, {"title", "Home"}, {"sizeBytes", 1200}}}},
          {"attachments", {{{"filename", "hero.png"}, {"mediaType", "image/png"}}}}};
}

std::vector<std::string> requestLine(const FakeService& service) {
  std::vector<std::string> line;
  for (const auto& request : service.requests()) line.push_back(request.method + " " + request.path);
  return line;
}

}  // namespace

TEST(ReportStateDetail, ANewStateIsAnEmptyLocalPreview) {
  ReportHarness h;
  EXPECT_TRUE(h.state->isVesk());
  EXPECT_FALSE(h.state->complete());
  EXPECT_FALSE(h.state->discussion());
  EXPECT_TRUE(h.state->isLocalPreview());
  EXPECT_FALSE(h.state->api().has_value());
  EXPECT_EQ(h.state->markdown(), "");
  EXPECT_FALSE(*h.state->loadingDetails);
}

TEST(ReportStateDetail, BindingACompleteOwnRunLoadsTheDetailThenTheShareLink) {
  ReportHarness h;
  h.routeRun("R", detailOf("R"), {{"slug", "abc"}});
  std::vector<bool> loading;
  h.state->loadingDetails.signalChanged().connect([&] { loading.push_back(*h.state->loadingDetails); });

  h.bindLoaded(reportRun("R"));
  EXPECT_EQ(loading, (std::vector<bool>{true, false}));
  EXPECT_EQ(requestLine(h.service),
            (std::vector<std::string>{"GET /api/desktop/runs/R", "GET /api/desktop/runs/R/share"}));
  for (const auto& request : h.service.requests()) {
    EXPECT_EQ(request.header("Authorization"), std::optional<std::string>("Bearer token-1")) << request.path;
    EXPECT_TRUE(request.body.empty());
  }
  const auto& run = **h.state->report;
  EXPECT_EQ(run.output, "# Fresh");
  EXPECT_EQ(run.partial, std::optional<bool>(true));
  EXPECT_EQ(run.input, std::optional<std::string>("https://example.com/pricing"));
  EXPECT_EQ(run.projectName, "Landing page") << "what the detail does not name stays";
  EXPECT_EQ(*h.state->input, "https://example.com/pricing");
  EXPECT_EQ(*h.state->originalReviewID, std::optional<std::string>("run_base"));
  ASSERT_EQ(h.state->sources->size(), 1u);
  EXPECT_EQ(h.state->sources->front().title, std::optional<std::string>("Home"));
  EXPECT_EQ(h.state->sources->front().sizeBytes, std::optional<std::int64_t>(1200));
  ASSERT_EQ(h.state->attachments->size(), 1u);
  EXPECT_EQ(h.state->attachments->front().mediaType, "image/png");
  EXPECT_EQ(*h.state->sharedSlug, std::optional<std::string>("abc"));
  EXPECT_FALSE(h.state->error->has_value());
  EXPECT_TRUE(h.state->discussion());
}

TEST(ReportStateDetail, ADetailOfAnotherRunOrNoObjectIsRefusedWholesale) {
  const std::vector<std::pair<std::string, std::string>> replies = {
      {detailOf("X").dump(), unconfirmed},
      {R"({"output":"# Other"})", unconfirmed},
      {R"({"id":7,"output":"# Other"})", unconfirmed},
      {R"(["R"])", unconfirmed},
      {"{}", unconfirmed},
      {"not json", unreadable},
  };
  for (const auto& [reply, sentence] : replies) {
    ReportHarness h;
    h.service.reply("GET", desktop("runs/R"), Reply::json(reply));
    h.bindLoaded(reportRun("R"));
    EXPECT_EQ(*h.state->error, std::optional<std::string>(sentence)) << reply;
    EXPECT_EQ((*h.state->report)->output, "# Report\n\nFindings.") << reply;
    EXPECT_FALSE(h.state->originalReviewID->has_value()) << reply;
    EXPECT_TRUE(h.state->sources->empty()) << reply;
    EXPECT_FALSE(*h.state->loadingDetails) << reply;
    EXPECT_TRUE(h.service.requestsTo("GET", desktop("runs/R/share")).empty()) << reply;
  }
}

TEST(ReportStateDetail, AListThatDoesNotDecodeFailsAfterTheKeysBeforeIt) {
  ReportHarness h;
  auto detail = detailOf("R");
  h.routeRun("R", detail);
  h.bindLoaded(reportRun("R"));
  ASSERT_EQ(h.state->sources->size(), 1u);

  detail["output"] = "# Second";
  detail["status"] = "failed";
  detail["input"] = "brief two";
  detail["urls"] = nlohmann::json::array({{{"title", "x"}}});
  h.routeRun("R", detail);
  h.service.clearRequests();
  h.state->reload();
  h.settle();
  EXPECT_EQ(*h.state->error, std::optional<std::string>(unreadable)) << "the client's own sentence";
  EXPECT_EQ((*h.state->report)->output, "# Second");
  EXPECT_EQ((*h.state->report)->status, "failed");
  EXPECT_EQ(*h.state->input, "brief two");
  EXPECT_EQ(h.state->sources->front().url, "https://example.com") << "the list itself is not applied";
  EXPECT_FALSE(*h.state->loadingDetails);
  EXPECT_EQ(requestLine(h.service), std::vector<std::string>{"GET /api/desktop/runs/R"}) << "no share request";

  detail["urls"] = nlohmann::json::array({{{"url", "https://a.test"}}});
  detail["attachments"] = nlohmann::json::array({{{"filename", "a.pdf"}}});
  h.routeRun("R", detail);
  h.state->reload();
  h.settle();
  EXPECT_EQ(*h.state->error, std::optional<std::string>(unreadable)) << "an attachment without a media type";
  EXPECT_EQ(h.state->sources->front().url, "https://a.test") << "the list before it is applied";
}

TEST(ReportStateDetail, MissingAndMistypedKeysFollowTheirOwnRules) {
  ReportHarness h;
  h.routeRun("R", detailOf("R"));
  h.bindLoaded(reportRun("R"));

  // No "inheritedFromRunId" or "input": both cleared; no lists: both kept; mistyped keys
  // count as missing; a list holding something other than objects counts as missing.
  h.routeRun("R",
             {{"id", "R"},
              {"output", 5},
              {"status", nullptr},
              {"partial", "yes"},
              {"agent", "vesk"},
              {"sharedSlug", "from-detail"},
              {"attachments", {"hero.png"}}},
             {{"slug", nullptr}});
  h.state->reload();
  h.settle();
  EXPECT_FALSE(h.state->error->has_value()) << h.state->error->value_or("");
  EXPECT_EQ((*h.state->report)->output, "# Fresh");
  EXPECT_EQ((*h.state->report)->status, "complete");
  EXPECT_EQ((*h.state->report)->partial, std::optional<bool>(true));
  EXPECT_FALSE(h.state->originalReviewID->has_value());
  EXPECT_EQ(*h.state->input, "");
  EXPECT_EQ((*h.state->report)->input, std::optional<std::string>(""));
  EXPECT_EQ(h.state->sources->size(), 1u);
  EXPECT_EQ(h.state->attachments->size(), 1u);
  EXPECT_FALSE(h.state->sharedSlug->has_value()) << "a share reply without a slug clears the detail's";

  h.routeRun("R", {{"id", "R"}, {"urls", nlohmann::json::array()}, {"attachments", nlohmann::json::array()}});
  h.state->reload();
  h.settle();
  EXPECT_TRUE(h.state->sources->empty());
  EXPECT_TRUE(h.state->attachments->empty());
}

TEST(ReportStateDetail, AnotherAgentsRunGetsNoShareRequestAndKeepsItsSlug) {
  ReportHarness h;
  auto detail = detailOf("R");
  detail["agent"] = "claude";
  detail["sharedSlug"] = "kept";
  h.routeRun("R", detail, {{"slug", "never"}});
  h.bindLoaded(reportRun("R"));
  EXPECT_FALSE(h.state->isVesk());
  EXPECT_FALSE(h.state->discussion());
  EXPECT_EQ(*h.state->sharedSlug, std::optional<std::string>("kept"));
  EXPECT_TRUE(h.service.requestsTo("GET", desktop("runs/R/share")).empty());
  EXPECT_FALSE(*h.state->loadingDetails);
}

TEST(ReportStateDetail, FailuresShowTheirSentenceAndEndTheLoading) {
  ReportHarness h;
  h.service.reply("GET", desktop("runs/R"), Reply::error(401, "ignored"));
  h.bindLoaded(reportRun("R"));
  EXPECT_EQ(*h.state->error, std::optional<std::string>(
                                 "Your session expired. Reconnect in the browser; your saved work is still there."));
  EXPECT_FALSE(*h.state->loadingDetails);

  h.routeRun("R", detailOf("R"));
  h.service.reply("GET", desktop("runs/R/share"), Reply::error(500, "Share lookup failed."));
  h.state->reload();
  h.settle();
  EXPECT_EQ(*h.state->error, std::optional<std::string>("Share lookup failed."));
  EXPECT_EQ((*h.state->report)->output, "# Fresh") << "the detail before it stays applied";

  // An id that cannot go into a path is never sent.
  ReportHarness bad;
  bad.bindLoaded(reportRun("a/../b"));
  EXPECT_EQ(*bad.state->error, std::optional<std::string>("Invalid Vesk operation."));
  EXPECT_TRUE(bad.service.requests().empty());
}

TEST(ReportStateDetail, RebindingTheSameRunReplacesOnlyWhatChanged) {
  ReportHarness h;
  h.routeRun("R", detailOf("R"), {{"slug", "abc"}});
  h.bindLoaded(reportRun("R"));
  h.service.clearRequests();
  const auto generation = h.state->generation();
  ChangeCounter loading(h.state->loadingDetails);
  ChangeCounter reports(h.state->report);

  auto run = **h.state->report;
  run.auditMode = "quick";
  run.agent = "other";
  h.state->configure(h.api(), run, ReportMode::live);
  EXPECT_EQ(reports.count, 0) << "only a new audit mode or agent changes nothing";
  EXPECT_EQ((*h.state->report)->auditMode, std::optional<std::string>("full"));

  run.output = "# Rewritten";
  h.state->configure(h.api(), run, ReportMode::live);
  EXPECT_EQ((*h.state->report)->output, "# Rewritten");
  EXPECT_EQ(reports.count, 1);
  EXPECT_EQ(*h.state->sharedSlug, std::optional<std::string>("abc")) << "no reset";
  EXPECT_EQ(h.state->generation(), generation);
  runFor(50ms);
  EXPECT_TRUE(h.service.requests().empty());
  EXPECT_EQ(loading.count, 0);

  // Another token is a new binding: everything run-derived resets and loads again.
  run.agent = std::nullopt;
  h.state->error = std::string("old");
  h.state->message = std::string("Copied");
  h.state->configure(h.api("token-2"), run, ReportMode::live);
  EXPECT_NE(h.state->generation(), generation);
  EXPECT_FALSE(h.state->sharedSlug->has_value());
  EXPECT_FALSE(h.state->error->has_value());
  EXPECT_FALSE(h.state->message->has_value());
  EXPECT_TRUE(h.state->sources->empty());
  EXPECT_FALSE(h.state->originalReviewID->has_value());
  EXPECT_EQ(*h.state->input, "https://example.com/pricing") << "the run's own input";
  EXPECT_TRUE(*h.state->loadingDetails);
  h.settle();
  EXPECT_EQ(requestLine(h.service),
            (std::vector<std::string>{"GET /api/desktop/runs/R", "GET /api/desktop/runs/R/share"}));
  EXPECT_EQ(h.service.requests().front().header("Authorization"), std::optional<std::string>("Bearer token-2"));

  // The local preview sends nothing.
  h.service.clearRequests();
  h.state->configure(h.api("token-2"), run, ReportMode::localPreview);
  EXPECT_FALSE(*h.state->loadingDetails);
  EXPECT_TRUE(h.state->isLocalPreview());
  runFor(50ms);
  EXPECT_TRUE(h.service.requests().empty());
}

TEST(ReportStateDetail, AChangeStartedDuringTheDetailDropsItAndSkipsTheShareRequest) {
  ReportHarness h;
  Reply held = Reply::json(detailOf("R").dump());
  held.stall = true;
  h.service.reply("GET", desktop("runs/R"), held);
  h.service.reply("POST", desktop("runs/R/share"), Reply::json(R"({"slug":"made"})"));
  h.state->configure(h.api(), reportRun("R"), ReportMode::live);
  ASSERT_TRUE(runUntil([&] { return h.service.stalledCount() == 1; }));

  h.state->createShare();
  EXPECT_EQ(h.state->mutationRevision(), 1);
  ASSERT_TRUE(runUntil([&] { return !*h.state->busy; }));
  h.service.releaseStalled();
  h.settle();
  EXPECT_EQ((*h.state->report)->output, "# Report\n\nFindings.") << "the detail was dropped";
  EXPECT_FALSE(h.state->originalReviewID->has_value());
  EXPECT_EQ(*h.state->sharedSlug, std::optional<std::string>("made"));
  EXPECT_FALSE(*h.state->loadingDetails);
  EXPECT_TRUE(h.service.requestsTo("GET", desktop("runs/R/share")).empty());
}

TEST(ReportStateDetail, ALateDetailOfAnEarlierBindingWritesNothing) {
  ReportHarness h;
  Reply held = Reply::error(500, "Too late.");
  held.stall = true;
  h.service.reply("GET", desktop("runs/R"), held);
  h.routeRun("S", {{"id", "S"}, {"output", "# S"}});
  h.state->configure(h.api(), reportRun("R"), ReportMode::live);
  ASSERT_TRUE(runUntil([&] { return h.service.stalledCount() == 1; }));
  h.state->configure(h.api(), reportRun("S"), ReportMode::live);
  ASSERT_TRUE(runUntil([&] { return !*h.state->loadingDetails; }));
  ChangeCounter errors(h.state->error);
  ChangeCounter loading(h.state->loadingDetails);
  h.service.releaseStalled();
  h.settle();
  EXPECT_EQ(errors.count, 0);
  EXPECT_EQ(loading.count, 0);
  EXPECT_EQ((*h.state->report)->output, "# S");
}

TEST(ReportStateDetail, DestroyingTheStateCancelsItsTasks) {
  ReportHarness h;
  Reply held = Reply::json(detailOf("R").dump());
  held.stall = true;
  h.service.reply("GET", desktop("runs/R"), held);
  h.state->configure(h.api(), reportRun("R"), ReportMode::live);
  ASSERT_TRUE(runUntil([&] { return h.service.stalledCount() == 1; }));
  h.state.reset();
  EXPECT_TRUE(runUntil([&] { return h.service.abandonedCount() == 1; }));
  h.service.releaseStalled();
  runFor(50ms);  // a resumption into the destroyed state would be caught by AddressSanitizer
  h.state = std::make_unique<ReportState>(ReportState::Environment{h.dialog, h.clipboard});
}

TEST(ReportStateContext, RefusesInOrderWithItsSentences) {
  ReportHarness h;
  auto& state = *h.state;
  EXPECT_FALSE(state.context());
  EXPECT_EQ(*state.error, std::optional<std::string>("Only a finished run can be changed or shared.")) << "no run";

  state.configure(h.api(), reportRun("R1", "running", "full", "claude"), ReportMode::localPreview);
  state.message = std::string("Copied");
  EXPECT_FALSE(state.context());
  EXPECT_EQ(*state.error,
            std::optional<std::string>("This historical report is available to read, copy, and download."));
  EXPECT_EQ(*state.message, std::optional<std::string>("Copied")) << "a refusal leaves the message";

  state.configure(h.api(), reportRun("R2", "running"), ReportMode::localPreview);
  EXPECT_FALSE(state.context());
  EXPECT_EQ(*state.error, std::optional<std::string>("Only a finished run can be changed or shared."));

  const std::string sample =
      "This sample stays on this computer. Connect your existing account to change a real saved report.";
  state.configure(h.api(), reportRun("R3"), ReportMode::localPreview);
  EXPECT_FALSE(state.context());
  EXPECT_EQ(*state.error, std::optional<std::string>(sample));
  state.configure(std::nullopt, reportRun("R"), ReportMode::live);
  EXPECT_FALSE(state.context());
  EXPECT_EQ(*state.error, std::optional<std::string>(sample)) << "no client";

  h.routeRun("R", detailOf("R"));
  h.bindLoaded(reportRun("R"));
  state.message = std::string("Copied");
  state.error = std::string("old");
  const auto change = state.context();
  ASSERT_TRUE(change);
  EXPECT_TRUE(*state.busy);
  EXPECT_EQ(state.mutationRevision(), 1);
  EXPECT_FALSE(state.error->has_value());
  EXPECT_FALSE(state.message->has_value());
  EXPECT_EQ(change->run.id, "R");
  EXPECT_EQ(change->api.token, std::optional<std::string>("token-1"));
  EXPECT_EQ(change->generation, state.generation());

  state.error = std::string("kept");
  state.message = std::string("kept too");
  EXPECT_FALSE(state.context()) << "busy";
  EXPECT_EQ(*state.error, std::optional<std::string>("kept"));
  EXPECT_EQ(*state.message, std::optional<std::string>("kept too"));
  EXPECT_EQ(state.mutationRevision(), 1);
}

TEST(ReportStateShareURL, OnlyAWholeSlugOfTheRightCharactersMakesALink) {
  for (const char* origin : {"https://svc.test", "https://svc.test/"}) {
    ReportHarness h;
    h.state->configure(DesktopAPI{origin, "t"}, reportRun("R"), ReportMode::localPreview);
    EXPECT_FALSE(h.state->shareURL()) << "no slug";
    h.state->sharedSlug = std::string("abc");
    EXPECT_EQ(h.state->shareURL(), std::optional<std::string>("https://svc.test/c/abc")) << origin;
    h.state->sharedSlug = std::string(256, 'a');
    EXPECT_EQ(h.state->shareURL(), std::optional<std::string>("https://svc.test/c/" + std::string(256, 'a')));
    h.state->sharedSlug = std::string("A-z_9");
    EXPECT_TRUE(h.state->shareURL());
    for (const std::string& slug : {std::string(257, 'a'), std::string("a/b"), std::string("abc\n"), std::string(""),
                                    std::string("ab c"), std::string("\u00e9t\u00e9"), std::string("a%2F")}) {
      h.state->sharedSlug = slug;
      EXPECT_FALSE(h.state->shareURL()) << slug;
    }
  }
  ReportHarness noClient;
  noClient.state->configure(std::nullopt, reportRun("R"), ReportMode::localPreview);
  noClient.state->sharedSlug = std::string("abc");
  EXPECT_FALSE(noClient.state->shareURL());
}

TEST(ReportStateComparison, PreparingResetsTheRunAndBaselinesOnly) {
  ReportHarness h;
  h.routeRun("R", detailOf("R"));
  h.bindLoaded(reportRun("R"));
  Reply held = Reply::json(R"({"slug":"late"})");
  held.stall = true;
  h.service.reply("POST", desktop("runs/R/share"), held);
  h.state->createShare();
  ASSERT_TRUE(runUntil([&] { return h.service.stalledCount() == 1; }));
  h.state->baselines = std::vector<ReportBaseline>{ReportBaseline("b", "2024", "Old")};
  h.state->baselineError = std::string("failed");
  h.state->message = std::string("kept");
  const auto generation = h.state->generation();

  h.state->prepareComparison(h.api("token-9"), "P2", ReportMode::live);
  EXPECT_NE(h.state->generation(), generation);
  EXPECT_TRUE(h.state->operationSlot().current().isCancelled());
  EXPECT_FALSE(h.state->report->has_value());
  EXPECT_TRUE(h.state->baselines->empty());
  EXPECT_FALSE(h.state->baselineError->has_value());
  EXPECT_EQ(h.state->comparisonProjectID(), std::optional<std::string>("P2"));
  EXPECT_EQ(h.state->api()->token, std::optional<std::string>("token-9"));
  EXPECT_FALSE(h.state->isLocalPreview());
  EXPECT_TRUE(*h.state->busy) << "busy is not touched";
  EXPECT_EQ(*h.state->message, std::optional<std::string>("kept"));
  EXPECT_EQ(h.state->mutationRevision(), 1);
  h.settle();
  EXPECT_FALSE(h.state->sharedSlug->has_value()) << "the cancelled share wrote nothing";
}

// The demo's pieces on their own: the clock of a run, the answers it accepts and the
// checksum of its archive.
#include "demo_service/demo_documents.h"
#include "demo_service/demo_timeline.h"
#include "demo_service/demo_writing.h"

#include <gtest/gtest.h>

using namespace std::chrono_literals;
using namespace vesk::demo;

namespace {

DemoRun runningFor(const std::string& mode, Clock::duration elapsed, Clock::time_point now) {
  DemoRun run;
  run.id = "run_1";
  run.mode = mode;
  run.status = "running";
  run.startedAt = now - elapsed;
  run.auditStartedAt = "2024-05-01T10:00:00Z";
  return run;
}

std::vector<std::string> statuses(const nlohmann::json& snapshot) {
  std::vector<std::string> list;
  for (const auto& lens : snapshot["lenses"]) list.push_back(lens["status"]);
  return list;
}

}  // namespace

TEST(DemoParts, AFullAuditPassesItsPhasesAndLensesOnTheClock) {
  const DemoTimeline timeline(1.0);
  EXPECT_EQ(timeline.duration("full"), 90s);
  EXPECT_EQ(timeline.duration("quick"), 15s);
  EXPECT_EQ(DemoTimeline(0.1).duration("full"), 9s);
  const auto now = Clock::now();

  const auto seating = timeline.progress(runningFor("full", 5s, now), now);
  EXPECT_EQ(seating["phase"], "seating");
  EXPECT_EQ(seating["total"], 8);
  EXPECT_EQ(statuses(seating), std::vector<std::string>(8, "queued"));

  // 30 s in, a third of the way: two lenses done, the third under way.
  const auto lenses = timeline.progress(runningFor("full", 30s, now), now);
  EXPECT_EQ(lenses["phase"], "lenses");
  EXPECT_EQ(lenses["done"], 2);
  EXPECT_EQ(statuses(lenses), (std::vector<std::string>{"complete", "complete", "running", "queued", "queued", "queued",
                                                        "queued", "queued"}));
  EXPECT_EQ(lenses["auditStartedAt"], "2024-05-01T10:00:00Z");

  const auto writing = timeline.progress(runningFor("full", 80s, now), now);
  EXPECT_EQ(writing["phase"], "writing");
  EXPECT_EQ(writing["done"], 8);
  EXPECT_FALSE(timeline.isDue(runningFor("full", 89s, now), now));
  EXPECT_TRUE(timeline.isDue(runningFor("full", 90s, now), now));
  EXPECT_TRUE(timeline.isDue(runningFor("quick", 15s, now), now));

  auto scripted = runningFor("full", 49s, now);
  scripted.scriptedFailure = true;
  EXPECT_FALSE(timeline.isDue(scripted, now));
  scripted.startedAt = now - 50s;
  EXPECT_TRUE(timeline.isDue(scripted, now)) << "a little past half-way";
  scripted.status = "failed";
  const auto failed = timeline.progress(scripted, now);
  EXPECT_EQ(failed["phase"], "failed");
  EXPECT_EQ(statuses(failed), (std::vector<std::string>{"complete", "complete", "complete", "complete", "complete",
                                                        "failed", "failed", "failed"}));

  const auto quick = timeline.progress(runningFor("quick", 5s, now), now);
  EXPECT_EQ(quick["total"], 0);
  EXPECT_TRUE(quick["lenses"].empty());
}

TEST(DemoParts, AnswersMustFitTheQuestionsAsked) {
  std::string problem;
  nlohmann::json list = nlohmann::json::array();
  for (const auto& q : demoQuestions())
    list.push_back({{"question", q.text}, {"answer", {q.options[0], q.options[1]}}});
  const auto answers = answersFromContinue(list, problem);
  ASSERT_TRUE(answers) << problem;
  EXPECT_EQ(answers->at("goal"), (std::vector<std::string>{"Sign up", "Book a demo"}));

  auto three = list;
  three[0]["answer"].push_back(demoQuestions()[0].options[2]);
  EXPECT_FALSE(answersFromContinue(three, problem));
  EXPECT_EQ(problem, "Choose one or two answers for “Who is this work mainly for?”.");
  auto missing = list;
  missing.erase(missing.begin());
  EXPECT_FALSE(answersFromContinue(missing, problem));
  EXPECT_EQ(problem, "Answer every question before the run starts.");
  auto repeated = list;
  repeated[1]["answer"] = {"Sign up", "Sign up"};
  EXPECT_FALSE(answersFromContinue(repeated, problem));
  EXPECT_FALSE(answersFromReader({{"mood", {"Happy"}}}, problem));
  EXPECT_EQ(problem, "These answers are for a question this run did not ask.");
  EXPECT_TRUE(answersFromReader({{"worry", {"It looks dated"}}}, problem));
}

TEST(DemoParts, TheArchiveChecksumIsTheZipOne) {
  EXPECT_EQ(crc32Of("123456789"), 0xCBF43926ul);
  EXPECT_EQ(crc32Of(""), 0ul);
  const auto empty = zipArchive({});
  EXPECT_EQ(empty.size(), 22u) << "an empty archive is its end record alone";
  EXPECT_TRUE(empty.starts_with(std::string("PK\x05\x06", 4)));
}

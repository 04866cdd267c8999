// The pure rules of the audit screens: the review's sources line, the sample's stage
// rows, the live panel's headline, subtitle and perspective pills, and the start time.
#include "core/shell/audit_start_time.h"
#include "core/shell/live_progress_presentation.h"
#include "core/shell/progress_presentation.h"
#include "core/shell/review_presentation.h"

#include <gtest/gtest.h>

#include <cstdio>

using namespace vesk;

TEST(ReviewSourcesLine, CountsWithSingularsAndTheSavedContext) {
  EXPECT_EQ(reviewSourcesLine(1, 1, false), "1 URL \u00B7 1 file");
  EXPECT_EQ(reviewSourcesLine(0, 2, false), "0 URLs \u00B7 2 files");
  EXPECT_EQ(reviewSourcesLine(2, 0, false), "2 URLs \u00B7 0 files");
  EXPECT_EQ(reviewSourcesLine(1, 0, true), "1 URL \u00B7 0 files \u00B7 Saved project context");
}

TEST(StageRows, MarksDoneCurrentAndToComeAndSpinsOnlyTheCurrentConnectedRow) {
  const std::vector<std::string> stages{"Reading your sources", "Preparing your quick read"};
  using Mark = StageRow::Mark;
  EXPECT_EQ(stageRows(stages, 0, true, false),
            (std::vector<StageRow>{{stages[0], Mark::current, true}, {stages[1], Mark::toCome, false}}));
  EXPECT_EQ(stageRows(stages, 1, true, true),
            (std::vector<StageRow>{{stages[0], Mark::done, false}, {stages[1], Mark::current, false}}))
      << "a lost connection stops the spinner";
  EXPECT_EQ(stageRows(stages, 1, false, false)[1].spinner, false) << "not busy";
  EXPECT_EQ(stageRows(stages, 2, true, false),
            (std::vector<StageRow>{{stages[0], Mark::done, false}, {stages[1], Mark::done, false}}))
      << "past the last stage every row is done and none spins";
}

TEST(LiveProgressTexts, HeadlineAndSubtitleFollowTheirPrecedence) {
  AuditProgressSnapshot snapshot;
  snapshot.phase = "writing";
  const std::optional<AuditProgressSnapshot> some(snapshot);
  EXPECT_EQ(liveHeadline(true, true, some), "This audit could not finish.");
  EXPECT_EQ(liveHeadline(false, true, some), "Checking your saved audit status");
  EXPECT_EQ(liveHeadline(false, false, some), "Checking evidence and assembling your report");
  EXPECT_EQ(liveHeadline(false, false, std::nullopt), "Understanding your goals");

  EXPECT_EQ(liveSubtitle(true, "done", true, "About"), "Your audit stopped before completion.");
  EXPECT_EQ(liveSubtitle(false, "done", true, "About"), "Opening your saved report\u2026");
  EXPECT_EQ(liveSubtitle(false, "writing", true, "About"),
            "The connection was interrupted. Checking again automatically.");
  EXPECT_EQ(liveSubtitle(false, "writing", false, "About 2\u20134 min remaining"), "About 2\u20134 min remaining");
}

TEST(LiveProgressTexts, LensPillsMarkCompleteSkippedAndPending) {
  const auto pills = lensPills({{"a", "Visual", "complete"}, {"b", "Copy", "running"}, {"c", "Flow", "failed"}});
  EXPECT_EQ(pills, (std::vector<LensPill>{{"a", "Visual", LensPill::Dot::complete},
                                          {"b", "Copy", LensPill::Dot::pending},
                                          {"c", "Flow (skipped)", LensPill::Dot::skipped}}));
  EXPECT_TRUE(lensPills({}).empty());
  EXPECT_EQ(lensPills({{"d", "Tone", "Complete"}})[0].dot, LensPill::Dot::pending) << "statuses compare exactly";
}

TEST(AuditStartTime, ReadsInternetDatesWithAndWithoutFractions) {
  using namespace std::chrono;
  const auto whole = readAuditStartTime("2026-03-01T09:30:00Z");
  ASSERT_TRUE(whole);
  EXPECT_EQ(duration_cast<seconds>(whole->time_since_epoch()).count(), 1772357400);
  const auto fraction = readAuditStartTime("2026-03-01T10:30:00.250+01:00");
  ASSERT_TRUE(fraction);
  EXPECT_EQ(duration_cast<milliseconds>(*fraction - *whole).count(), 250);
  EXPECT_TRUE(readAuditStartTime("2026-03-01T09:30:00.123456789-05:30"));

  for (const char* refused : {"", "2026-03-01", "2026-03-01T09:30:00", "2026-03-01 09:30:00Z", "2026-03-01T09:30:00.Z",
                              "2026-13-01T09:30:00Z", "2026-03-01T25:30:00Z", "2026-03-01T09:30:00Zjunk",
                              "2026-03-01T09:30:00+0100", "yesterday"})
    EXPECT_FALSE(readAuditStartTime(refused)) << refused;
}

TEST(AuditStartTime, HoldsEveryYearTheServiceCanWriteWithoutWrapping) {
  using namespace std::chrono;
  const auto now = floor<microseconds>(system_clock::now());

  const auto farFuture = readAuditStartTime("9999-12-31T23:59:59Z");
  ASSERT_TRUE(farFuture);
  EXPECT_EQ(duration_cast<seconds>(farFuture->time_since_epoch()).count(), 253402300799) << "not wrapped into 1816";
  EXPECT_GT(secondsBetween(now, *farFuture), 2.5e11);
  EXPECT_LT(secondsBetween(*farFuture, now), -2.5e11);

  const auto farPast = readAuditStartTime("1600-01-01T00:00:00Z");
  ASSERT_TRUE(farPast);
  EXPECT_EQ(duration_cast<seconds>(farPast->time_since_epoch()).count(), -11676096000);
  EXPECT_GT(secondsBetween(*farPast, now), 1.3e10);

  const auto first = readAuditStartTime("0001-01-01T00:00:00.000001Z");
  ASSERT_TRUE(first);
  EXPECT_NEAR(secondsBetween(*first, *farFuture), 315537897599.0, 1e-3) << "the widest span";

  // Each year at its first and last moment, read and measured against now both ways.
  for (int year = 1; year <= 9999; ++year) {
    char text[64];
    for (const char* moment : {"-01-01T00:00:00.000001Z", "-12-31T23:59:59.999999+00:30"}) {
      std::snprintf(text, sizeof text, "%04d%s", year, moment);
      const auto start = readAuditStartTime(text);
      ASSERT_TRUE(start) << text;
      ASSERT_EQ(secondsBetween(*start, now), -secondsBetween(now, *start)) << text;
    }
  }
  const auto beforeTheFirstYear = readAuditStartTime("0001-01-01T00:00:00+01:00");  // 0000-12-31 in UTC
  if (beforeTheFirstYear) {
    EXPECT_GT(secondsBetween(*beforeTheFirstYear, *first), 3600.0);
  }
}

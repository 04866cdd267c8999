#include "core/workspace/audit_progress_snapshot.h"
#include "support/record_decoding.h"

#include <gtest/gtest.h>

using vesk::AuditProgressSnapshot;
using vesk::testing::decodeRecord;
using vesk::testing::decodingFailure;

TEST(AuditProgressSnapshot, DecodesStrictly) {
  const struct {
    const char* reply;
    const char* failure;  // nullptr: decodes
  } cases[] = {
      {R"({"phase":"seating","total":0,"done":0,"lenses":[]})", nullptr},
      {R"({"phase":"seating","total":0,"done":0,"auditStartedAt":null,"lenses":[]})", nullptr},
      {R"({"phase":"seating","total":0,"done":0})", "lenses: missing"},
      {R"({"phase":"seating","total":8,"done":1,"lenses":[{"id":"a","name":"Access"},{"id":"b","name":"B","status":"x"}]})",
       "lenses[0].status: missing"},
      {R"({"phase":"seating","total":"8","done":1,"lenses":[]})",
       "total: expected a whole number within signed 64 bits, got string"},
      {R"({"phase":"seating","total":8,"done":1.5,"lenses":[]})",
       "done: expected a whole number within signed 64 bits, got 1.5"},
      {R"({"phase":"seating","total":8,"done":1,"auditStartedAt":1714550000,"lenses":[]})",
       "auditStartedAt: expected text, got number"},
      {R"({"Phase":"seating","total":8,"done":1,"lenses":[]})", "phase: missing"},
  };
  for (const auto& c : cases) {
    const auto failure = decodingFailure<AuditProgressSnapshot>(c.reply);
    if (c.failure) {
      EXPECT_EQ(failure, std::optional<std::string>(c.failure)) << c.reply;
    } else {
      EXPECT_EQ(failure, std::nullopt) << c.reply;
    }
  }

  const auto snapshot = decodeRecord<AuditProgressSnapshot>(
      R"({"phase":"lenses","total":8,"done":3,"auditStartedAt":"2024-05-01T10:00:00Z","extra":1,
          "lenses":[{"id":"a11y","name":"Accessibility","status":"complete","score":9},
                    {"id":"copy","name":"Copy","status":"failed"},{"id":"ia","name":"Structure","status":"queued"}]})");
  EXPECT_EQ(snapshot.phase, "lenses");
  EXPECT_EQ(snapshot.total, 8);
  EXPECT_EQ(snapshot.done, 3);
  EXPECT_EQ(snapshot.auditStartedAt, "2024-05-01T10:00:00Z");
  ASSERT_EQ(snapshot.lenses.size(), 3u);
  EXPECT_EQ(snapshot.lenses[1], (AuditProgressSnapshot::Lens{"copy", "Copy", "failed"}));
  EXPECT_EQ(snapshot.lenses[2].status, "queued");
}

TEST(AuditProgressSnapshot, PhraseFollowsPhaseThenTotal) {
  const struct {
    const char* phase;
    std::int64_t total;
    const char* phrase;
  } cases[] = {
      {"seating", 0, "Understanding your goals"},
      {"seating", 8, "Understanding your goals"},
      {"writing", 8, "Checking evidence and assembling your report"},
      {"done", 0, "Your report is ready."},
      {"done", 8, "Your report is ready."},
      {"failed", 8, "This audit could not finish."},
      {"Writing", 8, "Auditing your pages and screens"},
      {"Writing", 0, "Reading your page"},
      {"writing ", 0, "Reading your page"},
      {"DONE", 0, "Reading your page"},
      {"lenses", 8, "Auditing your pages and screens"},
      {"lenses", -1, "Auditing your pages and screens"},
      {"", 0, "Reading your page"},
  };
  for (const auto& c : cases) {
    AuditProgressSnapshot snapshot;
    snapshot.phase = c.phase;
    snapshot.total = c.total;
    snapshot.done = 99;
    EXPECT_EQ(snapshot.phrase(), c.phrase) << c.phase << " " << c.total;
  }
}

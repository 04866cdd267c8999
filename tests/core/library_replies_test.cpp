#include "core/library/library_replies.h"
#include "core/library/project_draft.h"
#include "support/record_decoding.h"

#include <gtest/gtest.h>

using vesk::testing::decodeRecord;
using vesk::testing::decodingFailure;
using namespace vesk;

namespace {

constexpr const char* oneRun =
    R"({"id":"r1","projectId":"p1","projectName":"Doral","status":"complete","output":"# Report"})";

}  // namespace

TEST(LibraryReplies, ArchivePageNextOffsetIsAbsentNullOrAWholeNumber) {
  EXPECT_EQ(decodeRecord<refresh_reply::History>(R"({"runs":[],"nextOffset":null})").nextOffset, std::nullopt);
  EXPECT_EQ(decodeRecord<refresh_reply::History>(R"({"runs":[]})").nextOffset, std::nullopt);
  const auto page =
      decodeRecord<refresh_reply::History>(std::string(R"({"runs":[)") + oneRun + R"(],"nextOffset":100})");
  EXPECT_EQ(page.nextOffset, 100);
  ASSERT_EQ(page.runs.size(), 1u);
  EXPECT_EQ(page.runs[0].projectName, "Doral");

  EXPECT_EQ(decodingFailure<refresh_reply::History>(R"({"runs":[],"nextOffset":"100"})"),
            "nextOffset: expected a whole number within signed 64 bits, got string");
  EXPECT_TRUE(decodingFailure<refresh_reply::History>(R"({"runs":[],"nextOffset":100.5})"));
  EXPECT_EQ(decodingFailure<refresh_reply::History>(R"({"nextOffset":100})"), "runs: missing");
  EXPECT_EQ(decodingFailure<refresh_reply::History>(R"({"runs":null})"), "runs: null");
  // One broken run fails the whole page.
  EXPECT_EQ(decodingFailure<refresh_reply::History>(std::string(R"({"runs":[)") + oneRun + R"(,{"id":"r2"}]})"),
            "runs[1].projectId: missing");
}

TEST(LibraryReplies, ProjectRunsIgnoreAnOffsetAndProjectsNeedTheirList) {
  const auto runs = decodeRecord<open_reply::History>(std::string(R"({"runs":[)") + oneRun + R"(],"nextOffset":"x"})");
  EXPECT_EQ(runs.runs.size(), 1u);
  EXPECT_EQ(decodingFailure<open_reply::History>("{}"), "runs: missing");

  EXPECT_TRUE(decodeRecord<refresh_reply::Projects>(R"({"projects":[]})").projects.empty());
  EXPECT_EQ(decodingFailure<refresh_reply::Projects>("{}"), "projects: missing");
  EXPECT_EQ(decodingFailure<refresh_reply::Projects>(R"({"projects":null})"), "projects: null");
  EXPECT_TRUE(decodingFailure<refresh_reply::Projects>("[]")) << "the reply must be an object";
}

TEST(LibraryReplies, CreatedAndProjectRepliesAreStrictAboutTheirOneKey) {
  EXPECT_EQ(decodeRecord<save_reply::Created>(R"({"id":"p9","name":"ignored"})").id, "p9");
  EXPECT_EQ(decodingFailure<save_reply::Created>(R"({"id":42})"), "id: expected text, got number");
  EXPECT_EQ(decodingFailure<save_reply::Created>("{}"), "id: missing");

  constexpr const char* withExtras = R"({"project":{"id":"p1","name":"Doral","runCount":2},"etag":"x","runs":[]})";
  const auto detail = decodeRecord<open_reply::Detail>(withExtras);
  const auto canonical = decodeRecord<save_reply::Canonical>(withExtras);
  EXPECT_EQ(detail.project, canonical.project);
  EXPECT_EQ(detail.project.runCount, 2);
  EXPECT_EQ(decodingFailure<open_reply::Detail>("{}"), "project: missing");
  EXPECT_EQ(decodingFailure<save_reply::Canonical>(R"({"project":{"id":"p1"}})"), "project.name: missing");
}

TEST(ProjectDraft, NewAndExistingProjectsFillTheDraft) {
  const ProjectDraft fresh;
  EXPECT_EQ(fresh.kind, "landing");
  EXPECT_EQ(fresh.intent, "redesign");
  EXPECT_TRUE(fresh.name.empty() && fresh.brief.empty() && fresh.contextURL.empty());
  EXPECT_FALSE(fresh.replacement);
  EXPECT_FALSE(fresh.removeAnchor);

  const ProjectDraft bare(LibraryProject("p1", "Doral"));
  EXPECT_EQ(bare.name, "Doral");
  EXPECT_EQ(bare.kind, "") << "an existing project without a type shows none chosen";
  EXPECT_EQ(bare.intent, "redesign");

  LibraryProject full("p2", "Atlas", "Calmer sign-up", "dashboard", "new");
  full.contextUrl = "https://atlas.example";
  full.contextAttachment = LibraryAnchor("hero.png", "image/png", 1200, "https://files.example/hero.png");
  const ProjectDraft filled(full);
  EXPECT_EQ(filled.brief, "Calmer sign-up");
  EXPECT_EQ(filled.kind, "dashboard");
  EXPECT_EQ(filled.intent, "new");
  EXPECT_EQ(filled.contextURL, "https://atlas.example");
  EXPECT_FALSE(filled.replacement) << "the saved anchor stays in the project, not the draft";
  EXPECT_FALSE(filled.removeAnchor);
}

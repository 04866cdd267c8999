#include "core/records/library_records.h"
#include "core/records/json_fields.h"
#include "support/record_decoding.h"

#include <gtest/gtest.h>

using nlohmann::json;
using vesk::testing::decodeRecord;
using vesk::testing::decodingFailure;
using namespace vesk;

namespace {

LibraryProject fullProject() {
  return LibraryProject("p1", "Caf\u00e9 site", "Make signup calmer", "landing", "redesign", "2024-04-01T09:00:00Z",
                        "2024-05-02T10:00:00Z", 3, "https://example.com",
                        LibraryAnchor("brief.pdf", "application/pdf", 20480, "https://files.example/brief.pdf"),
                        LibraryContextURLMeta("Example \u2014 Home", 51234, std::nullopt), "vesk", "full",
                        LibraryLastRun("r3", "vesk", "full", "2024-05-02T10:00:00Z"));
}

template <class Record>
std::optional<std::string> listFailure(const std::string& reply, const char* key) {
  try {
    JsonFields(vesk::parseJsonDocument(reply), "reply").list<Record>(key);
  } catch (const DecodingError& error) {
    return error.detail();
  }
  return std::nullopt;
}

}  // namespace

TEST(LibraryProject, DecodingFailsTheWholeReplyOnAnyBrokenRule) {
  const struct {
    const char* project;
    const char* failure;  // nullptr: decodes
  } cases[] = {
      {R"({"id":"p","name":"A"})", nullptr},
      {R"({"id":"p"})", "name: missing"},
      {R"({"id":"p","name":null})", "name: null"},
      {R"({"id":"p","name":"A","runCount":null})", nullptr},
      {R"({"id":"p","name":"A","runCount":3.5})", "runCount: expected a whole number within signed 64 bits, got 3.5"},
      {R"({"id":"p","name":"A","runCount":"3"})",
       "runCount: expected a whole number within signed 64 bits, got string"},
      {R"({"id":"p","name":"A","lastRun":{"id":"r"}})", "lastRun.agent: missing"},
      {R"({"id":"p","name":"A","lastRun":{"id":"r","agent":"vesk"}})", nullptr},
      {R"({"id":"p","name":"A","contextAttachment":{"filename":"a.png"}})", "contextAttachment.mediaType: missing"},
      {R"({"id":"p","name":"A","contextAttachment":{"filename":"a.png","mediaType":"image/png","sizeBytes":1.5}})",
       "contextAttachment.sizeBytes: expected a whole number within signed 64 bits, got 1.5"},
      {R"({"id":"p","name":"A","contextUrlMeta":"fetched"})", "contextUrlMeta: expected an object, got string"},
      {R"({"id":"p","name":"A","contextUrlMeta":{"title":7}})", "contextUrlMeta.title: expected text, got number"},
      {R"({"id":"p","name":"A","kind":"kiosk","ContextUrl":"x","context_url":"y","lastRun":null})", nullptr},
  };
  for (const auto& c : cases) {
    const auto failure = decodingFailure<LibraryProject>(c.project);
    if (c.failure) {
      EXPECT_EQ(failure, std::optional<std::string>(c.failure)) << c.project;
      const std::string reply = std::string(R"({"projects":[{"id":"ok","name":"fine"},)") + c.project + "]}";
      EXPECT_EQ(listFailure<LibraryProject>(reply, "projects"), "projects[1]." + std::string(c.failure));
    } else {
      EXPECT_EQ(failure, std::nullopt) << c.project;
    }
  }
}

TEST(LibraryProject, MinimalProjectHasEveryOptionalAbsentAndEncodesOnlyIdAndName) {
  const auto project =
      decodeRecord<LibraryProject>(R"({"id":"p","name":"A","kind":"kiosk","ContextUrl":"x","context_url":"y"})");
  EXPECT_EQ(project, LibraryProject("p", "A", std::nullopt, "kiosk"));
  EXPECT_EQ(project.contextUrl, std::nullopt);
  EXPECT_EQ(LibraryProject("p", "A").toJson(), json::parse(R"({"id":"p","name":"A"})"));

  const auto lastRun = decodeRecord<LibraryProject>(R"({"id":"p","name":"A","lastRun":{"id":"r","agent":"vesk"}})");
  EXPECT_EQ(lastRun.lastRun, LibraryLastRun("r", "vesk"));
}

TEST(LibraryProject, AnEmptyContextUrlMetaIsPresentAndCounts) {
  const auto withMeta = decodeRecord<LibraryProject>(R"({"id":"p","name":"A","contextUrlMeta":{}})");
  const auto without = decodeRecord<LibraryProject>(R"({"id":"p","name":"A"})");
  ASSERT_TRUE(withMeta.contextUrlMeta.has_value());
  EXPECT_EQ(*withMeta.contextUrlMeta, LibraryContextURLMeta());
  EXPECT_FALSE(withMeta == without);
  EXPECT_FALSE(without == withMeta);
  EXPECT_EQ(withMeta.toJson(), json::parse(R"({"id":"p","name":"A","contextUrlMeta":{}})"));
}

TEST(LibraryProject, RoundTripsAndComparesAllFourteenMembers) {
  const LibraryProject base = fullProject();
  EXPECT_EQ(decodeRecord<LibraryProject>(base.toJson().dump()), base);

  LibraryProject decomposed = base;
  decomposed.name = "Cafe\u0301 site";
  EXPECT_EQ(decomposed, base);

  const std::vector<std::pair<const char*, std::function<void(LibraryProject&)>>> changes = {
      {"runCount", [](LibraryProject& p) { p.runCount = 4; }},
      {"lastActivity", [](LibraryProject& p) { p.lastActivity = "2024-05-03T10:00:00Z"; }},
      {"brief absent", [](LibraryProject& p) { p.brief.reset(); }},
      {"kind case", [](LibraryProject& p) { p.kind = "Landing"; }},
      {"anchor size", [](LibraryProject& p) { p.contextAttachment->sizeBytes.reset(); }},
      {"anchor url", [](LibraryProject& p) { p.contextAttachment->url = "https://files.example/other.pdf"; }},
      {"meta error", [](LibraryProject& p) { p.contextUrlMeta->error = ""; }},
      {"meta absent", [](LibraryProject& p) { p.contextUrlMeta.reset(); }},
      {"last run mode", [](LibraryProject& p) { p.lastRun->auditMode = "quick"; }},
      {"last run agent", [](LibraryProject& p) { p.lastRun->agent = "other"; }},
      {"lastAgent", [](LibraryProject& p) { p.lastAgent = "Vesk"; }},
      {"lastAuditMode", [](LibraryProject& p) { p.lastAuditMode.reset(); }},
  };
  for (const auto& [what, change] : changes) {
    LibraryProject changed = base;
    change(changed);
    EXPECT_FALSE(changed == base) << what;
  }
}

TEST(ReportBaseline, AllThreeMembersAreRequiredAndCompared) {
  EXPECT_EQ(listFailure<ReportBaseline>(
                R"({"audits":[{"id":"a","createdAt":"2024-05-01T10:00:00Z","subject":""},{"id":"b","createdAt":"x"}]})",
                "audits"),
            "audits[1].subject: missing");
  EXPECT_EQ(listFailure<ReportBaseline>(R"({"audits":[]})", "audits"), std::nullopt);

  const auto baseline = decodeRecord<ReportBaseline>(R"({"id":"a","createdAt":"2024-05-01T10:00:00Z","subject":""})");
  EXPECT_EQ(baseline, ReportBaseline("a", "2024-05-01T10:00:00Z", ""));
  EXPECT_NE(baseline, ReportBaseline("a", "2024-05-01T10:00:00Z", "Pricing page"));
  EXPECT_EQ(decodeRecord<ReportBaseline>(baseline.toJson().dump()), baseline);
}

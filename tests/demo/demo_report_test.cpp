// What the report reader asks of the demo: the run detail, evidence images, share links,
// a discussion question, new answers, a refined finding and the PDF.
#include "core/records/run_records.h"
#include "demo/demo_rig.h"

#include <gtest/gtest.h>

#include <regex>

using namespace vesk;
using namespace vesk::testing;

namespace {

bool isFullAuditOf(const nlohmann::json& run, const std::string& project) {
  return run["projectName"] == project && run["auditMode"] == "full" && run["status"] == "complete";
}

// Every evidence link of a report in the service's form, as evidence paths of the client.
std::vector<std::string> evidencePaths(const std::string& output, const std::string& runID) {
  std::vector<std::string> paths;
  const std::regex link("[(<]/api/(attachments|url-shot)/" + runID + "/([0-9]+)(?=(#vesk-box=[0-9,]+)?[)>\\s])");
  for (auto it = std::sregex_iterator(output.begin(), output.end(), link); it != std::sregex_iterator(); ++it)
    paths.push_back("runs/" + runID + "/" + (*it)[1].str() + "/" + (*it)[2].str());
  return paths;
}

}  // namespace

TEST(DemoReport, TheRunDetailAndEveryEvidenceLinkOfAReportResolve) {
  DemoRig rig;
  const auto client = rig.signedInClient();
  const auto listed = rig.libraryRun(client, [](const auto& run) { return isFullAuditOf(run, "Northwind Coffee"); });
  const std::string id = listed["id"];
  auto detail = rig.get(client, "runs/" + id);
  const auto state = RunState::fromJson(detail);
  EXPECT_EQ(state.status, "complete");
  EXPECT_EQ(state.output.str(), listed["output"]);
  EXPECT_TRUE(state.questions.empty());
  ASSERT_EQ(detail["urls"].size(), 2u);
  EXPECT_EQ(detail["urls"][1]["screenshotUrl"], "/api/url-shot/" + id + "/1");
  EXPECT_NE(state.output.str().find("## Compared with the audit of"), std::string::npos)
      << "the latest re-audits the first";

  const auto paths = evidencePaths(state.output, id);
  ASSERT_EQ(paths.size(), 2u);
  for (const auto& path : paths) {
    const auto image = runTask(client.asset(path));
    EXPECT_EQ(image.mimeType, "image/png");
    EXPECT_TRUE(isImage(image.bytes)) << path;
  }

  // An attached screenshot is served as it was attached.
  const auto quick = rig.libraryRun(client, [](const auto& run) {
    return run["projectName"] == "Ledgerly dashboard" && run["status"] == "complete";
  });
  auto quickDetail = rig.get(client, "runs/" + quick["id"].get<std::string>());
  ASSERT_EQ(quickDetail["attachments"].size(), 1u);
  EXPECT_EQ(quickDetail["attachments"][0]["filename"], "ledgerly-overview.png");
  const auto attached = evidencePaths(quickDetail["output"], quick["id"]);
  ASSERT_EQ(attached, std::vector<std::string>{"runs/" + quick["id"].get<std::string>() + "/attachments/0"});
  const auto image = runTask(client.asset(attached[0]));
  EXPECT_EQ(std::int64_t(image.bytes.size()), quickDetail["attachments"][0]["sizeBytes"].get<std::int64_t>());
  EXPECT_EQ(rig.failure(client, "runs/" + id + "/url-shot/2").status(), 404);
}

TEST(DemoReport, ShareLinksAreCreatedShownAndRevoked) {
  DemoRig rig;
  const auto client = rig.signedInClient();
  const auto run =
      rig.libraryRun(client, [](const auto& r) { return r["auditMode"] == "quick" && r["status"] == "complete"; });
  const std::string share = "runs/" + run["id"].get<std::string>() + "/share";
  EXPECT_TRUE(rig.get(client, share)["slug"].is_null());
  const std::string slug = rig.post(client, share, JsonObject{})["slug"];
  EXPECT_TRUE(std::regex_match(slug, std::regex("^[A-Za-z0-9_-]{1,256}$")));
  EXPECT_EQ(rig.get(client, share)["slug"], slug);
  EXPECT_EQ(rig.get(client, "runs/" + run["id"].get<std::string>())["sharedSlug"], slug);
  EXPECT_EQ(rig.post(client, share, JsonObject{})["slug"], slug) << "one link per report";
  runTask(client.raw(share, std::nullopt, "DELETE", Auth::bearer));
  EXPECT_TRUE(rig.get(client, share)["slug"].is_null());

  const auto running = rig.libraryRun(client, [](const auto& r) { return r["status"] == "running"; });
  const auto refused = rig.failure(client, "runs/" + running["id"].get<std::string>() + "/share", JsonObject{});
  EXPECT_EQ(refused.status(), 409);
  EXPECT_EQ(refused.message(), "Only a finished Vesk report can be changed or shared.");
  const auto historical = rig.libraryRun(client, [](const auto& r) { return r["agent"] == "olva"; });
  EXPECT_EQ(rig.failure(client, "runs/" + historical["id"].get<std::string>() + "/refine",
                        JsonObject{{"instruction", "Why?"}})
                .status(),
            409);
}

TEST(DemoReport, ADiscussionQuestionMakesACompleteFollowUpRun) {
  DemoRig rig;
  const auto client = rig.signedInClient();
  const auto original = rig.libraryRun(client, [](const auto& run) { return isFullAuditOf(run, "Northwind Coffee"); });
  auto reply = rig.post(client, "runs/" + original["id"].get<std::string>() + "/refine",
                        JsonObject{{"instruction", "Which change should come first?"}});
  EXPECT_EQ(reply["status"], "complete");
  EXPECT_EQ(reply["auditMode"], "followup");
  EXPECT_EQ(reply["input"], "Which change should come first?");
  EXPECT_NE(reply["output"].get<std::string>().find("> Which change should come first?"), std::string::npos);
  EXPECT_EQ(reply["runNumber"], original["runNumber"].get<std::int64_t>() + 1);
  EXPECT_EQ(rig.get(client, "runs/" + reply["id"].get<std::string>())["inheritedFromRunId"], original["id"]);
  EXPECT_EQ(rig.get(client, "library")["runs"][0]["id"], reply["id"]) << "the newest run of the library";
  const auto blank =
      rig.failure(client, "runs/" + original["id"].get<std::string>() + "/refine", JsonObject{{"instruction", " \n "}});
  EXPECT_EQ(blank.status(), 422);
}

TEST(DemoReport, NewAnswersAndARefinedFindingRewriteTheReport) {
  DemoRig rig;
  const auto client = rig.signedInClient();
  const auto run = rig.libraryRun(client, [](const auto& r) { return isFullAuditOf(r, "Northwind Coffee"); });
  const std::string path = "runs/" + run["id"].get<std::string>();

  auto answered = rig.post(client, path + "/answers",
                           JsonObject{{"answers", {{"audience", {"Returning customers", "Partners and press"}}}}});
  const std::string output = answered["output"];
  EXPECT_NE(output.find(R"("audience":["Returning customers","Partners and press"])"), std::string::npos);
  EXPECT_NE(output.find("Written for returning customers who should sign up."), std::string::npos);
  EXPECT_EQ(rig.get(client, path)["output"], output);
  const auto wrong = rig.failure(client, path + "/answers", JsonObject{{"answers", {{"audience", {"Robots"}}}}});
  EXPECT_EQ(wrong.status(), 422);
  EXPECT_EQ(wrong.message(), "An answer to “Who is this work mainly for?” is not one of its options.");

  const std::string heading = "2. The main action competes with three others";
  const auto refined = runTask(client.raw(path + "/refine-finding",
                                          JsonObject{{"finding", heading}, {"instruction", "Make it about mobile."}},
                                          std::nullopt, Auth::bearer));
  EXPECT_TRUE(refined.starts_with("### " + heading + "\n\n**Refined · as you asked: “Make it about mobile.”**"));
  const std::string rewritten = rig.get(client, path)["output"];
  EXPECT_NE(rewritten.find(refined), std::string::npos) << "the report now holds the refined finding";
  EXPECT_NE(rewritten.find("Written for returning customers"), std::string::npos) << "and keeps the answers";
  const auto unknown = rig.failure(client, path + "/refine-finding",
                                   JsonObject{{"finding", "9. Not a finding"}, {"instruction", "Shorter"}});
  EXPECT_EQ(unknown.message(), "This finding is not in the report.");
}

TEST(DemoReport, ThePdfIsAWellFormedDocument) {
  DemoRig rig;
  const auto client = rig.signedInClient();
  const auto run = rig.libraryRun(client, [](const auto& r) { return isFullAuditOf(r, "Northwind Coffee"); });
  const auto pdf =
      runTask(client.raw("runs/" + run["id"].get<std::string>() + "/pdf", std::nullopt, std::nullopt, Auth::bearer));
  ASSERT_TRUE(pdf.starts_with("%PDF-1.4\n"));
  ASSERT_TRUE(pdf.ends_with("%%EOF\n"));
  // The cross-reference table points at every object, and startxref at the table.
  const auto startxref = pdf.rfind("startxref\n");
  const auto xref = std::stoul(pdf.substr(startxref + 10));
  ASSERT_EQ(pdf.compare(xref, 5, "xref\n"), 0);
  std::istringstream table(pdf.substr(xref + 5));
  std::size_t first = 0, count = 0;
  table >> first >> count;
  ASSERT_GE(count, 6u);
  std::string offset, generation, kind;
  table >> offset >> generation >> kind;  // the free entry
  for (std::size_t object = 1; object < count; ++object) {
    table >> offset >> generation >> kind;
    EXPECT_EQ(kind, "n");
    EXPECT_EQ(pdf.compare(std::stoul(offset), std::to_string(object).size() + 6, std::to_string(object) + " 0 obj"), 0)
        << "object " << object;
  }
  EXPECT_NE(pdf.find("(Vesk report: Northwind Coffee) Tj"), std::string::npos);
  EXPECT_EQ(pdf.find("<discovery"), std::string::npos) << "the discovery material stays out";

  const auto running = rig.libraryRun(client, [](const auto& r) { return r["status"] == "running"; });
  EXPECT_EQ(rig.failure(client, "runs/" + running["id"].get<std::string>() + "/pdf").status(), 409);
}

#include "core/report/report_screen_rules.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

using namespace vesk;

namespace {

SavedAudit run(const std::string& status, std::optional<std::string> mode, std::optional<std::string> agent) {
  return SavedAudit("R", "P", "Landing page", status, "# Report", std::move(mode), std::nullopt, std::nullopt,
                    std::nullopt, std::nullopt, std::nullopt, std::move(agent));
}

}  // namespace

TEST(ReportScreenRules, KindLabels) {
  EXPECT_EQ(reportKindLabel(run("running", "full", std::string("design crit"))), "Design Crit · Saved report");
  EXPECT_EQ(reportKindLabel(run("complete", "quick", std::string("dESIGN  cRIT"))), "Design  Crit · Saved report");
  EXPECT_EQ(reportKindLabel(run("complete", "quick", std::string("élan vital"))), "Élan Vital · Saved report");
  EXPECT_EQ(reportKindLabel(run("complete", "quick", std::string("VESK"))), "Vesk · Saved report")
      << "only the exact \"vesk\" is the product's own agent";
  EXPECT_EQ(reportKindLabel(run("complete", "quick", std::string("vesk"))), "Quick read");
  EXPECT_EQ(reportKindLabel(std::nullopt), "Incomplete audit");
  EXPECT_EQ(reportKindLabel(run("running", "quick", std::nullopt)), "Incomplete audit");
  EXPECT_EQ(reportKindLabel(run("complete", std::nullopt, std::nullopt)), "Full audit");
  EXPECT_EQ(reportKindLabel(run("complete", "full", std::nullopt)), "Full audit");
  EXPECT_EQ(reportKindLabel(run("complete", "followup", std::nullopt)), "Discussion");
}

TEST(ReportScreenRules, ReaderArguments) {
  const std::vector<ReportSourceURL> sources{
      ReportSourceURL{"https://a.example", std::string("A"), std::nullopt, std::nullopt, std::nullopt, std::nullopt,
                      std::nullopt, std::nullopt, std::nullopt},
      ReportSourceURL{"https://b.example", std::nullopt, std::string("crawl"), std::string("Login wall"), std::nullopt,
                      std::nullopt, std::int64_t{10}, std::string("Timed out"), std::nullopt}};
  const DesktopAPI api{"http://127.0.0.1:1", std::string("t")};

  auto args = readerArguments(run("complete", std::nullopt, std::string("vesk")), false, api, sources, 112);
  EXPECT_TRUE(args.interactive);
  EXPECT_FALSE(args.discussion);
  EXPECT_EQ(args.runID, std::optional<std::string>("R"));
  EXPECT_EQ(args.markdown, "# Report");
  EXPECT_EQ(args.topInset, 204);
  const auto provenance = nlohmann::json::parse(args.provenanceJSON);
  ASSERT_EQ(provenance.size(), 2u);
  EXPECT_EQ(provenance[0], nlohmann::json({{"url", "https://a.example"}})) << "only the url, never a null";
  EXPECT_EQ(provenance[1], nlohmann::json({{"url", "https://b.example"},
                                           {"source", "crawl"},
                                           {"note", "Login wall"},
                                           {"screenshotError", "Timed out"}}));
  EXPECT_EQ(args.provenanceJSON.find("\": "), std::string::npos) << "compact";

  EXPECT_FALSE(readerArguments(run("complete", "full", std::string("VESK")), false, api, sources, 112).interactive);
  EXPECT_FALSE(readerArguments(run("running", "full", std::nullopt), false, api, sources, 112).interactive);
  const auto followUp = readerArguments(run("complete", "followup", std::nullopt), false, api, sources, 112);
  EXPECT_TRUE(followUp.discussion);
  EXPECT_TRUE(followUp.interactive);
  EXPECT_EQ(followUp.provenanceJSON, "[]");

  const auto none = readerArguments(std::nullopt, true, std::nullopt, {}, 112);
  EXPECT_EQ(none.markdown, "");
  EXPECT_FALSE(none.runID);
  EXPECT_FALSE(none.interactive);
  EXPECT_EQ(none.provenanceJSON, "[]");

  // Text that is not UTF-8 cannot be serialised: the empty list.
  auto broken = sources;
  broken[0].url = "https://a.example/\xff";
  EXPECT_EQ(provenanceJSON(std::nullopt, broken), "[]");
}

TEST(ReportScreenRules, LengthsFollowTheHeaderInset) {
  const auto at = [](double inset) {
    const auto m = reportScreenMetrics(inset);
    return std::tuple(m.readerTopInset, m.veilHeight, m.headerTop);
  };
  EXPECT_EQ(at(112), std::tuple(204, 202.0, 108.0));
  EXPECT_EQ(at(100), std::tuple(204, 202.0, 108.0)) << "the 108 floor";
  EXPECT_EQ(at(152), std::tuple(244, 242.0, 148.0));
  EXPECT_EQ(readerArguments(std::nullopt, false, std::nullopt, {}, 152).topInset, 244);
}

// The report reader's records decode strictly.
#include "core/report/report_records.h"
#include "support/record_decoding.h"

#include <gtest/gtest.h>

using namespace vesk;
using vesk::testing::decodeRecord;
using vesk::testing::decodingFailure;

TEST(ReportRecords, SourcesAndAttachmentsNeedTheirKeysAndTypes) {
  const auto source = decodeRecord<ReportSourceURL>(
      R"({"url":"https://a.test","title":"A","source":"crawl","note":"n","error":null,"canonical":"https://a.test/",
          "sizeBytes":12,"screenshotError":"e","screenshotUrl":"s","other":[1]})");
  EXPECT_EQ(source.canonical, std::optional<std::string>("https://a.test/"));
  EXPECT_FALSE(source.error) << "null is absent";
  EXPECT_EQ(source.sizeBytes, std::optional<std::int64_t>(12));
  EXPECT_TRUE(decodingFailure<ReportSourceURL>(R"({"title":"x"})"));
  EXPECT_TRUE(decodingFailure<ReportSourceURL>(R"({"url":null})"));
  EXPECT_TRUE(decodingFailure<ReportSourceURL>(R"({"url":"u","sizeBytes":"12"})"));
  EXPECT_TRUE(decodingFailure<ReportSourceURL>(R"({"url":"u","title":5})"));

  EXPECT_EQ(decodeRecord<ReportSourceAttachment>(R"({"filename":"a.png","mediaType":"image/png","sizeBytes":3})"),
            (ReportSourceAttachment{"a.png", "image/png", 3, std::nullopt}));
  EXPECT_TRUE(decodingFailure<ReportSourceAttachment>(R"({"filename":"a.png"})"));
  EXPECT_TRUE(decodingFailure<ReportSourceAttachment>(R"({"mediaType":"image/png"})"));
}

TEST(ReportRecords, ACreatedRunNeedsItsIdStatusAndOutput) {
  const auto created = decodeRecord<ReportCreatedRun>(
      R"({"id":"r","status":"running","output":"","auditMode":"followup","partial":true,"runNumber":2})");
  EXPECT_EQ(created.runNumber, std::optional<std::int64_t>(2));
  for (const char* text :
       {R"({"status":"running","output":""})", R"({"id":"r","output":""})", R"({"id":"r","status":"running"})",
        R"({"id":"r","status":"s","output":"","partial":1})", R"({"id":"r","status":"s","output":"","runNumber":"2"})"})
    EXPECT_TRUE(decodingFailure<ReportCreatedRun>(text)) << text;
}

TEST(ReportRecords, AShareSlugIsOptionalWhenReadAndRequiredWhenCreated) {
  EXPECT_EQ(decodeRecord<ReportShareState>("{}").slug, std::nullopt);
  EXPECT_EQ(decodeRecord<ReportShareState>(R"({"slug":null})").slug, std::nullopt);
  EXPECT_EQ(decodeRecord<ReportShareState>(R"({"slug":"abc"})").slug, std::optional<std::string>("abc"));
  EXPECT_TRUE(decodingFailure<ReportShareState>(R"({"slug":5})"));
  EXPECT_EQ(decodeRecord<ReportCreatedShare>(R"({"slug":"abc"})").slug, "abc");
  EXPECT_TRUE(decodingFailure<ReportCreatedShare>("{}"));
  EXPECT_TRUE(decodingFailure<ReportCreatedShare>(R"({"slug":null})"));
}

TEST(ReportRecords, BaselineChoicesNeedTheirListAndEveryKey) {
  const auto choices =
      decodeRecord<ReportBaselineChoices>(R"({"audits":[{"id":"a","createdAt":"2024-01-01","subject":"S"}]})");
  EXPECT_EQ(choices.audits, std::vector<ReportBaseline>{ReportBaseline("a", "2024-01-01", "S")});
  EXPECT_TRUE(decodingFailure<ReportBaselineChoices>("{}"));
  EXPECT_TRUE(decodingFailure<ReportBaselineChoices>(R"({"audits":[{"id":"a","createdAt":"x"}]})"));
  EXPECT_TRUE(decodingFailure<ReportBaselineChoices>(R"({"audits":["a"]})"));
}

// The local preview's fixed content: what its screens and saved reports show.
#include "core/workspace/preview_samples.h"

#include <gtest/gtest.h>

using namespace vesk::preview;

namespace {

void expectOutline(std::string_view sample, const std::string& subtitle, const std::vector<std::string>& headings) {
  EXPECT_EQ(sample.rfind("# Doral\n\n" + subtitle + "\n\n", 0), 0u);
  EXPECT_NE(sample.back(), '\n') << "no line break at the very end";
  EXPECT_EQ(sample.find("\n\n\n"), std::string_view::npos) << "blocks are separated by exactly one blank line";
  EXPECT_EQ(sample.find("]("), std::string_view::npos) << "no links or images";
  std::size_t at = 0;
  for (const auto& heading : headings) {
    const auto found = sample.find("\n\n" + heading + "\n\n", at);
    ASSERT_NE(found, std::string_view::npos) << heading;
    at = found + heading.size();
  }
}

}  // namespace

TEST(PreviewSamples, ReportsFollowTheirOutlineByteForByte) {
  expectOutline(quickReadSample, "A fictional product · Quick read · Sample report",
                {"## The short version", "## Start here", "## What’s working", "## How I read it"});
  expectOutline(fullAuditSample, "A fictional product · Full audit · Sample report",
                {"## The short version", "## Decisions", "### 1. Show the product before asking for commitment",
                 "### 2. Give the next step a concrete name", "### 3. Put proof beside the promise",
                 "## What’s working", "## How I read it", "## Evidence & sources"});
  EXPECT_NE(fullAuditSample.find("\n\n**Start with the first useful moment.** "), std::string_view::npos);
  const auto third = fullAuditSample.find("### 3.");
  const auto working = fullAuditSample.find("## What’s working");
  EXPECT_EQ(fullAuditSample.substr(third, working - third).find("**Why it matters:**"), std::string_view::npos);
}

TEST(PreviewSamples, QuestionsAndStagesInTheirOrder) {
  ASSERT_EQ(builtInQuestions().size(), 3u);
  EXPECT_EQ(builtInQuestions()[0].text, "Who should this work speak to?");
  EXPECT_EQ(builtInQuestions()[2].options.back(), "Trust and credibility");
  EXPECT_EQ(quickReadStages(), (std::vector<std::string>{"Reading your sources", "Preparing your quick read"}));
  EXPECT_EQ(fullAuditStages().size(), 5u);
  EXPECT_EQ(fullAuditStages()[2], "Reading through eight perspectives");
}

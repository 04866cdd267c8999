// The "Your report" panel's look: which parts show and may be used for each kind of report,
// its source and attachment rows, and the discussion field's bound and counter.
#include "core/report/report_panel_model.h"
#include "support/report_harness.h"

#include <gtest/gtest.h>

using namespace vesk;
using namespace vesk::testing;

namespace {

struct Case {
  bool complete, own, sample;
};

// The state bound as a finished or running run, of the product's agent or another, live
// or as a sample, with its detail loaded.
ReportPanelLook lookFor(ReportHarness& h, const Case& c) {
  const auto run = reportRun("R", c.complete ? "complete" : "running", "full",
                             c.own ? std::nullopt : std::optional<std::string>("design crit"));
  if (c.sample) {
    h.state->configure(std::nullopt, run, ReportMode::localPreview);
  } else {
    h.routeRun("R", {{"id", "R"}});
    h.bindLoaded(run);
  }
  return reportPanelLook(*h.state);
}

}  // namespace

TEST(ReportPanelLook, VisibilityMatrix) {
  for (const bool complete : {true, false}) {
    for (const bool own : {true, false}) {
      for (const bool sample : {true, false}) {
        ReportHarness h;
        const auto look = lookFor(h, {complete, own, sample});
        SCOPED_TRACE(::testing::Message() << "complete " << complete << ", own " << own << ", sample " << sample);
        EXPECT_EQ(look.discussion, complete && own) << "discussion box and send row";
        EXPECT_EQ(look.share, own);
        EXPECT_EQ(look.shareEnabled, own && complete && !sample);
        EXPECT_EQ(look.compare, own);
        EXPECT_EQ(look.compareEnabled, own);
        EXPECT_EQ(look.deleteEnabled, !sample);
        EXPECT_EQ(look.fieldEnabled, !sample);
        EXPECT_EQ(look.sampleNote, complete && own && sample);
        EXPECT_EQ(look.shareLabel, "Share…");
      }
    }
  }
  // Busy disables share, compare, delete, the field and the link to the earlier audit.
  ReportHarness h;
  lookFor(h, {true, true, false});
  h.state->originalReviewID = std::string("run_base");
  h.state->busy = true;
  const auto busy = reportPanelLook(*h.state);
  EXPECT_FALSE(busy.shareEnabled || busy.compareEnabled || busy.deleteEnabled || busy.fieldEnabled);
  EXPECT_TRUE(busy.openOriginal);
  EXPECT_FALSE(busy.openOriginalEnabled);
  EXPECT_TRUE(busy.progress);
  // Still loading its details: share waits, compare does not.
  h.state->busy = false;
  h.state->loadingDetails = true;
  const auto loading = reportPanelLook(*h.state);
  EXPECT_FALSE(loading.shareEnabled);
  EXPECT_TRUE(loading.compareEnabled);
  EXPECT_TRUE(loading.loadingSources);
  EXPECT_FALSE(loading.noSources);
  h.state->sharedSlug = std::string("abc");
  EXPECT_EQ(reportPanelLook(*h.state).shareLabel, "Shared…");
}

TEST(ReportPanelLook, DiscussionStringsFollowTheKindOfReport) {
  ReportHarness h;
  auto look = lookFor(h, {true, true, false});
  EXPECT_EQ(look.heading, "Discuss this audit");
  EXPECT_EQ(look.placeholder, "Ask about this audit");
  EXPECT_EQ(look.sendLabel, "Ask Vesk");
  h.routeRun("Q", {{"id", "Q"}});
  h.bindLoaded(reportRun("Q", "complete", "quick"));
  look = reportPanelLook(*h.state);
  EXPECT_EQ(look.heading, "Continue with Vesk");
  EXPECT_EQ(look.placeholder, "What should this report explore further?");
  EXPECT_EQ(look.sendLabel, "Update report");
}

TEST(ReportPanelLook, SourceAndAttachmentRows) {
  ReportHarness h;
  h.routeRun("R", {{"id", "R"},
                   {"urls",
                    {{{"url", "https://a.example"}, {"title", "Home"}, {"canonical", "https://a.example"}},
                     {{"url", "https://b.example"},
                      {"error", "Blocked by robots.txt"},
                      {"note", "Login wall"},
                      {"canonical", "https://www.b.example/"},
                      {"screenshotUrl", "/shot"},
                      {"screenshotError", "Timed out"}}}},
                   {"attachments",
                    {{{"filename", "brief.pdf"}, {"mediaType", "application/pdf"}, {"url", "/a/0"}},
                     {{"filename", "home.png"}, {"mediaType", "image/png"}}}}});
  h.bindLoaded(reportRun("R"));
  const auto look = reportPanelLook(*h.state);
  ASSERT_EQ(look.sources.size(), 2u);
  EXPECT_EQ(look.sources[0].linkText, "Home");
  EXPECT_TRUE(look.sources[0].linkEnabled);
  EXPECT_FALSE(look.sources[0].fetched) << "the canonical address equals the url";
  EXPECT_FALSE(look.sources[0].capturedPage);
  EXPECT_EQ(look.sources[1].linkText, "https://b.example");
  EXPECT_FALSE(look.sources[1].linkEnabled) << "a source with an error has no link";
  EXPECT_EQ(look.sources[1].detail, "Blocked by robots.txt") << "the error, not the note";
  EXPECT_EQ(look.sources[1].fetched, "Fetched: https://www.b.example/");
  EXPECT_EQ(look.sources[1].screenshotError, "Screenshot: Timed out");
  EXPECT_TRUE(look.sources[1].capturedPageEnabled);
  ASSERT_EQ(look.attachments.size(), 2u);
  EXPECT_FALSE(look.attachments[0].viewImage) << "a PDF offers only Save file…";
  EXPECT_TRUE(look.attachments[0].buttonsEnabled);
  EXPECT_TRUE(look.attachments[1].viewImage);
  EXPECT_FALSE(look.attachments[1].buttonsEnabled) << "no url";
  EXPECT_FALSE(look.noSources);

  // Nothing archived: the sentence, a sample's own for a sample.
  ReportHarness empty;
  lookFor(empty, {true, true, false});
  EXPECT_EQ(reportPanelLook(*empty.state).noSources, "No source material was archived with this run.");
  empty.state->configure(std::nullopt, reportRun("S"), ReportMode::localPreview);
  empty.state->input = std::string();
  EXPECT_EQ(reportPanelLook(*empty.state).noSources, "Fictional sample. No external material was fetched.");
}

TEST(DiscussionLook, BoundCounterAndSend) {
  const std::string thumbs = "\U0001F44D\U0001F3FD";  // a thumb with a skin tone: four UTF-16 units
  const std::string pasted = std::string(1999, 'a') + thumbs;
  const std::string bounded = boundedInstruction(pasted);
  EXPECT_EQ(bounded, std::string(1999, 'a')) << "the emoji goes whole";
  EXPECT_EQ(discussionLook(bounded, false, false).counter, "1999 / 2,000 characters");
  EXPECT_EQ(boundedInstruction(std::string(1996, 'a') + thumbs), std::string(1996, 'a') + thumbs);
  EXPECT_EQ(discussionLook(std::string(1996, 'a') + thumbs, false, false).counter, "2000 / 2,000 characters");

  EXPECT_FALSE(discussionLook("", false, false).sendEnabled);
  EXPECT_FALSE(discussionLook(" \n\t \n", false, false).sendEnabled);
  EXPECT_TRUE(discussionLook("  Why? \n", false, false).sendEnabled);
  EXPECT_FALSE(discussionLook("Why?", true, false).sendEnabled);
  EXPECT_FALSE(discussionLook("Why?", false, true).sendEnabled);
  EXPECT_FALSE(discussionLook(std::string(2001, 'a'), false, false).sendEnabled);
}

TEST(OpenableSourceAddress, OnlyHttpAndHttpsOpen) {
  EXPECT_EQ(openableSourceAddress("https://a.example/x"), "https://a.example/x");
  EXPECT_EQ(openableSourceAddress("http://a.example"), "http://a.example");
  EXPECT_FALSE(openableSourceAddress("HTTPS://a.example")) << "the scheme must be exactly https or http";
  EXPECT_FALSE(openableSourceAddress("file:///etc/passwd"));
  EXPECT_FALSE(openableSourceAddress("javascript:alert(1)"));
  EXPECT_FALSE(openableSourceAddress("not a url"));
  EXPECT_FALSE(openableSourceAddress("https://"));
}

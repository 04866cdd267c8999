// Opening saved runs and exporting a report's PDF.
#include "support/workspace_harness.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using namespace std::chrono_literals;
using namespace vesk;
using namespace vesk::testing;

TEST(WorkspaceOpenReport, ChoosesTheScreenAndReconcilesLiveRuns) {
  WorkspaceHarness h;
  auto workspace = h.signedIn();
  h.service.reply("GET", desktop("runs/done"), Reply::json(runJson("done", "complete", "quick", "# Done").dump()));
  workspace->openReport(savedRun("done", "complete"));
  EXPECT_EQ(*workspace->screen, Screen::report);
  ASSERT_TRUE(runUntil([&] { return h.service.requestsTo("GET", desktop("runs/done")).size() == 1; }));

  // Reopening the open run keeps its answers and its line of work.
  workspace->questions = {DiscoveryQuestion("Q", {"A", "B"})};
  workspace->select("A", "Q", 0);
  workspace->openReport(savedRun("done", "complete"));
  EXPECT_EQ(workspace->selectedAnswers(0), std::vector<std::string>{"A"});

  // Another run clears the previous run's questions and answers.
  h.service.reply("GET", desktop("runs/ask"), Reply::json(runJson("ask", "discovery").dump()));
  workspace->openReport(savedRun("ask", "discovery", "full"));
  EXPECT_EQ(*workspace->screen, Screen::discovery);
  EXPECT_EQ(*workspace->auditMode, "full");
  EXPECT_TRUE(workspace->questions->empty());
  EXPECT_TRUE(workspace->answers->empty());
  ASSERT_TRUE(runUntil([&] { return workspace->questions->size() == 2; })) << "the reconcile brings the questions";

  // A live running run is reconciled once, then watched.
  vesk::async::ScopedTimeScale fast(0.02);
  h.service.replies("GET", desktop("runs/live"),
                    {Reply::json(runJson("live", "running").dump()), Reply::json(runJson("live", "running").dump()),
                     Reply::json(runJson("live", "complete", "quick", "# Live").dump())});
  workspace->openReport(savedRun("live", "running"));
  EXPECT_EQ(*workspace->screen, Screen::progress);
  ASSERT_TRUE(runUntil([&] { return *workspace->screen == Screen::report; }));
  EXPECT_EQ(h.service.requestsTo("GET", desktop("runs/live")).size(), 3u);
  EXPECT_EQ((*workspace->current)->output, "# Live");

  // A run without a mode opens as a quick read; a preview run is never sent.
  h.service.clearRequests();
  auto preview = savedRun("p1", "discovery", "quick", true);
  preview.auditMode.reset();
  workspace->openReport(preview);
  EXPECT_EQ(*workspace->screen, Screen::progress);
  EXPECT_EQ(*workspace->auditMode, "quick");
  runFor(50ms);
  EXPECT_TRUE(h.service.requests().empty());

  // A report change in flight refuses another run.
  workspace->reportMutationInFlight = true;
  workspace->openReport(savedRun("done", "complete"));
  EXPECT_EQ((*workspace->current)->id, "p1");
}

TEST(WorkspaceExport, DownloadsThePdfOfACompletedLiveRun) {
  constexpr auto private_ = std::filesystem::perms::owner_read | std::filesystem::perms::owner_write;
  WorkspaceHarness h;
  auto workspace = h.signedIn();
  const std::string pdf = "%PDF-1.7 fake";
  Reply slowPdf = Reply::json(pdf);
  slowPdf.contentType = "application/pdf";
  slowPdf.delay = 50ms;
  h.service.reply("GET", desktop("runs/r1/pdf"), slowPdf);
  h.service.reply("GET", desktop("runs/r1"), Reply::json(runJson("r1", "complete", "quick", "# R").dump()));
  auto run = savedRun("r1", "complete");
  run.projectName = "A/B\tC";
  workspace->openReport(run);
  h.dialog->answer = h.folder + "-export.pdf";
  std::ofstream(*h.dialog->answer) << "an older, private export";
  std::filesystem::permissions(*h.dialog->answer, private_);
  workspace->exportPDF();
  workspace->exportPDF();
  ASSERT_TRUE(runUntil([&] { return h.dialog->proposals.size() == 1; }));
  runFor(100ms);
  EXPECT_EQ(std::filesystem::status(*h.dialog->answer).permissions(), private_) << "replaced, it stays private";
  EXPECT_EQ(h.service.requestsTo("GET", desktop("runs/r1/pdf")).size(), 1u) << "repeated clicks export once";
  EXPECT_EQ(DesktopAPI::timeoutFor("runs/r1/pdf", "GET"), std::chrono::seconds(150));
  EXPECT_EQ(h.dialog->proposals, std::vector<std::string>{"Vesk — A-B-C.pdf"});
  std::ifstream written(*h.dialog->answer, std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(written), {}), pdf);
  std::filesystem::remove(*h.dialog->answer);

  h.service.reply("GET", desktop("runs/r1/pdf"), Reply::error(401, "expired"));
  workspace->exportPDF();
  ASSERT_TRUE(runUntil([&] { return workspace->error->has_value(); }));
  EXPECT_EQ(**workspace->error, "Your session expired. Reconnect in the browser; your saved work is still there.");
  EXPECT_FALSE(*workspace->reconnectRequired);

  // The longest project name of wide characters (120 of them, 360 bytes) still proposes
  // a name that a folder takes.
  h.service.reply("GET", desktop("runs/r1/pdf"), slowPdf);
  run.projectName.clear();
  for (int i = 0; i < 120; ++i) run.projectName += "\u8A2D";
  workspace->openReport(run);
  h.dialog->answer = std::nullopt;
  workspace->exportPDF();
  ASSERT_TRUE(runUntil([&] { return h.dialog->proposals.size() == 2; }));
  EXPECT_LE(h.dialog->proposals[1].size(), 200u);
  EXPECT_TRUE(h.dialog->proposals[1].starts_with("Vesk — \u8A2D")) << h.dialog->proposals[1];
  EXPECT_TRUE(h.dialog->proposals[1].ends_with("\u8A2D.pdf")) << h.dialog->proposals[1];
}

TEST(WorkspaceExport, ALargePdfArrivesInPiecesAndIsWrittenWhole) {
  WorkspaceHarness h;
  auto workspace = h.signedIn();
  std::string pdf = "%PDF-1.7 ";
  for (int i = 0; pdf.size() < 3 * 1024 * 1024; ++i) pdf += std::to_string(i) + " ";
  Reply pieces = Reply::json(pdf);
  pieces.contentType = "application/pdf";
  pieces.chunkSize = 256 * 1024;
  pieces.chunkInterval = 5ms;
  h.service.reply("GET", desktop("runs/r1/pdf"), pieces);
  h.service.reply("GET", desktop("runs/r1"), Reply::json(runJson("r1", "complete", "quick", "# R").dump()));
  workspace->openReport(savedRun("r1", "complete"));
  const auto folder = std::filesystem::path(h.folder + "-pdf");
  std::filesystem::create_directories(folder);
  h.dialog->answer = (folder / "report.pdf").string();
  workspace->exportPDF();
  ASSERT_TRUE(runUntil([&] { return std::filesystem::exists(*h.dialog->answer); }));
  std::ifstream written(*h.dialog->answer, std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(written), {}), pdf);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), std::filesystem::directory_iterator()), 1)
      << "nothing but the report is left in the folder";
  std::filesystem::remove_all(folder);
}

// What arrives is offered only when it is a PDF and no longer than 256 MiB: a sign-in page
// or an endless reply is refused before the save panel, with the unreadable-reply sentence.
TEST(WorkspaceExport, OnlyAPdfWithinTheCeilingIsOffered) {
  WorkspaceHarness h;
  auto workspace = h.signedIn();
  h.service.reply("GET", desktop("runs/r1"), Reply::json(runJson("r1", "complete", "quick", "# R").dump()));
  workspace->openReport(savedRun("r1", "complete"));
  h.dialog->answer = h.folder + "-export.pdf";
  const auto refused = [&](Reply reply) {
    reply.contentType = "application/pdf";
    h.service.reply("GET", desktop("runs/r1/pdf"), reply);
    workspace->error = std::nullopt;
    workspace->exportPDF();
    EXPECT_TRUE(runUntil([&] { return workspace->error->has_value(); }, 60s));
    EXPECT_EQ(workspace->error->value_or(""), "Vesk returned an unreadable response.");
    EXPECT_TRUE(h.dialog->proposals.empty()) << "no save panel";
    EXPECT_FALSE(std::filesystem::exists(*h.dialog->answer));
  };
  refused(Reply::json("<html><body>Sign in to continue</body></html>"));
  refused(Reply::json("%PDF"));

  Reply endless = Reply::json("%PDF-1.7 " + std::string(64 * 1024 - 9, 'x'));
  endless.chunkSize = 1024 * 1024;
  endless.repeatedTo = std::size_t(256) * 1024 * 1024 + 1;
  refused(endless);
}

// A PDF of exactly 256 MiB is offered and written whole, whether it comes with a length or
// chunked; one byte more with a length is refused as a chunked one is; and every export
// ends, so the user's next one goes ahead.
TEST(WorkspaceExport, APdfOfExactlyTheCeilingIsWrittenAndTheNextExportGoesAhead) {
  constexpr std::size_t ceiling = std::size_t(256) * 1024 * 1024;
  WorkspaceHarness h;
  auto workspace = h.signedIn();
  h.service.reply("GET", desktop("runs/r1"), Reply::json(runJson("r1", "complete", "quick", "# R").dump()));
  workspace->openReport(savedRun("r1", "complete"));
  const auto folder = std::filesystem::path(h.folder + "-ceiling");
  std::filesystem::create_directories(folder);
  std::size_t asked = 0;
  // Exports `reply` into a file of that name once the previous export has ended.
  const auto exportAs = [&](Reply reply, const std::string& name) {
    reply.contentType = "application/pdf";
    h.service.reply("GET", desktop("runs/r1/pdf"), reply);
    h.dialog->answer = (folder / name).string();
    workspace->error = std::nullopt;
    ++asked;
    // The user clicks until the previous export has let go.
    ASSERT_TRUE(runUntil([&] {
      workspace->exportPDF();
      return h.service.requestsTo("GET", desktop("runs/r1/pdf")).size() == asked;
    }));
  };
  const auto ceilingPdf = [&](std::size_t length, bool chunked) {
    Reply pdf = Reply::json("%PDF-1.7 " + std::string(64 * 1024 - 9, 'x'));
    pdf.chunkSize = 1024 * 1024;
    pdf.repeatedTo = length;
    pdf.announceLength = !chunked;
    return pdf;
  };

  for (const bool chunked : {true, false}) {
    const std::string name = chunked ? "chunked.pdf" : "with-length.pdf";
    exportAs(ceilingPdf(ceiling, chunked), name);
    ASSERT_TRUE(runUntil([&] { return std::filesystem::exists(folder / name); }, 60s)) << name;
    EXPECT_EQ(std::filesystem::file_size(folder / name), ceiling) << name;
    EXPECT_FALSE(workspace->error->has_value()) << name;
    std::filesystem::remove(folder / name);
  }

  exportAs(ceilingPdf(ceiling + 1, false), "over.pdf");
  ASSERT_TRUE(runUntil([&] { return workspace->error->has_value(); }, 60s));
  EXPECT_EQ(workspace->error->value_or(""), "Vesk returned an unreadable response.");
  EXPECT_FALSE(std::filesystem::exists(folder / "over.pdf"));

  Reply small = Reply::json("%PDF-1.7 next");
  exportAs(small, "next.pdf");
  ASSERT_TRUE(runUntil([&] { return std::filesystem::exists(folder / "next.pdf"); }));
  std::ifstream written(folder / "next.pdf", std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(written), {}), small.body);
  EXPECT_EQ(h.dialog->proposals.size(), 3u) << "offered exactly the three PDFs within the ceiling";
  std::filesystem::remove_all(folder);
}

TEST(WorkspaceExport, SigningOutOrInAgainEndsTheExportOfTheSessionBefore) {
  WorkspaceHarness h;
  auto workspace = h.signedIn();
  Reply held = Reply::json("%PDF-1.7 account A");
  held.contentType = "application/pdf";
  held.stall = true;
  h.service.reply("GET", desktop("runs/r1/pdf"), held);
  h.service.reply("GET", desktop("runs/r1"), Reply::json(runJson("r1", "complete", "quick", "# R").dump()));
  workspace->openReport(savedRun("r1", "complete"));
  h.dialog->answer = h.folder + "-account-a.pdf";
  workspace->exportPDF();
  ASSERT_TRUE(runUntil([&] { return h.service.stalledCount() == 1; }));

  workspace->disconnect();
  ASSERT_TRUE(runUntil([&] { return h.service.abandonedCount() == 1; })) << "the download is given up at once";
  h.service.releaseStalled();
  runFor(50ms);
  EXPECT_TRUE(h.dialog->proposals.empty()) << "no save panel offers the report of a session that ended";
  EXPECT_FALSE(std::filesystem::exists(*h.dialog->answer));
  EXPECT_FALSE(workspace->error->has_value());

  // A report whose download ended just before the sign-out is not offered either: the
  // panel was open when the session changed, and what it chose is not written.
  auto again = h.signedIn();
  Reply quick = Reply::json("%PDF-1.7 account B");
  quick.contentType = "application/pdf";
  h.service.reply("GET", desktop("runs/r1/pdf"), quick);
  again->openReport(savedRun("r1", "complete"));
  h.dialog->whileOpen = [&] { again->disconnect(); };
  again->exportPDF();
  ASSERT_TRUE(runUntil([&] { return h.dialog->proposals.size() == 1; }));
  runFor(50ms);
  EXPECT_FALSE(std::filesystem::exists(*h.dialog->answer)) << "chosen in one session, not written in the next";
  EXPECT_FALSE(again->error->has_value());
}

TEST(WorkspaceExport, AFailingSavePanelIsReportedLikeAnyExportFailure) {
  WorkspaceHarness h;
  auto workspace = h.signedIn();
  Reply pdf = Reply::json("%PDF-1.7 fake");
  pdf.contentType = "application/pdf";
  h.service.reply("GET", desktop("runs/r1/pdf"), pdf);
  h.service.reply("GET", desktop("runs/r1"), Reply::json(runJson("r1", "complete", "quick", "# R").dump()));
  workspace->openReport(savedRun("r1", "complete"));
  h.dialog->answer = h.folder + "-export.pdf";
  h.dialog->failure = "The file chooser is not available.";
  workspace->exportPDF();
  ASSERT_TRUE(runUntil([&] { return workspace->error->has_value(); }));
  EXPECT_EQ(**workspace->error, "The file chooser is not available.");
  EXPECT_FALSE(std::filesystem::exists(*h.dialog->answer));

  // The failed export has ended: the next one runs and writes the file.
  h.dialog->failure.reset();
  workspace->error = std::nullopt;
  workspace->exportPDF();
  ASSERT_TRUE(runUntil([&] { return std::filesystem::exists(*h.dialog->answer); }));
  EXPECT_EQ(h.dialog->proposals.size(), 2u);
  EXPECT_FALSE(workspace->error->has_value());
}

TEST(WorkspaceExport, SampleAndUnfinishedRunsPointToPrinting) {
  WorkspaceHarness h;
  auto workspace = h.signedIn(true);
  workspace->openReport(savedRun("p", "complete", "quick", true));
  workspace->exportPDF();
  EXPECT_EQ(*workspace->error,
            std::optional<std::string>(
                "Completed sample reports can be printed with Ctrl+P. Only completed live reports can be exported."));
  runFor(30ms);
  EXPECT_TRUE(h.service.requests().empty());
}

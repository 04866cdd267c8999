// Evidence previews, the baselines of a comparison and saving an attached file.
#include "core/platform/preview_image.h"
#include "support/report_harness.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>

using namespace std::chrono_literals;
using namespace vesk;
using namespace vesk::testing;

namespace {

const std::string unavailable = "This image preview is unavailable.";

std::uint32_t crc32(std::string_view bytes) {
  static const auto table = [] {
    std::array<std::uint32_t, 256> entries{};
    for (std::uint32_t n = 0; n < 256; ++n) {
      std::uint32_t c = n;
      for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      entries[n] = c;
    }
    return entries;
  }();
  std::uint32_t c = 0xFFFFFFFFu;
  for (const unsigned char byte : bytes) c = table[(c ^ byte) & 0xFF] ^ (c >> 8);
  return c ^ 0xFFFFFFFFu;
}

std::string bigEndian(std::uint32_t value) {
  return {char(value >> 24), char((value >> 16) & 0xFF), char((value >> 8) & 0xFF), char(value & 0xFF)};
}

// A valid 2×2 PNG of exactly `size` bytes: a private ancillary chunk after the header
// carries the padding, which decoders skip.
std::string pngOfSize(std::size_t size) {
  auto pixbuf = glib::ObjectPtr<GdkPixbuf>::adopt(gdk_pixbuf_new(GDK_COLORSPACE_RGB, FALSE, 8, 2, 2));
  gdk_pixbuf_fill(pixbuf.get(), 0x336699ff);
  gchar* buffer = nullptr;
  gsize length = 0;
  EXPECT_TRUE(gdk_pixbuf_save_to_buffer(pixbuf.get(), &buffer, &length, "png", nullptr, nullptr));
  std::string png(buffer, length);
  g_free(buffer);
  constexpr std::size_t afterHeader = 8 + 25;  // signature, IHDR chunk
  const std::size_t padding = size - png.size() - 12;
  const std::string typeAndData = "vsKp" + std::string(padding, '\0');
  const std::string chunk =
      bigEndian(static_cast<std::uint32_t>(padding)) + typeAndData + bigEndian(crc32(typeAndData));
  png.insert(afterHeader, chunk);
  return png;
}

Reply image(std::string bytes, std::string type = "image/png") {
  Reply reply = Reply::json(std::move(bytes));
  reply.contentType = std::move(type);
  return reply;
}

std::string shotPath(int index) { return desktop("runs/run_1/url-shot/" + std::to_string(index)); }

// A live own run "run_1" with three sources and two attached files.
class ReportSources : public ::testing::Test {
 protected:
  void SetUp() override {
    h.routeRun("run_1",
               {{"id", "run_1"},
                {"urls", {{{"url", "https://a.test"}}, {{"url", "https://b.test"}}, {{"url", "https://c.test"}}}},
                {"attachments",
                 {{{"filename", "hero.png"}, {"mediaType", "image/png"}},
                  {{"filename", "../brief.pdf"}, {"mediaType", "application/pdf"}}}}});
    h.bindLoaded(reportRun("run_1"));
    h.service.clearRequests();
  }
  ReportState& state() { return *h.state; }
  // Shows the screenshot at `index` and waits until it has loaded or failed.
  ReportSourcePreview preview(int index) {
    state().previewSource("url-shot", index, "Shot");
    h.settle();
    EXPECT_TRUE(state().sourcePreview->has_value());
    return state().sourcePreview->value_or(ReportSourcePreview{});
  }
  ReportHarness h;
};

}  // namespace

TEST_F(ReportSources, APreviewOutOfRangeOrOfAnotherKindSendsNothing) {
  state().previewSource("url-shot", 3, "Shot");
  state().previewSource("url-shot", -1, "Shot");
  state().previewSource("attachments", 2, "File");
  state().previewSource("screens", 0, "Shot");
  EXPECT_FALSE(state().sourcePreview->has_value());

  Reply slow = image(pngOfSize(200));
  slow.stall = true;
  h.service.reply("GET", shotPath(2), slow);
  state().previewSource("url-shot", 2, "Third");
  ASSERT_TRUE(state().sourcePreview->has_value()) << "the loading preview shows at once";
  EXPECT_TRUE((*state().sourcePreview)->loading);
  EXPECT_EQ((*state().sourcePreview)->title, "Third");
  ASSERT_TRUE(runUntil([&] { return h.service.stalledCount() == 1; }));
  h.service.releaseStalled();
  h.settle();
  EXPECT_FALSE((*state().sourcePreview)->loading);
  EXPECT_TRUE((*state().sourcePreview)->data);
  const auto requests = h.service.requests();
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_EQ(requests[0].header("Authorization"), std::optional<std::string>("Bearer token-1"));

  ReportHarness sample;
  sample.state->configure(sample.api(), reportRun("run_1"), ReportMode::localPreview);
  sample.state->sources = *state().sources;
  sample.state->previewSource("url-shot", 0, "Shot");
  EXPECT_FALSE(sample.state->sourcePreview->has_value()) << "a sample shows no preview";
}

TEST_F(ReportSources, APreviewHoldsAtMostTenMebibytesOfADecodableImage) {
  const std::string largest = pngOfSize(largestPreviewImageBytes);
  ASSERT_EQ(largest.size(), 10'485'760u);
  h.service.reply("GET", shotPath(0), image(largest));
  auto shown = preview(0);
  ASSERT_TRUE(shown.data) << shown.error.value_or("");
  EXPECT_EQ(shown.data->size(), largest.size());
  EXPECT_FALSE(shown.error);

  h.service.reply("GET", shotPath(0), image(pngOfSize(largestPreviewImageBytes + 1)));
  EXPECT_EQ(preview(0).error, std::optional<std::string>(unavailable));

  // Reading stops just past the limit: a reply that never ends beyond it still fails at once.
  Reply endless = image(std::string(largestPreviewImageBytes + 4096, 'x'));
  endless.hangAfter = largestPreviewImageBytes + 2048;
  h.service.reply("GET", shotPath(0), endless);
  EXPECT_EQ(preview(0).error, std::optional<std::string>(unavailable));

  for (const std::string& bytes : {std::string(R"(<svg xmlns="http://www.w3.org/2000/svg" width="4" height="4"/>)"),
                                   std::string("\x89PNG\r\n\x1a\nnot really")}) {
    h.service.reply("GET", shotPath(1), image(bytes));
    EXPECT_EQ(preview(1).error, std::optional<std::string>(unavailable)) << bytes;
  }
  h.service.reply("GET", shotPath(1), image(pngOfSize(300), "image/gif"));
  EXPECT_TRUE(preview(1).data) << "the format comes from the bytes, not the declared type";

  h.service.reply("GET", shotPath(1), image(pngOfSize(300), "image/svg+xml"));
  EXPECT_EQ(preview(1).error, std::optional<std::string>("Saved evidence could not be loaded. Reconnect or open the "
                                                         "report in Vesk Web."));
  h.service.reply("GET", shotPath(1), Reply::error(401, "x"));
  EXPECT_EQ(preview(1).error, std::optional<std::string>("Saved evidence could not be loaded. Reconnect or open the "
                                                         "report in Vesk Web."));
}

TEST_F(ReportSources, AnImageDeclaringTooManyPixelsIsRefusedBeforeAnyLoader) {
  std::string giant = pngOfSize(35'000);
  giant.replace(16, 8, bigEndian(17'000) + bigEndian(17'000));  // IHDR's width and height
  h.service.reply("GET", shotPath(0), image(giant));
  const auto loaders = previewImageLoadersMade();
  EXPECT_EQ(preview(0).error, std::optional<std::string>(unavailable));
  EXPECT_EQ(previewImageLoadersMade(), loaders);
}

TEST_F(ReportSources, AnInvalidRunIdFailsThePreviewWithTheDownloadsSentence) {
  ReportHarness other;
  other.routeRun("R", {{"id", "R"}, {"urls", {{{"url", "https://a.test"}}}}});
  other.bindLoaded(reportRun("R"));
  other.state->previewSource("url-shot", 0, "Shot");
  other.settle();
  EXPECT_EQ((*other.state->sourcePreview)->error, std::optional<std::string>("Invalid evidence resource."));
  EXPECT_EQ(other.service.requests().size(), 2u) << "only the detail and the share link";
}

TEST_F(ReportSources, AClosedPreviewStaysClosedAndTheLatestPreviewWins) {
  Reply slow = image(pngOfSize(200));
  slow.stall = true;
  h.service.reply("GET", shotPath(0), slow);
  state().previewSource("url-shot", 0, "First");
  ASSERT_TRUE(runUntil([&] { return h.service.stalledCount() == 1; }));
  state().sourcePreview = std::nullopt;  // the sheet closed
  h.service.releaseStalled();
  h.settle();
  EXPECT_FALSE(state().sourcePreview->has_value());

  h.service.reply("GET", shotPath(0), slow);
  const std::string second = pngOfSize(300);
  h.service.reply("GET", shotPath(1), image(second));
  state().previewSource("url-shot", 0, "First");
  ASSERT_TRUE(runUntil([&] { return h.service.stalledCount() == 1; }));
  const std::string firstID = (*state().sourcePreview)->id;
  state().previewSource("url-shot", 1, "Second");
  ASSERT_TRUE(runUntil([&] { return !(*state().sourcePreview)->loading; }));
  h.service.releaseStalled();
  h.settle();
  const auto& shown = **state().sourcePreview;
  EXPECT_NE(shown.id, firstID);
  EXPECT_EQ(shown.title, "Second");
  ASSERT_TRUE(shown.data);
  EXPECT_EQ(*shown.data, second);
}

TEST_F(ReportSources, BaselinesLoadOnceAtATimeAndFailEmpty) {
  Reply slow = Reply::json(R"({"audits":[{"id":"a1","createdAt":"2024-04-01T09:00:00Z","subject":"Home"},
                                         {"id":"a0","createdAt":"2024-03-01","subject":""}]})");
  slow.stall = true;
  h.service.reply("GET", desktop("projects/P/reaudits"), slow);
  state().baselines = std::vector<ReportBaseline>{ReportBaseline("old", "", "Old")};
  state().baselineError = std::string("old failure");
  const auto first = state().loadBaselines();
  EXPECT_TRUE(*state().loadingBaselines);
  EXPECT_TRUE(state().baselines->empty());
  EXPECT_FALSE(state().baselineError->has_value());
  ASSERT_TRUE(runUntil([&] { return h.service.stalledCount() == 1; }));
  EXPECT_TRUE(state().loadBaselines().isEmpty()) << "a second call while loading does nothing";
  h.service.releaseStalled();
  waitFor(first);
  EXPECT_FALSE(*state().loadingBaselines);
  ASSERT_EQ(state().baselines->size(), 2u);
  EXPECT_EQ(state().baselines->at(0).id, "a1");
  EXPECT_EQ(state().baselines->at(1).id, "a0");
  const auto requests = h.service.requestsTo("GET", desktop("projects/P/reaudits"));
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_EQ(requests[0].header("Authorization"), std::optional<std::string>("Bearer token-1"));

  h.service.reply("GET", desktop("projects/P/reaudits"), Reply::json(R"({"audits":[{"id":"a1"}]})"));
  waitFor(state().loadBaselines());
  EXPECT_EQ(*state().baselineError, std::optional<std::string>("Vesk returned an unreadable response."));
  EXPECT_TRUE(state().baselines->empty());
  EXPECT_FALSE(*state().loadingBaselines);

  // The composer's chooser asks for its own project's audits, without an open run.
  h.service.reply("GET", desktop("projects/P2/reaudits"), Reply::error(500, "Audits are resting."));
  state().prepareComparison(h.api(), "P2", ReportMode::live);
  waitFor(state().loadBaselines());
  EXPECT_EQ(*state().baselineError, std::optional<std::string>("Audits are resting."));
  state().prepareComparison(h.api(), "a/b", ReportMode::live);
  waitFor(state().loadBaselines());
  EXPECT_EQ(*state().baselineError, std::optional<std::string>("Invalid Vesk operation."));
}

TEST_F(ReportSources, ALateBaselineReplyOfAnEarlierBindingWritesNothing) {
  Reply slow = Reply::json(R"({"audits":[{"id":"a1","createdAt":"2024","subject":"Home"}]})");
  slow.stall = true;
  h.service.reply("GET", desktop("projects/P/reaudits"), slow);
  const auto loading = state().loadBaselines();
  ASSERT_TRUE(runUntil([&] { return h.service.stalledCount() == 1; }));
  state().prepareComparison(h.api(), "P3", ReportMode::live);
  ChangeCounter baselines(state().baselines);
  ChangeCounter flag(state().loadingBaselines);
  h.service.releaseStalled();
  waitFor(loading);
  EXPECT_EQ(baselines.count + flag.count, 0);
}

TEST_F(ReportSources, ASampleOffersItselfWhenItIsACompleteFullAudit) {
  ReportHarness sample;
  auto run = reportRun("run_s");
  run.createdAt = std::nullopt;
  sample.state->configure(sample.api(), run, ReportMode::localPreview);
  EXPECT_TRUE(sample.state->loadBaselines().isEmpty());
  ASSERT_EQ(sample.state->baselines->size(), 1u);
  EXPECT_EQ(sample.state->baselines->front(), ReportBaseline("run_s", "", "Landing page"));
  EXPECT_FALSE(*sample.state->loadingBaselines);

  sample.state->configure(sample.api(), reportRun("run_q", "complete", "quick"), ReportMode::localPreview);
  sample.state->baselines = std::vector<ReportBaseline>{ReportBaseline("x", "", "x")};
  sample.state->loadBaselines();
  EXPECT_TRUE(sample.state->baselines->empty()) << "a quick read offers nothing";
  runFor(30ms);
  EXPECT_TRUE(sample.service.requests().empty());

  ReportHarness historical;
  historical.state->configure(historical.api(), reportRun("run_h", "complete", "full", "claude"),
                              ReportMode::localPreview);
  historical.state->loadBaselines();
  EXPECT_TRUE(historical.state->baselines->empty()) << "not for a historical report";
}

TEST_F(ReportSources, SavingAnAttachmentProposesASafeNameAndWritesItsBytes) {
  const std::string pdf = "%PDF-1.7 brief";
  h.service.reply("GET", desktop("runs/run_1/attachments/1"), image(pdf, "application/pdf"));
  state().exportAttachment(2, "x");
  state().exportAttachment(-1, "x");
  h.settle();
  EXPECT_TRUE(h.service.requests().empty()) << "out of range";

  const std::string path = h.folder + "/brief.pdf";
  h.dialog->answer = path;
  state().exportAttachment(1, "../brief.pdf");
  h.settle();
  EXPECT_EQ(h.dialog->proposals, std::vector<std::string>{"..-brief.pdf"});
  EXPECT_EQ(h.dialog->kinds, std::vector<SavedFileKind>{SavedFileKind::anyFile});
  EXPECT_EQ(h.readFile(path), pdf);
  EXPECT_EQ(h.service.requests().front().header("Authorization"), std::optional<std::string>("Bearer token-1"));

  state().exportAttachment(1, "..");
  h.settle();
  EXPECT_EQ(h.dialog->proposals.back(), "attachment");

  h.service.reply("GET", desktop("runs/run_1/attachments/0"), Reply::error(404, "No such file."));
  state().exportAttachment(0, "hero.png");
  h.settle();
  EXPECT_EQ(*state().error, std::optional<std::string>("No such file."));
  EXPECT_EQ(h.dialog->proposals.size(), 2u) << "no panel after a failed download";

  h.service.reply("GET", desktop("runs/run_1/attachments/0"), image(std::string(10'485'761, 'x'), "image/png"));
  state().error = std::nullopt;
  state().exportAttachment(0, "hero.png");
  h.settle();
  EXPECT_EQ(*state().error, std::optional<std::string>("Vesk returned an unreadable response.")) << "over 10 MiB";

  h.dialog->answer = h.folder + "/no/such/folder/hero.png";
  h.service.reply("GET", desktop("runs/run_1/attachments/0"), image("png", "image/png"));
  state().error = std::nullopt;
  state().exportAttachment(0, "hero.png");
  h.settle();
  EXPECT_TRUE(state().error->has_value()) << "an unwritable destination";
}

// A project's anchor file: previewed as an untrusted image, saved through the save panel.
#include "core/library/project_library_state.h"
#include "core/platform/preview_image.h"
#include "support/library_fixture.h"
#include "support/temporary_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

using namespace vesk;
using namespace vesk::testing;

namespace {

constexpr const char* unavailable = "This image preview is unavailable.";
constexpr const char* anchorPath = "/api/desktop/projects/p1/anchor";

LibraryProject withAnchor(const std::string& filename, const std::string& mediaType,
                          std::optional<std::string> url = "https://files.example/anchor") {
  LibraryProject project("p1", "Doral");
  project.contextAttachment = LibraryAnchor(filename, mediaType, std::nullopt, std::move(url));
  return project;
}

Reply file(std::string bytes, const char* type = "image/png") {
  Reply reply = Reply::json(std::move(bytes));
  reply.contentType = type;
  return reply;
}

// A PNG of noise (so it does not compress) of exactly `size` bytes: the pixels come close,
// a text chunk makes up the rest.
std::string pngOfSize(std::size_t size) {
  const int side = 1860;
  auto pixbuf = glib::ObjectPtr<GdkPixbuf>::adopt(gdk_pixbuf_new(GDK_COLORSPACE_RGB, FALSE, 8, side, side));
  guchar* pixels = gdk_pixbuf_get_pixels(pixbuf.get());
  std::uint32_t seed = 12345;
  const auto total = static_cast<std::size_t>(gdk_pixbuf_get_rowstride(pixbuf.get())) * side;
  for (std::size_t i = 0; i < total; ++i) {
    seed = seed * 1664525u + 1013904223u;
    pixels[i] = static_cast<guchar>(seed >> 24);
  }
  const auto encode = [&](const std::string& comment) {
    gchar* buffer = nullptr;
    gsize length = 0;
    char* keys[] = {const_cast<char*>("tEXt::Comment"), nullptr};
    char* values[] = {const_cast<char*>(comment.c_str()), nullptr};
    EXPECT_TRUE(gdk_pixbuf_save_to_bufferv(pixbuf.get(), &buffer, &length, "png", keys, values, nullptr));
    std::string bytes(buffer, length);
    g_free(buffer);
    return bytes;
  };
  const std::string base = encode("x");
  EXPECT_LT(base.size(), size);
  const std::string exact = encode(std::string(size - base.size() + 1, 'x'));
  EXPECT_EQ(exact.size(), size);
  return exact;
}

std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream content;
  content << in.rdbuf();
  return content.str();
}

struct AnchorFixture : LibraryFixture {
  AnchorFixture() {
    routeLibrary({}, {});
    configure();
    service.clearRequests();
  }
  TemporaryFolder temporary;
  const std::filesystem::path& folder = temporary.path();
};

}  // namespace

TEST(ProjectLibraryAnchor, PreviewShowsOnlyImageAnchorsThatCanBeDownloaded) {
  AnchorFixture f;
  f.service.reply("GET", anchorPath, file("%PDF-1.7", "application/pdf"));
  f.state->previewAnchor(withAnchor("brief.pdf", "application/pdf"));
  f.state->previewAnchor(withAnchor("hero.png", "image/png", std::nullopt));
  f.state->previewAnchor(withAnchor("hero.png", "IMAGE/PNG"));
  f.state->previewAnchor(LibraryProject("p1", "Doral"));
  EXPECT_EQ(*f.state->anchorPreview, std::nullopt);

  waitFor(f.state->configure(std::nullopt, LibrarySource::service, {}));
  f.state->previewAnchor(withAnchor("hero.png", "image/png"));
  waitFor(f.state->configure(f.api(), LibrarySource::localPreview, {}));
  f.state->previewAnchor(withAnchor("hero.png", "image/png"));
  EXPECT_EQ(*f.state->anchorPreview, std::nullopt);
  runFor(50ms);
  EXPECT_TRUE(f.service.requests().empty());
}

TEST(ProjectLibraryAnchor, PreviewLoadsAndChecksTheImage) {
  AnchorFixture f;
  const std::string png = pngOfSize(largestPreviewImageBytes);
  f.service.reply("GET", anchorPath, file(png));
  f.state->previewAnchor(withAnchor("hero.png", "image/png"));
  ASSERT_TRUE(f.state->anchorPreview->has_value());
  EXPECT_EQ((*f.state->anchorPreview)->title, "hero.png");
  EXPECT_TRUE((*f.state->anchorPreview)->loading);
  ASSERT_TRUE(runUntil([&] { return !(*f.state->anchorPreview)->loading; }, 30s));
  EXPECT_EQ((*f.state->anchorPreview)->error, std::nullopt) << "exactly at the limit is decoded";
  ASSERT_TRUE((*f.state->anchorPreview)->data);
  EXPECT_EQ(*(*f.state->anchorPreview)->data, png);
  EXPECT_EQ(f.service.requests().at(0).header("Authorization"), "Bearer token-1");
  EXPECT_FALSE(*f.state->busy) << "a preview never touches busy";

  const auto failsWith = [&](Reply reply, const std::string& sentence, const char* what) {
    f.service.reply("GET", anchorPath, std::move(reply));
    f.state->previewAnchor(withAnchor("hero.png", "image/png"));
    ASSERT_TRUE(runUntil([&] { return !(*f.state->anchorPreview)->loading; }, 30s)) << what;
    EXPECT_EQ((*f.state->anchorPreview)->error, sentence) << what;
    EXPECT_FALSE((*f.state->anchorPreview)->data) << what;
  };
  failsWith(file(png + "x"), unavailable, "one byte over the limit");
  failsWith(file(std::string(30'000'000, 'x')), unavailable, "far over the limit: reading stops");
  failsWith(file("<svg xmlns=\"http://www.w3.org/2000/svg\"/>"), unavailable, "not an image, whatever the type says");
  failsWith(file(png.substr(0, 4096)), unavailable, "cut short");
  failsWith(Reply::error(404, "This anchor is gone."), "This anchor is gone.", "a failed download");
  EXPECT_EQ(*f.state->error, std::nullopt) << "preview failures stay inside the preview";
}

TEST(ProjectLibraryAnchor, APreviewClosedOrReplacedBeforeItsBytesArriveStaysSo) {
  AnchorFixture f;
  Reply held = file(pngOfSize(largestPreviewImageBytes - 100));
  held.stall = true;
  f.service.reply("GET", anchorPath, held);
  f.state->previewAnchor(withAnchor("hero.png", "image/png"));
  ASSERT_TRUE(runUntil([&] { return f.service.stalledCount() == 1; }));
  f.state->anchorPreview = std::nullopt;  // the sheet closed
  f.service.releaseStalled();
  ASSERT_TRUE(runUntil([&] { return f.state->runningTasks() == 0; }, 30s));
  EXPECT_EQ(*f.state->anchorPreview, std::nullopt);

  f.state->previewAnchor(withAnchor("first.png", "image/png"));
  ASSERT_TRUE(runUntil([&] { return f.service.stalledCount() == 1; }));
  f.service.reply("GET", anchorPath, file("not an image"));
  f.state->previewAnchor(withAnchor("second.png", "image/png"));
  ASSERT_TRUE(runUntil([&] { return !(*f.state->anchorPreview)->loading; }));
  const auto second = **f.state->anchorPreview;
  f.service.releaseStalled();
  ASSERT_TRUE(runUntil([&] { return f.state->runningTasks() == 0; }, 30s));
  EXPECT_EQ(**f.state->anchorPreview, second) << "the first download is dropped";
  EXPECT_EQ(second.title, "second.png");
}

TEST(ProjectLibraryAnchor, ExportSavesAnyAnchorUnderASafeNameAtomically) {
  AnchorFixture f;
  f.service.reply("GET", anchorPath, file("%PDF-1.7 brief", "application/pdf"));
  const std::string destination = (f.folder / "saved.pdf").string();
  {
    std::ofstream existing(destination);
    existing << "an older file";
  }
  const auto shared =
      std::filesystem::perms::owner_read | std::filesystem::perms::owner_write | std::filesystem::perms::group_read;
  std::filesystem::permissions(destination, shared);
  f.dialog->answer = destination;
  f.state->error = std::string("An earlier sentence.");
  f.state->exportAnchor(withAnchor("../briefs/q3\n.pdf", "application/pdf", std::nullopt));
  ASSERT_TRUE(runUntil([&] { return f.state->runningTasks() == 0; }));
  EXPECT_EQ(f.dialog->proposals, (std::vector<std::string>{"..-briefs-q3-.pdf"}));
  EXPECT_EQ(f.dialog->kinds, (std::vector<SavedFileKind>{SavedFileKind::anyFile}));
  EXPECT_EQ(readFile(destination), "%PDF-1.7 brief");
  EXPECT_EQ(std::filesystem::status(destination).permissions(), shared) << "the replaced file's permissions stay";
  EXPECT_EQ(*f.state->error, "An earlier sentence.") << "a successful save leaves an earlier error";
  EXPECT_FALSE(*f.state->busy);

  f.state->exportAnchor(withAnchor("..", "application/pdf"));
  ASSERT_TRUE(runUntil([&] { return f.state->runningTasks() == 0; }));
  EXPECT_EQ(f.dialog->proposals.back(), "Anchor") << "a name that is no file name falls back";
}

TEST(ProjectLibraryAnchor, ExportFailuresAndCancellation) {
  AnchorFixture f;
  const std::string destination = (f.folder / "saved.png").string();
  f.service.reply("GET", anchorPath, file("png bytes"));
  f.dialog->answer = std::nullopt;
  f.state->exportAnchor(withAnchor("hero.png", "image/png"));
  ASSERT_TRUE(runUntil([&] { return f.state->runningTasks() == 0; }));
  EXPECT_EQ(f.dialog->proposals.size(), 1u);
  EXPECT_EQ(*f.state->error, std::nullopt) << "a cancelled panel says nothing";
  EXPECT_TRUE(std::filesystem::is_empty(f.folder));

  f.dialog->answer = (f.folder / "missing" / "saved.png").string();
  f.state->exportAnchor(withAnchor("hero.png", "image/png"));
  ASSERT_TRUE(runUntil([&] { return f.state->runningTasks() == 0; }));
  ASSERT_TRUE(f.state->error->has_value());
  EXPECT_NE(f.state->error->value().find("saved.png"), std::string::npos) << **f.state->error;

  f.dialog->answer = destination;
  f.service.reply("GET", anchorPath, Reply::error(403, "You can’t download this anchor."));
  f.state->exportAnchor(withAnchor("hero.png", "image/png"));
  ASSERT_TRUE(runUntil([&] { return f.state->runningTasks() == 0; }));
  EXPECT_EQ(*f.state->error, "You can’t download this anchor.");

  f.service.reply("GET", anchorPath, file(std::string(largestPreviewImageBytes + 1, 'x'), "application/pdf"));
  f.state->exportAnchor(withAnchor("big.pdf", "application/pdf"));
  ASSERT_TRUE(runUntil([&] { return f.state->runningTasks() == 0; }));
  EXPECT_EQ(*f.state->error, "This file is too large.") << "a file cut short at the limit is never written";
  EXPECT_EQ(f.dialog->proposals.size(), 2u) << "and no panel opens for it";
  EXPECT_FALSE(std::filesystem::exists(destination));

  // Overtaken before the bytes arrive (the run deletion renews the generation): no panel.
  Reply held = file("late bytes");
  held.stall = true;
  f.service.reply("GET", anchorPath, held);
  f.service.reply("DELETE", "/api/desktop/runs/r1", Reply::json("{}"));
  f.state->exportAnchor(withAnchor("hero.png", "image/png"));
  ASSERT_TRUE(runUntil([&] { return f.service.stalledCount() == 1; }));
  waitFor(f.state->deleteRun(archiveRun("r1", "p1")));
  f.service.releaseStalled();
  ASSERT_TRUE(runUntil([&] { return f.state->runningTasks() == 0; }));
  EXPECT_EQ(f.dialog->proposals.size(), 2u);
  EXPECT_FALSE(std::filesystem::exists(destination));

  f.state->exportAnchor(LibraryProject("p1", "Doral"));
  waitFor(f.state->configure(f.api(), LibrarySource::localPreview, {}));
  f.state->exportAnchor(withAnchor("hero.png", "image/png"));
  runFor(50ms);
  EXPECT_EQ(f.dialog->proposals.size(), 2u) << "no anchor, or the local preview: nothing";
}

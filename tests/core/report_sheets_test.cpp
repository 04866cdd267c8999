#include "core/report/report_sheets.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

using vesk::deleteSheetLook;
using vesk::ImagePreviewLook;
using vesk::imagePreviewLook;
using vesk::PreviewDecoding;
using vesk::ReportSourcePreview;

namespace {

std::shared_ptr<const std::string> bytes(const char* text) { return std::make_shared<const std::string>(text); }

}  // namespace

TEST(ReportSheets, DeleteConfirmationLocksWhileTheDeletionRuns) {
  const auto idle = deleteSheetLook(false, std::nullopt);
  EXPECT_EQ(idle.deleteLabel, "Delete run");
  EXPECT_TRUE(idle.buttonsEnabled);
  EXPECT_TRUE(idle.escapeCloses);
  EXPECT_FALSE(idle.error);

  const auto busy = deleteSheetLook(true, std::nullopt);
  EXPECT_EQ(busy.deleteLabel, "Deleting…");
  EXPECT_FALSE(busy.buttonsEnabled);
  EXPECT_FALSE(busy.escapeCloses);

  // A failed deletion leaves the sheet usable with its sentence.
  const auto failed = deleteSheetLook(false, std::string("Vesk could not delete this run."));
  EXPECT_EQ(failed.error, "Vesk could not delete this run.");
  EXPECT_TRUE(failed.escapeCloses);
}

TEST(ReportSheets, ImagePreviewShowsTheFirstCaseThatHolds) {
  using Body = ImagePreviewLook::Body;
  // No preview at all.
  auto look = imagePreviewLook(std::nullopt, PreviewDecoding::failed);
  EXPECT_EQ(look.title, "Source image");
  EXPECT_EQ(look.body, Body::message);
  EXPECT_EQ(look.text, "This image preview is unavailable.");

  // Loading wins even when bytes came along, and whatever the decoder said.
  auto preview = ReportSourcePreview::loadingPreview("p1", "Home page");
  preview.data = bytes("\x89PNG");
  for (const auto decoding : {PreviewDecoding::pending, PreviewDecoding::decoded, PreviewDecoding::failed}) {
    look = imagePreviewLook(preview, decoding);
    EXPECT_EQ(look.title, "Home page");
    EXPECT_EQ(look.body, Body::loading);
    EXPECT_EQ(look.text, "Loading archived image…");
  }

  // Shown bytes: still loading while they decode, then the image or the sentence.
  const auto shown = ReportSourcePreview::loadingPreview("p1", "Home page").shown(bytes("not an image"));
  EXPECT_EQ(imagePreviewLook(shown, PreviewDecoding::pending).body, Body::loading);
  look = imagePreviewLook(shown, PreviewDecoding::decoded);
  EXPECT_EQ(look.body, Body::image);
  EXPECT_EQ(look.text, "");
  look = imagePreviewLook(shown, PreviewDecoding::failed);
  EXPECT_EQ(look.body, Body::message);
  EXPECT_EQ(look.text, "This image preview is unavailable.");

  // A failed download shows its own sentence; a stale "decoded" without bytes shows it too.
  const auto failed = ReportSourcePreview::loadingPreview("p2", "Pricing").failed("The image could not be loaded.");
  EXPECT_EQ(imagePreviewLook(failed, PreviewDecoding::decoded).text, "The image could not be loaded.");
  EXPECT_EQ(imagePreviewLook(failed, PreviewDecoding::decoded).body, Body::message);
}

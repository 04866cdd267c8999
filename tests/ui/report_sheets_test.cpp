// The delete confirmation and the image preview on the window's sheet layer, under a real
// keyboard and pointer.
#include "core/platform/object_ptr.h"
#include "support/run_loop.h"
#include "ui/app/root_view.h"
#include "ui/app/sheet_layer.h"
#include "ui/report/image_preview_sheet.h"
#include "ui/report/report_delete_sheet.h"
#include "ui/support/shell_window.h"
#include "ui/support/synthetic_input.h"
#include "ui/support/ui_test.h"

#include <gdk-pixbuf/gdk-pixbuf.h>

using namespace std::chrono_literals;
using vesk::ReportSourcePreview;
using vesk::testing::runUntil;
using vesk::testing::ShellWindow;
using vesk::testing::SyntheticInput;
using vesk::ui::ImagePreviewSheet;
using vesk::ui::ReportDeleteConfirmation;

namespace {

class ReportSheetsTest : public vesk::testing::UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    if (!SyntheticInput::available()) GTEST_SKIP() << "needs an X11 display with XTest";
    SyntheticInput::moveAway();
  }
};

std::shared_ptr<const std::string> pngBytes(int width, int height) {
  auto pixbuf = vesk::glib::ObjectPtr<GdkPixbuf>::adopt(gdk_pixbuf_new(GDK_COLORSPACE_RGB, FALSE, 8, width, height));
  gdk_pixbuf_fill(pixbuf.get(), 0x9a6a3cff);
  gchar* buffer = nullptr;
  gsize size = 0;
  EXPECT_TRUE(gdk_pixbuf_save_to_buffer(pixbuf.get(), &buffer, &size, "png", nullptr, nullptr));
  auto bytes = std::make_shared<const std::string>(buffer, size);
  g_free(buffer);
  return bytes;
}

}  // namespace

TEST_F(ReportSheetsTest, DeleteConfirmationIsLockedWhileBusy) {
  ShellWindow shell;
  auto& sheets = shell.root().sheets();
  int cancels = 0;
  int deletes = 0;
  auto owned = std::make_unique<ReportDeleteConfirmation>([&] { ++cancels; }, [&] { ++deletes; });
  auto& sheet = *owned;
  bool dismissed = false;
  vesk::ui::SheetLayer::Options options;
  options.onDismissed = [&] { dismissed = true; };
  sheets.present(std::move(owned), std::move(options));
  sheet.update(false, std::string("Vesk could not delete this run."));
  shell.settle();
  EXPECT_EQ(sheet.deleteButton().get_label(), "Delete run");
  EXPECT_TRUE(sheet.errorLabel().get_visible());
  EXPECT_TRUE(sheet.errorLabel().get_selectable());
  shell.clickCentre(sheet.deleteButton());
  EXPECT_EQ(deletes, 1);

  sheet.update(true, std::nullopt);
  shell.settle();
  EXPECT_EQ(sheet.deleteButton().get_label(), "Deleting…");
  EXPECT_FALSE(sheet.deleteButton().is_sensitive());
  EXPECT_FALSE(sheet.cancelButton().is_sensitive());
  EXPECT_FALSE(sheet.errorLabel().get_visible());
  vesk::testing::renderAndKeep(*sheets.topSurface(), "report-delete-sheet-busy.png");
  shell.press("Escape");
  shell.clickDisabled(sheet.cancelButton());
  EXPECT_EQ(sheets.depth(), 1u) << "Escape does nothing while the deletion runs";
  EXPECT_EQ(cancels, 0);
  EXPECT_FALSE(dismissed);

  sheet.update(false, std::nullopt);
  shell.settle();
  vesk::testing::renderAndKeep(*sheets.topSurface(), "report-delete-sheet.png");
  shell.clickCentre(sheet.cancelButton());
  EXPECT_EQ(cancels, 1);
  shell.press("Escape");
  EXPECT_TRUE(runUntil([&] { return dismissed; }, 5s)) << "idle, Escape closes the sheet";
}

TEST_F(ReportSheetsTest, ImagePreviewLoadsDecodesAndFails) {
  ShellWindow shell;
  auto& sheets = shell.root().sheets();
  int dismissals = 0;
  auto owned = std::make_unique<ImagePreviewSheet>([&] { ++dismissals; });
  auto& sheet = *owned;
  bool dismissed = false;
  vesk::ui::SheetLayer::Options options;
  options.onDismissed = [&] { dismissed = true; };
  sheets.present(std::move(owned), std::move(options));

  // Loading with bytes already there still reads as loading.
  auto preview = ReportSourcePreview::loadingPreview("p1", "example.com");
  preview.data = pngBytes(40, 30);
  sheet.update(preview);
  shell.settle();
  EXPECT_EQ(sheet.look().text, "Loading archived image…");
  EXPECT_EQ(sheet.title().get_text(), "example.com");
  EXPECT_FALSE(sheet.picture().get_visible());

  // The bytes arrive: the image is decoded off the loop and scaled to fit 800 × 650.
  sheet.update(ReportSourcePreview::loadingPreview("p1", "example.com").shown(pngBytes(1600, 900)));
  ASSERT_TRUE(runUntil([&] { return sheet.picture().get_visible(); }, 10s));
  shell.settle();
  EXPECT_EQ(sheet.get_width(), ImagePreviewSheet::width);
  EXPECT_EQ(sheet.get_height(), ImagePreviewSheet::height);
  EXPECT_LE(sheet.picture().get_width(), ImagePreviewSheet::width);
  vesk::testing::renderAndKeep(*sheets.topSurface(), "report-image-preview.png");

  // Bytes that are no image, without an error: the standing sentence.
  sheet.update(ReportSourcePreview::loadingPreview("p2", "Pricing")
                   .shown(std::make_shared<const std::string>("certainly not an image")));
  ASSERT_TRUE(runUntil([&] { return sheet.message().get_visible(); }, 10s));
  EXPECT_EQ(sheet.message().get_text(), "This image preview is unavailable.");
  // With an error: that error.
  sheet.update(ReportSourcePreview::loadingPreview("p3", "Pricing").failed("The image could not be loaded."));
  EXPECT_EQ(sheet.message().get_text(), "The image could not be loaded.");
  // No preview at all.
  sheet.update(std::nullopt);
  EXPECT_EQ(sheet.title().get_text(), "Source image");
  EXPECT_EQ(sheet.message().get_text(), "This image preview is unavailable.");
  shell.settle();
  vesk::testing::renderAndKeep(*sheets.topSurface(), "report-image-preview-unavailable.png");

  shell.clickCentre(sheet.doneButton());
  EXPECT_EQ(dismissals, 1);
  shell.press("Escape");
  EXPECT_TRUE(runUntil([&] { return dismissed; }, 5s));
}

TEST_F(ReportSheetsTest, ClosingThePreviewWhileItDecodesTouchesNothing) {
  ShellWindow shell;
  auto& sheets = shell.root().sheets();
  auto owned = std::make_unique<ImagePreviewSheet>([] {});
  auto& sheet = *owned;
  const auto id = sheets.present(std::move(owned));
  sheet.update(ReportSourcePreview::loadingPreview("p1", "Large").shown(pngBytes(4000, 3000)));
  sheets.dismiss(id);
  // The decoding ends on its worker and must not write to the destroyed sheet.
  vesk::testing::runFor(300ms);
  EXPECT_EQ(sheets.depth(), 0u);
}

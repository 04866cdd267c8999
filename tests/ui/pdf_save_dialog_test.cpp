// The native save panel for a report's PDF, answered as a user would.
#include "ui/app/pdf_save_dialog.h"
#include "support/run_loop.h"
#include "ui/support/ui_test.h"

#include <gtk/gtk.h>
#include <gtkmm/window.h>

#include <cstdlib>
#include <filesystem>

using namespace std::chrono_literals;

namespace {

// The chooser dialog on screen (GTK's own, since no portal runs under the tests).
GtkWidget* shownChooser() {
  GListModel* toplevels = gtk_window_get_toplevels();
  for (guint i = 0; i < g_list_model_get_n_items(toplevels); ++i) {
    auto* window = static_cast<GtkWidget*>(g_list_model_get_item(toplevels, i));
    g_object_unref(window);
    if (GTK_IS_FILE_CHOOSER(window) && gtk_widget_get_visible(window)) return window;
  }
  return nullptr;
}

// Answers the panel and cancels another; the panel takes the keyboard focus of the
// display, so this runs in a process of its own and leaves the other screen tests alone.
void answerAndCancelThePanel() {
  // The chooser records the choice among recent files, under the program's name.
  g_set_prgname("vesk");
  g_set_application_name("Vesk");
  Gtk::Window parent;
  vesk::ui::PdfSaveDialog dialog([&]() -> Gtk::Window* { return &parent; });

  auto chosen = vesk::async::spawn(dialog.choosePdfDestination("Vesk — Doral.pdf"));
  ASSERT_TRUE(vesk::testing::runUntil([] { return shownChooser() != nullptr; }));
  auto* chooser = shownChooser();
  vesk::glib::GFreePtr<char> name(gtk_file_chooser_get_current_name(GTK_FILE_CHOOSER(chooser)));
  EXPECT_STREQ(name.get(), "Vesk — Doral.pdf");
  GtkFileFilter* filter = gtk_file_chooser_get_filter(GTK_FILE_CHOOSER(chooser));
  ASSERT_NE(filter, nullptr);
  EXPECT_STREQ(gtk_file_filter_get_name(filter), "PDF document");
  EXPECT_EQ(gtk_window_get_transient_for(GTK_WINDOW(chooser)), parent.gobj());

  vesk::testing::runFor(300ms);  // the chooser loads its folder before it accepts a name in it
  gtk_dialog_response(GTK_DIALOG(chooser), GTK_RESPONSE_ACCEPT);
  vesk::testing::waitFor(chosen);
  const auto path = chosen.result();
  ASSERT_TRUE(path);
  EXPECT_EQ(std::filesystem::path(*path).filename(), "Vesk — Doral.pdf");

  auto abandoned = vesk::async::spawn(dialog.choosePdfDestination("Vesk — .pdf"));
  ASSERT_TRUE(vesk::testing::runUntil([] { return shownChooser() != nullptr; }));
  abandoned.cancel();
  vesk::testing::waitFor(abandoned);
  EXPECT_THROW(abandoned.result(), vesk::async::Cancelled);
  EXPECT_TRUE(vesk::testing::runUntil([] { return shownChooser() == nullptr; }, 2s));
  std::exit(::testing::Test::HasFailure() ? 1 : 0);
}

// The panel for a report's Markdown lists text files; the one for an attached file lists
// everything. Both propose the given name and close when their task is cancelled.
void offerThePanelFor(vesk::SavedFileKind kind) {
  g_set_prgname("vesk");
  g_set_application_name("Vesk");
  Gtk::Window parent;
  vesk::ui::PdfSaveDialog dialog([&]() -> Gtk::Window* { return &parent; });
  auto asked = vesk::async::spawn(dialog.chooseDestination("Landing page.md", kind));
  ASSERT_TRUE(vesk::testing::runUntil([] { return shownChooser() != nullptr; }));
  auto* chooser = shownChooser();
  vesk::glib::GFreePtr<char> name(gtk_file_chooser_get_current_name(GTK_FILE_CHOOSER(chooser)));
  EXPECT_STREQ(name.get(), "Landing page.md");
  EXPECT_EQ(gtk_window_get_transient_for(GTK_WINDOW(chooser)), parent.gobj());
  GtkFileFilter* filter = gtk_file_chooser_get_filter(GTK_FILE_CHOOSER(chooser));
  if (kind == vesk::SavedFileKind::plainText) {
    ASSERT_NE(filter, nullptr);
    EXPECT_STREQ(gtk_file_filter_get_name(filter), "Text");
  } else {
    EXPECT_EQ(filter, nullptr);
  }
  asked.cancel();
  vesk::testing::waitFor(asked);
  EXPECT_THROW(asked.result(), vesk::async::Cancelled);
  EXPECT_TRUE(vesk::testing::runUntil([] { return shownChooser() == nullptr; }, 2s));
  std::exit(::testing::Test::HasFailure() ? 1 : 0);
}

}  // namespace

TEST(PdfSaveDialog, OffersTextFilesForMarkdownAndEveryFileForAnAttachment) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(offerThePanelFor(vesk::SavedFileKind::plainText), ::testing::ExitedWithCode(0), "");
  EXPECT_EXIT(offerThePanelFor(vesk::SavedFileKind::anyFile), ::testing::ExitedWithCode(0), "");
}

TEST(PdfSaveDialog, ProposesTheNameAcceptsAPathAndClosesOnCancel) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(answerAndCancelThePanel(), ::testing::ExitedWithCode(0), "");
}

// The native save panel for the account archive, answered as a user would.
#include "support/run_loop.h"
#include "ui/app/pdf_save_dialog.h"
#include "ui/support/ui_test.h"

#include <gtk/gtk.h>
#include <gtkmm/window.h>

#include <cstdlib>
#include <filesystem>

using namespace std::chrono_literals;

namespace {

GtkWidget* shownChooser() {
  GListModel* toplevels = gtk_window_get_toplevels();
  for (guint i = 0; i < g_list_model_get_n_items(toplevels); ++i) {
    auto* window = static_cast<GtkWidget*>(g_list_model_get_item(toplevels, i));
    g_object_unref(window);
    if (GTK_IS_FILE_CHOOSER(window) && gtk_widget_get_visible(window)) return window;
  }
  return nullptr;
}

// In a process of its own: the panel takes the keyboard focus of the display.
void answerThePanel() {
  g_set_prgname("vesk");
  g_set_application_name("Vesk");
  Gtk::Window parent;
  vesk::ui::PdfSaveDialog dialog([&]() -> Gtk::Window* { return &parent; });

  auto chosen = vesk::async::spawn(dialog.chooseDestination("Vesk audits.zip", vesk::SavedFileKind::zipArchive));
  ASSERT_TRUE(vesk::testing::runUntil([] { return shownChooser() != nullptr; }));
  auto* chooser = shownChooser();
  vesk::glib::GFreePtr<char> name(gtk_file_chooser_get_current_name(GTK_FILE_CHOOSER(chooser)));
  EXPECT_STREQ(name.get(), "Vesk audits.zip");
  GtkFileFilter* filter = gtk_file_chooser_get_filter(GTK_FILE_CHOOSER(chooser));
  ASSERT_NE(filter, nullptr);
  EXPECT_STREQ(gtk_file_filter_get_name(filter), "ZIP archive");
  EXPECT_EQ(gtk_window_get_transient_for(GTK_WINDOW(chooser)), parent.gobj());
  EXPECT_TRUE(gtk_window_get_modal(GTK_WINDOW(chooser)));

  vesk::testing::runFor(300ms);  // the chooser loads its folder before it accepts a name in it
  gtk_file_chooser_set_current_name(GTK_FILE_CHOOSER(chooser), "audits backup");
  gtk_dialog_response(GTK_DIALOG(chooser), GTK_RESPONSE_ACCEPT);
  vesk::testing::waitFor(chosen);
  const auto path = chosen.result();
  ASSERT_TRUE(path);
  EXPECT_EQ(std::filesystem::path(*path).filename(), "audits backup") << "no extension is added";

  auto cancelled = vesk::async::spawn(dialog.chooseDestination("Vesk audits.zip", vesk::SavedFileKind::zipArchive));
  ASSERT_TRUE(vesk::testing::runUntil([] { return shownChooser() != nullptr; }));
  gtk_dialog_response(GTK_DIALOG(shownChooser()), GTK_RESPONSE_CANCEL);
  vesk::testing::waitFor(cancelled);
  EXPECT_FALSE(cancelled.result());
  std::exit(::testing::Test::HasFailure() ? 1 : 0);
}

}  // namespace

TEST(ArchiveSaveDialog, ProposesTheArchiveNameListsZipFilesAndKeepsTheChosenName) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(answerThePanel(), ::testing::ExitedWithCode(0), "");
}

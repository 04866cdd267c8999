// The native file-open panel for audit files, answered as a user would.
#include "ui/app/file_panel.h"
#include "support/run_loop.h"
#include "ui/support/ui_test.h"

#include <gtk/gtk.h>
#include <gtkmm/window.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

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

bool admits(GtkFileFilter* filter, const char* name, const char* contentType) {
  auto info = vesk::glib::ObjectPtr<GFileInfo>::adopt(g_file_info_new());
  g_file_info_set_display_name(info.get(), name);
  g_file_info_set_content_type(info.get(), contentType);
  return gtk_filter_match(GTK_FILTER(filter), info.get());
}

// Answers the panel and cancels it; the panel takes the keyboard focus of the display,
// so this runs in a process of its own and leaves the other screen tests alone.
void chooseAndCancel() {
  g_set_prgname("vesk");
  g_set_application_name("Vesk");
  Gtk::Window parent;
  vesk::ui::NativeFilePanel panel;
  const auto folder = std::filesystem::temp_directory_path() / ("vesk-panel-" + std::to_string(getpid()));
  std::filesystem::create_directories(folder);
  const auto shot = folder / "checkout.png";
  std::ofstream(shot) << "png";

  auto chosen = vesk::async::spawn(panel.chooseAuditFiles(&parent));
  ASSERT_TRUE(vesk::testing::runUntil([] { return shownChooser() != nullptr; }));
  auto* chooser = shownChooser();
  EXPECT_TRUE(gtk_file_chooser_get_select_multiple(GTK_FILE_CHOOSER(chooser)));
  EXPECT_EQ(gtk_file_chooser_get_action(GTK_FILE_CHOOSER(chooser)), GTK_FILE_CHOOSER_ACTION_OPEN);
  EXPECT_EQ(gtk_window_get_transient_for(GTK_WINDOW(chooser)), parent.gobj());
  GtkFileFilter* filter = gtk_file_chooser_get_filter(GTK_FILE_CHOOSER(chooser));
  ASSERT_NE(filter, nullptr);
  const std::vector<std::pair<const char*, const char*>> offered = {
      {"a.png", "image/png"}, {"b.JPG", "image/jpeg"},      {"b.jpeg", "image/jpeg"}, {"c.webp", "image/webp"},
      {"d.gif", "image/gif"}, {"e.pdf", "application/pdf"}, {"f.txt", "text/plain"},  {"f.md", "text/markdown"}};
  for (const auto& [name, type] : offered) EXPECT_TRUE(admits(filter, name, type)) << name;
  // Nothing the workspace would refuse, text-like kinds included.
  const std::vector<std::pair<const char*, const char*>> refused = {
      {"g.zip", "application/zip"}, {"h.svg", "image/svg+xml"}, {"i.xml", "application/xml"},
      {"j.c", "text/x-csrc"},       {"k.mp4", "video/mp4"},     {"notes", "text/plain"}};
  for (const auto& [name, type] : refused) EXPECT_FALSE(admits(filter, name, type)) << name;

  auto file = vesk::glib::ObjectPtr<GFile>::adopt(g_file_new_for_path(shot.c_str()));
  vesk::testing::runFor(300ms);  // the chooser loads its folder before it selects in it
  gtk_file_chooser_set_file(GTK_FILE_CHOOSER(chooser), file.get(), nullptr);
  vesk::testing::runFor(300ms);
  gtk_dialog_response(GTK_DIALOG(chooser), GTK_RESPONSE_ACCEPT);
  vesk::testing::waitFor(chosen);
  const auto paths = chosen.result();
  ASSERT_TRUE(paths);
  EXPECT_EQ(*paths, std::vector<std::string>{shot.string()});

  auto cancelled = vesk::async::spawn(panel.chooseAuditFiles(&parent));
  ASSERT_TRUE(vesk::testing::runUntil([] { return shownChooser() != nullptr; }));
  // GTK's own chooser must finish loading its folder before it goes; no person answers
  // that quickly.
  vesk::testing::runFor(300ms);
  gtk_dialog_response(GTK_DIALOG(shownChooser()), GTK_RESPONSE_CANCEL);
  vesk::testing::waitFor(cancelled);
  EXPECT_EQ(cancelled.result(), std::nullopt);

  // Withdrawn by its task, the panel closes.
  auto withdrawn = vesk::async::spawn(panel.chooseAuditFiles(&parent));
  ASSERT_TRUE(vesk::testing::runUntil([] { return shownChooser() != nullptr; }));
  vesk::testing::runFor(300ms);
  withdrawn.cancel();
  vesk::testing::waitFor(withdrawn);
  EXPECT_TRUE(vesk::testing::runUntil([] { return shownChooser() == nullptr; }, 2s));
  std::filesystem::remove_all(folder);
  std::exit(::testing::Test::HasFailure() ? 1 : 0);
}

}  // namespace

TEST(NativeFilePanel, OffersTheAuditTypesSeveralAtOnceAndClosesOnCancel) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(chooseAndCancel(), ::testing::ExitedWithCode(0), "");
}

// GoogleTest main for the screen tests: GTK is initialised once, and every GLib
// warning or critical is recorded so a test fails on it (see UiTest).
#include "ui/support/ui_test.h"

#include <gtest/gtest.h>
#include <gtk/gtk.h>
#include <gtkmm/init.h>

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  vesk::testing::recordGLibWarnings();
  gtk_init();
  // Reports printed into files stay out of the user's recently used files: GTK notes each
  // one under the application's name and keeps an empty list.
  g_set_application_name("Vesk tests");
  g_object_set(gtk_settings_get_default(), "gtk-recent-files-enabled", FALSE, nullptr);
  Gtk::init_gtkmm_internals();
  return RUN_ALL_TESTS();
}

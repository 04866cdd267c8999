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
  Gtk::init_gtkmm_internals();
  return RUN_ALL_TESTS();
}

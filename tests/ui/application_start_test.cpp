#include "ui/app/vesk_application.h"
#include "ui/style/vesk_typography.h"
#include "ui/support/ui_test.h"

#include <gtkmm/window.h>

#include <cstdlib>

namespace {

// Runs the application with no resource folder until its window is on screen.
[[noreturn]] void startWithoutResources() {
  auto app = vesk::ui::VeskApplication::create([] { return std::optional<vesk::ResourceBundle>(); });
  bool shown = false;
  app->signal_window_added().connect([&](Gtk::Window* window) {
    window->signal_map().connect([&, window] {
      shown = window->get_width() > 0 || window->get_mapped();
      app->quit();
    });
  });
  char name[] = "vesk";
  char* argv[] = {name, nullptr};
  const int status = app->run(1, argv);
  const bool fallback =
      vesk::ui::VeskTypography::registered() && vesk::ui::VeskTypography::registerFonts(std::nullopt).empty();
  std::exit(status == 0 && shown && fallback ? 0 : 3);
}

// Runs the application until its window shows, then quits from the window's Quit
// command: the window closes and the application ends.
[[noreturn]] void quitFromTheWindow() {
  auto app = vesk::ui::VeskApplication::create([] { return std::optional<vesk::ResourceBundle>(); });
  bool closed = false;
  app->signal_window_added().connect([&](Gtk::Window* window) {
    window->signal_map().connect([window] { window->activate_action("win.quit"); });
    window->signal_hide().connect([&] { closed = true; });
  });
  char name[] = "vesk";
  char* argv[] = {name, nullptr};
  const int status = app->run(1, argv);
  std::exit(status == 0 && closed ? 0 : 3);
}

}  // namespace

TEST(ApplicationStart, QuitClosesTheWindowAndEndsTheApplication) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(quitFromTheWindow(), ::testing::ExitedWithCode(0), "");
}

// In a fresh process, so nothing was registered before the application starts.
TEST(ApplicationStart, StartsAndShowsItsWindowWithoutAResourceFolder) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(startWithoutResources(), ::testing::ExitedWithCode(0), "");
}

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

}  // namespace

// In a fresh process, so nothing was registered before the application starts.
TEST(ApplicationStart, StartsAndShowsItsWindowWithoutAResourceFolder) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(startWithoutResources(), ::testing::ExitedWithCode(0), "");
}

// Start-up to the first drawn frame: the application against a bare gtkmm window of the
// same size, both started the same way (this program run again in a fresh process, a
// Gtk::Application run, the window presented on activation). The child prints the
// monotonic time of its window's first "after-paint"; the parent counts from the moment
// it started the child. Each round starts both, one right after the other, so a busy
// machine weighs on both alike; prints the median times and the median of the rounds'
// ratios (target: at most 1.15).
//
//   vesk_first_frame_bench [ROUNDS]
//
// Needs a display and a session bus; scripts/bench runs it under Xvfb with a keyring.
// The keyring holds a saved session for another origin, so the application reads a
// session as it does on a desktop, then ignores it and sends nothing anywhere. Both
// sides draw with GTK's software renderer unless GSK_RENDERER says otherwise, so the
// graphics stack's start-up does not drown the application's own.
#include "core/signin/session_keychain.h"
#include "ui/app/vesk_application.h"
#include "ui/app/vesk_window.h"

#include <gdkmm/frameclock.h>
#include <glib.h>
#include <gtkmm/applicationwindow.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace {

std::int64_t nowNs() {
  return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

// Prints the time of the first frame painted in any window of `app`, then quits it.
void reportFirstFrame(Gtk::Application& app) {
  app.signal_window_added().connect([&app](Gtk::Window* window) {
    window->signal_realize().connect([&app, window] {
      g_signal_connect(window->get_frame_clock()->gobj(), "after-paint", G_CALLBACK(+[](GdkFrameClock*, gpointer data) {
                         static bool reported = false;
                         if (std::exchange(reported, true)) return;
                         std::printf("%lld\n", static_cast<long long>(nowNs()));
                         std::fflush(stdout);
                         static_cast<Gtk::Application*>(data)->quit();
                       }),
                       &app);
    });
  });
}

int runApplication(char* name) {
  auto app = vesk::ui::VeskApplication::create(
      [] { return std::optional<vesk::ResourceBundle>(vesk::ResourceBundle(VESK_BENCH_RESOURCE_DIR)); });
  reportFirstFrame(*app);
  char* argv[] = {name, nullptr};
  return app->run(1, argv);
}

int runBareWindow(char* name) {
  auto app = Gtk::Application::create("app.vesk.bench.bare", Gio::Application::Flags::HANDLES_OPEN);
  std::unique_ptr<Gtk::ApplicationWindow> window;
  app->signal_activate().connect([&] {
    window = std::make_unique<Gtk::ApplicationWindow>();
    window->set_default_size(vesk::ui::VeskWindow::defaultWidth, vesk::ui::VeskWindow::defaultHeight);
    app->add_window(*window);
    window->present();
  });
  reportFirstFrame(*app);
  char* argv[] = {name, nullptr};
  return app->run(1, argv);
}

// Starts this program as a child in `mode` and returns the milliseconds from its start
// to its first frame, or nothing when it failed.
std::optional<double> firstFrameOf(const std::string& mode) {
  std::string self = std::filesystem::read_symlink("/proc/self/exe");
  std::string flag = "--first-frame";
  std::string which = mode;
  char* argv[] = {self.data(), flag.data(), which.data(), nullptr};
  gchar* out = nullptr;
  gint status = 0;
  const auto started = nowNs();
  if (!g_spawn_sync(nullptr, argv, nullptr, G_SPAWN_DEFAULT, nullptr, nullptr, &out, nullptr, &status, nullptr))
    return std::nullopt;
  const long long painted = out ? std::atoll(out) : 0;
  g_free(out);
  if (!g_spawn_check_wait_status(status, nullptr) || painted <= 0) return std::nullopt;
  return static_cast<double>(painted - started) / 1e6;
}

double median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const auto middle = values.size() / 2;
  return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::strcmp(argv[1], "--first-frame") == 0) {
    if (std::strcmp(argv[2], "app") == 0) return runApplication(argv[0]);
    if (std::strcmp(argv[2], "bare") == 0) return runBareWindow(argv[0]);
    return 2;
  }
  const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 21;
  g_setenv("GSK_RENDERER", "cairo", FALSE);
  g_setenv("GDK_DEBUG", "gl-disable", FALSE);
  const vesk::SessionKeychain keychain;
  try {
    keychain.save(vesk::SessionRecord("bench", "https://elsewhere.invalid",
                                      std::chrono::system_clock::now() + std::chrono::hours(1)));
  } catch (const std::exception& failure) {
    std::fprintf(stderr, "no saved session for the start-up to read: %s\n", failure.what());
  }
  std::vector<double> bare;
  std::vector<double> app;
  std::vector<double> ratios;
  // One round first to warm the file cache; then the order alternates, so that neither
  // side always runs just after the other.
  firstFrameOf("bare");
  firstFrameOf("app");
  for (int round = 0; round < rounds; ++round) {
    const bool bareFirst = round % 2 == 0;
    for (const char* mode : {bareFirst ? "bare" : "app", bareFirst ? "app" : "bare"}) {
      const auto took = firstFrameOf(mode);
      if (!took) {
        std::fprintf(stderr, "the %s start did not draw a frame\n", mode);
        keychain.clear();
        return 1;
      }
      (std::strcmp(mode, "bare") == 0 ? bare : app).push_back(*took);
    }
    ratios.push_back(app.back() / bare.back());
  }
  keychain.clear();
  const double bareMs = median(bare);
  const double appMs = median(app);
  std::printf("first frame, bare gtkmm window  %8.1f ms (median of %d starts)\n", bareMs, rounds);
  std::printf("first frame, Vesk               %8.1f ms\n", appMs);
  std::printf("start-up ratio                  %8.3f (median of the rounds; target at most 1.15)\n", median(ratios));
  return 0;
}

// Start-up to the first drawn frame: the application against a bare gtkmm window of the
// same size, both started the same way (this program run again in a fresh process, a
// Gtk::Application run, the window presented on activation). The child prints the
// monotonic time of its window's first "after-paint", its peak resident memory at that
// moment and the renderer GTK chose; the parent counts from the moment it started the
// child. Each round starts both, one right after the other, so a busy machine weighs on
// both alike; prints the medians and the median of the rounds' ratios against the
// targets (first frame at most 1.4 times the bare window's, peak memory at most 1.15
// times), once with GTK's software renderer and once with GL.
//
//   vesk_first_frame_bench [ROUNDS]
//
// Needs a display and a session bus; scripts/bench runs it under Xvfb with a keyring.
// The keyring holds a saved session for another origin, so the application reads a
// session as it does on a desktop, then ignores it and sends nothing anywhere. Where the
// display has no GL, GTK falls back to the software renderer: the GL lines say so.
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

// The peak resident memory of this process so far, in kB (VmHWM).
long peakResidentKb() {
  FILE* status = std::fopen("/proc/self/status", "r");
  if (!status) return 0;
  char line[256];
  long kb = 0;
  while (std::fgets(line, sizeof line, status))
    if (std::sscanf(line, "VmHWM: %ld kB", &kb) == 1) break;
  std::fclose(status);
  return kb;
}

// Prints the time of the first frame painted in any window of `app`, the peak memory and
// the renderer's type, then quits it.
void reportFirstFrame(Gtk::Application& app) {
  app.signal_window_added().connect([&app](Gtk::Window* window) {
    window->signal_realize().connect([&app, window] {
      static Gtk::Window* painted = nullptr;
      painted = window;
      g_signal_connect(window->get_frame_clock()->gobj(), "after-paint", G_CALLBACK(+[](GdkFrameClock*, gpointer data) {
                         static bool reported = false;
                         if (std::exchange(reported, true)) return;
                         const auto ns = nowNs();
                         GskRenderer* renderer = gtk_native_get_renderer(GTK_NATIVE(painted->gobj()));
                         std::printf("%lld %ld %s\n", static_cast<long long>(ns), peakResidentKb(),
                                     renderer ? G_OBJECT_TYPE_NAME(renderer) : "none");
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

struct Start {
  double ms = 0;      // from the child's start to its first frame
  double peakMb = 0;  // its peak resident memory by then
  std::string renderer;
};

// Starts this program as a child in `mode` with `renderer` and returns its first frame,
// or nothing when it failed.
std::optional<Start> firstFrameOf(const std::string& mode, const std::string& renderer) {
  std::string self = std::filesystem::read_symlink("/proc/self/exe");
  std::string flag = "--first-frame";
  std::string which = mode;
  char* argv[] = {self.data(), flag.data(), which.data(), nullptr};
  gchar** environment = g_get_environ();
  environment = g_environ_setenv(environment, "GSK_RENDERER", renderer.c_str(), TRUE);
  if (renderer == "cairo") {
    environment = g_environ_setenv(environment, "GDK_DEBUG", "gl-disable", TRUE);
  } else {
    environment = g_environ_unsetenv(environment, "GDK_DEBUG");
  }
  gchar* out = nullptr;
  gint status = 0;
  const auto started = nowNs();
  const bool spawned =
      g_spawn_sync(nullptr, argv, environment, G_SPAWN_DEFAULT, nullptr, nullptr, &out, nullptr, &status, nullptr);
  g_strfreev(environment);
  if (!spawned) return std::nullopt;
  long long painted = 0;
  long peakKb = 0;
  char type[128] = "";
  if (out) std::sscanf(out, "%lld %ld %127s", &painted, &peakKb, type);
  g_free(out);
  if (!g_spawn_check_wait_status(status, nullptr) || painted <= 0) return std::nullopt;
  return Start{static_cast<double>(painted - started) / 1e6, peakKb / 1024.0, type};
}

double median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const auto middle = values.size() / 2;
  return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

constexpr double frameTarget = 1.4;
constexpr double memoryTarget = 1.15;

// Runs `rounds` rounds with `renderer` and prints their lines; false when a start failed.
bool compare(const std::string& renderer, const char* title, int rounds) {
  std::vector<double> bare, app, frameRatios, memoryRatios, bareMb, appMb;
  std::string used;
  // One round first to warm the file cache; then the order alternates, so that neither
  // side always runs just after the other.
  firstFrameOf("bare", renderer);
  firstFrameOf("app", renderer);
  for (int round = 0; round < rounds; ++round) {
    const bool bareFirst = round % 2 == 0;
    std::optional<Start> starts[2];
    for (const char* mode : {bareFirst ? "bare" : "app", bareFirst ? "app" : "bare"}) {
      const auto start = firstFrameOf(mode, renderer);
      if (!start) {
        std::fprintf(stderr, "the %s start did not draw a frame (%s)\n", mode, title);
        return false;
      }
      starts[std::strcmp(mode, "bare") == 0 ? 0 : 1] = start;
    }
    used = starts[1]->renderer;
    bare.push_back(starts[0]->ms);
    app.push_back(starts[1]->ms);
    bareMb.push_back(starts[0]->peakMb);
    appMb.push_back(starts[1]->peakMb);
    frameRatios.push_back(starts[1]->ms / starts[0]->ms);
    memoryRatios.push_back(starts[1]->peakMb / starts[0]->peakMb);
  }
  std::printf("start-up, %s (renderer %s, median of %d starts each)\n", title, used.c_str(), rounds);
  if (renderer != "cairo" && used.find("Cairo") != std::string::npos)
    std::printf("  GL is not available on this display: GTK fell back to its software renderer\n");
  std::printf("  first frame, bare gtkmm window  %8.1f ms   peak RSS %7.1f MB\n", median(bare), median(bareMb));
  std::printf("  first frame, Vesk               %8.1f ms   peak RSS %7.1f MB\n", median(app), median(appMb));
  const double frameRatio = median(frameRatios);
  const double memoryRatio = median(memoryRatios);
  std::printf("  first-frame ratio               %8.3f (target at most %.2f: %s)\n", frameRatio, frameTarget,
              frameRatio <= frameTarget ? "met" : "missed");
  std::printf("  peak RSS ratio                  %8.3f (target at most %.2f: %s)\n", memoryRatio, memoryTarget,
              memoryRatio <= memoryTarget ? "met" : "missed");
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::strcmp(argv[1], "--first-frame") == 0) {
    if (std::strcmp(argv[2], "app") == 0) return runApplication(argv[0]);
    if (std::strcmp(argv[2], "bare") == 0) return runBareWindow(argv[0]);
    return 2;
  }
  const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 21;
  const vesk::SessionKeychain keychain;
  try {
    keychain.save(vesk::SessionRecord("bench", "https://elsewhere.invalid",
                                      std::chrono::system_clock::now() + std::chrono::hours(1)));
  } catch (const std::exception& failure) {
    std::fprintf(stderr, "no saved session for the start-up to read: %s\n", failure.what());
  }
  const bool cairo = compare("cairo", "software renderer (GSK_RENDERER=cairo)", rounds);
  const bool gl = compare("gl", "GL (GSK_RENDERER=gl)", rounds);
  keychain.clear();
  return cairo && gl ? 0 : 1;
}

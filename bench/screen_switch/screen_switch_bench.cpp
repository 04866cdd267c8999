// Screen switches in the window, signed in to a fake service with a small library: home →
// library → account → report → home, ROUNDS rounds (50 unless told). For each switch:
// the time from the switch to the next frame painted with the new screen in place, and
// the longest gap between ticks of a 1 ms timer on the main loop from the switch until
// 100 ms after that frame (work deferred to an idle after the frame counts too). Prints
// the median and the worst per screen against the targets (first frame at most 100 ms,
// no gap over 50 ms), then the resident memory after 200 switches against after the
// first 10: a leak check (target: at most 10 % more). Last, with a running full audit on
// the progress screen left alone for 30 s, the share of one core the process spent.
// Each run names the renderer GTK chose.
//
//   vesk_screen_switch_bench [ROUNDS]
//
// Needs a display and a Secret Service (the session is restored from the keyring):
// scripts/bench runs it under Xvfb with a private keyring.
#include "core/records/run_records.h"
#include "core/signin/session_keychain.h"
#include "core/workspace/audit_progress_snapshot.h"
#include "core/workspace/workspace.h"
#include "fake_service/fake_service.h"
#include "support/processor_time.h"
#include "support/renderer_name.h"
#include "support/threaded_fake_service.h"
#include "ui/app/root_view.h"
#include "ui/app/screen_slot.h"
#include "ui/app/shell_services.h"
#include "ui/app/vesk_window.h"
#include "ui/style/style_startup.h"

#include <gdkmm/frameclock.h>
#include <glib.h>
#include <gtkmm/init.h>
#include <unistd.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <future>
#include <map>
#include <thread>
#include <vector>

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
using vesk::Screen;
using vesk::testing::Reply;

constexpr double frameTargetMs = 100;
constexpr double gapTargetMs = 50;
constexpr double leakTarget = 1.10;

// A small library: enough rows for the screens to show something, nothing that makes this
// a library benchmark.
std::string libraryReply() {
  nlohmann::json runs = nlohmann::json::array();
  for (int run = 0; run < 20; ++run) {
    const vesk::SavedAudit saved("run-" + std::to_string(run), "project-" + std::to_string(run % 4), "Café Atlas",
                                 "complete", "# Audit " + std::to_string(run) + "\n\nThe hero promises too much.\n",
                                 run % 2 ? "full" : "quick", false, "2024-05-01T10:00:00Z", false,
                                 "https://example.com\nMake sign-up calmer", run, "vesk");
    runs.push_back(saved.toJson());
  }
  return nlohmann::json{{"runs", std::move(runs)}, {"nextCursor", nullptr}}.dump();
}

// The fake service on a thread and main context of its own, so that only the client's
// work shows on the measured loop.
class Service : public vesk::bench::ThreadedFakeService {
 public:
  Service()
      : ThreadedFakeService([](vesk::testing::FakeService& service) {
          vesk::bench::routeSignedInAccount(service);
          service.reply("GET", "/api/desktop/library", Reply::json(libraryReply()));
        }) {}
};

// Runs the main loop, whatever comes, for `length`.
void runFor(std::chrono::steady_clock::duration length) {
  bool over = false;
  const auto milliseconds = std::chrono::duration_cast<std::chrono::milliseconds>(length).count();
  g_timeout_add(
      static_cast<guint>(milliseconds),
      [](gpointer data) -> gboolean {
        *static_cast<bool*>(data) = true;
        return G_SOURCE_REMOVE;
      },
      &over);
  while (!over) g_main_context_iteration(nullptr, TRUE);
}

// The progress screen of a running full audit, left alone: the share of one core the
// whole process spends, its spinner turning and its veils drawn.
void progressScreenLoad(vesk::Workspace& workspace, Gtk::Widget& window) {
  constexpr auto length = 30s;
  workspace.current = vesk::SavedAudit("run-live", "project-0", "Café Atlas", "running", "", "full");
  vesk::AuditProgressSnapshot snapshot;
  snapshot.phase = "reading";
  snapshot.total = 8;
  snapshot.lenses = {{"a", "Visual hierarchy", "complete"}, {"b", "Onboarding", "running"}};
  workspace.liveProgress = snapshot;
  workspace.screen = Screen::progress;
  runFor(2s);
  int frames = 0;
  auto counting = window.get_frame_clock()->signal_paint().connect([&frames] { ++frames; });
  const double before = vesk::bench::processorSeconds();
  runFor(length);
  const double spent = vesk::bench::processorSeconds() - before;
  counting.disconnect();
  const auto seconds = static_cast<double>(length.count());
  std::printf(
      "  progress screen of a running full audit, left alone %.0f s: process %.1f %% of a core, %.1f frames/s%s\n",
      seconds, 100 * spent / seconds, frames / seconds,
      *workspace.screen == Screen::progress ? "" : " (it left the progress screen)");
}

long residentKb() {
  FILE* status = std::fopen("/proc/self/status", "r");
  if (!status) return 0;
  char line[256];
  long kb = 0;
  while (std::fgets(line, sizeof line, status))
    if (std::sscanf(line, "VmRSS: %ld kB", &kb) == 1) break;
  std::fclose(status);
  return kb;
}

double millis(Clock::duration duration) { return std::chrono::duration<double, std::milli>(duration).count(); }

double percentile(std::vector<double> values, double fraction) {
  std::sort(values.begin(), values.end());
  return values[static_cast<std::size_t>(fraction * static_cast<double>(values.size() - 1))];
}

struct Switch {
  double frameMs = 0;
  double gapMs = 0;
};

// Switches the window to `screen` from an idle callback (as a click would arrive) and
// measures it; nothing when no frame with the screen came within 10 s.
std::optional<Switch> switchTo(vesk::Workspace& workspace, vesk::ui::VeskWindow& window, Screen screen) {
  struct Watch {
    Clock::time_point started;
    Clock::time_point last;
    Clock::duration longest{};
    std::optional<Clock::time_point> painted;
    vesk::ui::ScreenSlot* slot = nullptr;
    Screen screen;
  } watch;
  watch.slot = &window.root().screenSlot();
  watch.screen = screen;
  const guint timer = g_timeout_add_full(
      G_PRIORITY_HIGH, 1,
      [](gpointer data) -> gboolean {
        auto* w = static_cast<Watch*>(data);
        const auto now = Clock::now();
        w->longest = std::max(w->longest, now - w->last);
        w->last = now;
        return G_SOURCE_CONTINUE;
      },
      &watch, nullptr);
  const gulong painted = g_signal_connect(
      window.get_frame_clock()->gobj(), "after-paint", G_CALLBACK(+[](GdkFrameClock*, gpointer data) {
        auto* w = static_cast<Watch*>(data);
        if (!w->painted && w->slot->screen() == w->screen && w->slot->page() && w->slot->page()->get_mapped())
          w->painted = Clock::now();
      }),
      &watch);
  struct Request {
    vesk::Workspace* workspace;
    Screen screen;
    Watch* watch;
  } request{&workspace, screen, &watch};
  g_idle_add_once(
      [](gpointer data) {
        auto* r = static_cast<Request*>(data);
        r->watch->started = r->watch->last = Clock::now();
        r->watch->longest = {};
        r->workspace->screen = r->screen;
      },
      &request);
  const auto deadline = Clock::now() + 10s;
  while ((!watch.painted || Clock::now() < *watch.painted + 100ms) && Clock::now() < deadline)
    g_main_context_iteration(nullptr, TRUE);
  g_signal_handler_disconnect(window.get_frame_clock()->gobj(), painted);
  g_source_remove(timer);
  if (!watch.painted) return std::nullopt;
  return Switch{millis(*watch.painted - watch.started), millis(watch.longest)};
}

const char* nameOf(Screen screen) {
  switch (screen) {
    case Screen::home: return "home";
    case Screen::library: return "library";
    case Screen::account: return "account";
    case Screen::report: return "report";
    default: return "other";
  }
}

}  // namespace

int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 50;
  gtk_init();
  Gtk::init_gtkmm_internals();
  const auto resources = vesk::ResourceBundle(VESK_BENCH_RESOURCE_DIR);
  vesk::ui::startUpVeskStyle(resources);

  Service service;
  const auto folder = std::filesystem::temp_directory_path() / ("vesk-switch-bench-" + std::to_string(getpid()));
  auto keychain = std::make_shared<vesk::SessionKeychain>("vesk-switch-bench");
  try {
    keychain->save(vesk::SessionRecord("bench-token", service.origin(), std::chrono::system_clock::now() + 1h));
  } catch (const std::exception& failure) {
    std::fprintf(stderr, "no Secret Service to restore the session from: %s\n", failure.what());
    return 1;
  }
  vesk::Workspace::Environment environment;
  environment.serviceOrigin = service.origin();
  environment.supportFolder = (folder / "Vesk").string();
  environment.keychain = keychain;
  auto workspace = vesk::Workspace::create(std::move(environment), vesk::Workspace::SavedSession::restore);

  vesk::ui::ShellServices services;
  services.openLink = [](const std::string&) {};
  services.readerPage = resources.file(vesk::ui::readerPageFile);
  auto window = std::make_unique<vesk::ui::VeskWindow>(workspace, std::move(services));
  window->present();
  const auto deadline = Clock::now() + 30s;
  while ((*workspace->accountLoading || !window->root().get_mapped()) && Clock::now() < deadline)
    g_main_context_iteration(nullptr, TRUE);
  if (!workspace->account->has_value()) {
    std::fprintf(stderr, "the workspace did not sign in\n");
    keychain->clear();
    return 1;
  }
  // The report screen shows the current run.
  vesk::SavedAudit run("run-current", "project-0", "Café Atlas", "complete",
                       "# The current audit\n\nThe hero promises too much; the sign-up asks too early.\n", "full");
  workspace->current = run;

  constexpr std::array<Screen, 4> tour = {Screen::library, Screen::account, Screen::report, Screen::home};
  std::map<Screen, std::vector<Switch>> measured;
  long afterTen = 0;
  long afterAll = 0;
  int switches = 0;
  const int total = std::max(rounds * static_cast<int>(tour.size()), 200);
  for (int made = 0; made < total; ++made) {
    const Screen screen = tour[static_cast<std::size_t>(made) % tour.size()];
    const auto result = switchTo(*workspace, *window, screen);
    if (!result) {
      std::fprintf(stderr, "no frame showed the %s screen\n", nameOf(screen));
      keychain->clear();
      return 1;
    }
    ++switches;
    if (made < rounds * static_cast<int>(tour.size())) measured[screen].push_back(*result);
    if (switches == 10) afterTen = residentKb();
    if (switches == 200) afterAll = residentKb();
  }

  std::printf("screen switches, home → library → account → report → home, %d rounds (signed in, 20 runs)\n", rounds);
  std::printf("  ");
  vesk::bench::printRenderer(GTK_WIDGET(window->gobj()));
  for (const Screen screen : tour) {
    std::vector<double> frames, gaps;
    for (const auto& one : measured[screen]) {
      frames.push_back(one.frameMs);
      gaps.push_back(one.gapMs);
    }
    if (frames.empty()) continue;
    const double worstGap = percentile(gaps, 1.0);
    const double frame = percentile(frames, 0.5);
    std::printf(
        "  to %-8s next frame median %6.1f ms, worst %6.1f ms (target %3.0f: %s)   longest gap median %6.1f "
        "ms, worst %6.1f ms (target %2.0f: %s)\n",
        nameOf(screen), frame, percentile(frames, 1.0), frameTargetMs, frame <= frameTargetMs ? "met" : "missed",
        percentile(gaps, 0.5), worstGap, gapTargetMs, worstGap <= gapTargetMs ? "met" : "missed");
  }
  const double growth = static_cast<double>(afterAll) / static_cast<double>(afterTen);
  std::printf("  RSS after 10 switches %7.1f MB, after 200 %7.1f MB: ratio %.3f (target at most %.2f: %s)\n",
              afterTen / 1024.0, afterAll / 1024.0, growth, leakTarget, growth <= leakTarget ? "met" : "missed");

  progressScreenLoad(*workspace, *window);

  window.reset();
  for (int i = 0; i < 50; ++i) g_main_context_iteration(nullptr, FALSE);
  keychain->clear();
  std::error_code ignored;
  std::filesystem::remove_all(folder, ignored);
  return 0;
}

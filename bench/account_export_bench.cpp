// Peak memory while a 50 MB account archive arrives slowly in chunks: streamed to a file by
// the account export, and, for comparison, held in memory as a plain call would hold it.
// The service runs in a process of its own. The idle time-out is cut to one second, and
// the download takes longer than that in all, so finishing shows that steady progress
// never times out. Prints the peak growth of the resident memory over the download.
#include "archive_service_process.h"
#include "core/account/account_state.h"
#include "core/async/spawn.h"
#include "core/async/timing.h"
#include "core/workspace/save_dialog.h"

#include <benchmark/benchmark.h>
#include <glib.h>
#include <glib/gstdio.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <stdexcept>
#include <string>

namespace {

using Clock = std::chrono::steady_clock;

constexpr long archiveMegabytes = 50;
constexpr const char* chunkKilobytes = "256";
constexpr const char* chunkIntervalMs = "10";

// Answers the save panel with a file in a private folder.
class FixedSaveDialog : public vesk::SaveDialog {
 public:
  FixedSaveDialog() {
    char* folder = g_dir_make_tmp("vesk-bench-XXXXXX", nullptr);
    folder_ = folder;
    g_free(folder);
  }
  ~FixedSaveDialog() override {
    g_unlink(path().c_str());
    g_rmdir(folder_.c_str());
  }
  std::string path() const { return folder_ + "/Vesk audits.zip"; }
  vesk::async::Task<std::optional<std::string>> choosePdfDestination(std::string) override { co_return std::nullopt; }
  vesk::async::Task<std::optional<std::string>> chooseDestination(std::string, vesk::SavedFileKind) override {
    co_return path();
  }

 private:
  std::string folder_;
};

std::size_t residentBytes() {
  std::ifstream statm("/proc/self/statm");
  std::size_t size = 0;
  std::size_t resident = 0;
  statm >> size >> resident;
  return resident * static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
}

struct Download {
  std::size_t peakGrowth = 0;  // bytes
  double seconds = 0;
};

// Runs the main loop until `task` ends, sampling the resident memory every 2 ms: the
// highest growth over what was resident before, and how long it took.
Download download(const vesk::async::TaskRef& task) {
  const auto started = Clock::now();
  struct Peak {
    std::size_t baseline = residentBytes();
    std::size_t highest = 0;
    void sample() { highest = std::max(highest, residentBytes()); }
  } peak;
  const guint timer = g_timeout_add(
      2,
      [](gpointer data) -> gboolean {
        static_cast<Peak*>(data)->sample();
        return G_SOURCE_CONTINUE;
      },
      &peak);
  while (!task.isDone()) g_main_context_iteration(nullptr, TRUE);
  g_source_remove(timer);
  peak.sample();
  return {peak.highest > peak.baseline ? peak.highest - peak.baseline : 0,
          std::chrono::duration<double>(Clock::now() - started).count()};
}

template <class Run>
void measure(benchmark::State& state, Run run) {
  const vesk::async::ScopedTimeScale idleLimitOfOneSecond(1.0 / 150);
  Download measured;
  for (auto _ : state) {
    const vesk::bench::ArchiveServiceProcess service(archiveMegabytes, chunkKilobytes, chunkIntervalMs);
    measured = run(service.api());
  }
  state.counters["archive_MB"] = static_cast<double>(archiveMegabytes);
  state.counters["download_s"] = measured.seconds;
  state.counters["idle_limit_s"] = 1;
  state.counters["peak_memory_growth_MB"] = static_cast<double>(measured.peakGrowth) / (1024.0 * 1024.0);
}

void BM_AccountArchive_StreamedToAFile(benchmark::State& state) {
  measure(state, [&](const vesk::DesktopAPI& api) {
    auto account = vesk::AccountState::create();
    auto bound = vesk::async::spawn(account->bind(api, vesk::AccountState::Connected::yes));
    while (!bound.isDone()) g_main_context_iteration(nullptr, TRUE);
    if (!account->snapshot->has_value()) throw std::runtime_error("the settings did not load");
    const auto dialog = std::make_shared<FixedSaveDialog>();
    auto exporting = vesk::async::spawn(account->exportArchive(api, dialog));
    const auto measured = download(exporting);
    if (*account->feedback != std::optional<std::string>("Archive saved.")) {
      state.SkipWithError(account->error->value_or("the archive was not saved").c_str());
    }
    return measured;
  });
}

void BM_AccountArchive_HeldInMemory(benchmark::State& state) {
  measure(state, [&](const vesk::DesktopAPI& api) {
    auto reading = vesk::async::spawn(api.raw("settings/export", std::nullopt, std::nullopt, vesk::Auth::bearer));
    const auto measured = download(reading);
    benchmark::DoNotOptimize(reading.result().size());
    return measured;
  });
}

}  // namespace

BENCHMARK(BM_AccountArchive_StreamedToAFile)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);
BENCHMARK(BM_AccountArchive_HeldInMemory)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

// What a hostile or slow reply costs the client. A gzip bomb: about 1.5 MB on the wire
// that would expand to 1.5 GB, sent as the reply of "me", whose limit is 1 MiB; prints
// the rise of the peak resident size against that limit. A run's PDF of 50 MB arriving
// slowly in chunks, and one of 2 GB arriving at once, streamed to a spool file and copied
// to its destination as the export does: prints the rise of the resident size (however
// large the PDF, it stays far below any reply limit) and the longest gap between ticks of
// a 1 ms timer on the main loop (target: under 16 ms, one frame). The PDF comes from a
// service in a process of its own, so only the client's memory is counted.
#include "archive_service_process.h"
#include "core/account/archive_spool.h"
#include "core/api/call_limits.h"
#include "core/api/desktop_api.h"
#include "core/async/spawn.h"
#include "fake_service/fake_service.h"

#include <benchmark/benchmark.h>
#include <gio/gio.h>
#include <glib/gstdio.h>

#include <algorithm>
#include <fstream>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr std::size_t bombExpandedBytes = 1500ul * 1024 * 1024;

// A gzip member of `expanded` spaces, compressed a mebibyte at a time so that the
// expanded text is never held.
std::string gzipBomb(std::size_t expanded) {
  GZlibCompressor* compressor = g_zlib_compressor_new(G_ZLIB_COMPRESSOR_FORMAT_GZIP, 9);
  const std::string piece(1024 * 1024, ' ');
  std::vector<char> out(64 * 1024);
  std::string member;
  for (std::size_t fed = 0; fed < expanded;) {
    const std::size_t size = std::min(piece.size(), expanded - fed);
    const bool last = fed + size == expanded;
    std::size_t consumed = 0;
    GConverterResult result = G_CONVERTER_CONVERTED;
    do {
      gsize read = 0;
      gsize written = 0;
      result =
          g_converter_convert(G_CONVERTER(compressor), piece.data() + consumed, size - consumed, out.data(), out.size(),
                              last ? G_CONVERTER_INPUT_AT_END : G_CONVERTER_NO_FLAGS, &read, &written, nullptr);
      consumed += read;
      member.append(out.data(), written);
    } while (result != G_CONVERTER_ERROR && (consumed < size || (last && result != G_CONVERTER_FINISHED)));
    fed += size;
  }
  g_object_unref(compressor);
  return member;
}

long statusKiB(const std::string& field) {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);)
    if (line.rfind(field + ":", 0) == 0) return std::stol(line.substr(field.size() + 1));
  return -1;
}

// Starts the peak resident size again from the current size; returns that size in KiB.
long resetPeak() {
  std::ofstream("/proc/self/clear_refs") << "5";
  return statusKiB("VmRSS");
}

struct Run {
  double peakGrowthMB = 0;
  double longestGapMs = 0;
};

// Runs the main loop until `task` ends, with a 1 ms timer whose longest gap is kept.
Run runWatched(const vesk::async::TaskRef& task) {
  const long baseline = resetPeak();
  struct Gaps {
    Clock::time_point last = Clock::now();
    Clock::duration longest{};
  } gaps;
  const guint timer = g_timeout_add(
      1,
      [](gpointer data) -> gboolean {
        auto* g = static_cast<Gaps*>(data);
        const auto now = Clock::now();
        g->longest = std::max(g->longest, now - g->last);
        g->last = now;
        return G_SOURCE_CONTINUE;
      },
      &gaps);
  while (!task.isDone()) g_main_context_iteration(nullptr, TRUE);
  g_source_remove(timer);
  return {static_cast<double>(statusKiB("VmHWM") - baseline) / 1024.0,
          std::chrono::duration<double, std::milli>(gaps.longest).count()};
}

void BM_GzipBombAsTheReplyOfMe(benchmark::State& state) {
  vesk::testing::FakeService service;
  vesk::testing::Reply bomb = vesk::testing::Reply::json(gzipBomb(bombExpandedBytes));
  bomb.headers.emplace_back("Content-Encoding", "gzip");
  const double wireMB = static_cast<double>(bomb.body.size()) / 1e6;
  service.reply("GET", "/api/desktop/me", std::move(bomb));
  const vesk::DesktopAPI api{service.origin(), "t"};
  Run run;
  bool refused = false;
  for (auto _ : state) {
    auto call = vesk::async::spawn(api.raw("me", std::nullopt, std::nullopt, vesk::Auth::bearer));
    run = runWatched(call);
    try {
      call.result();
    } catch (const vesk::ReplyTooLarge&) {
      refused = true;
    }
  }
  state.counters["wire_MB"] = wireMB;
  state.counters["expanded_MB"] = static_cast<double>(bombExpandedBytes) / 1e6;
  state.counters["limit_MB"] = static_cast<double>(vesk::CallLimits::forOperation("me", "GET").replyBytes) / 1e6;
  state.counters["peak_rss_growth_MB"] = run.peakGrowthMB;
  state.counters["refused"] = refused ? 1 : 0;
}

vesk::async::Task<void> exportLikeTheWorkspace(vesk::DesktopAPI api, std::string destination) {
  const vesk::ArchiveSpool spool;
  co_await api.downloadInto("runs/run_bench/pdf", spool.output(), vesk::Auth::bearer);
  co_await spool.saveAs(destination);
}

// Arguments: the PDF's size in MiB, its chunks in KiB and the pause between them in ms.
void BM_PdfExportStreamedToItsFile(benchmark::State& state) {
  const long megabytes = state.range(0);
  const std::string chunkKilobytes = std::to_string(state.range(1));
  const std::string intervalMs = std::to_string(state.range(2));
  char* folder = g_dir_make_tmp("vesk-bench-XXXXXX", nullptr);
  const std::string destination = std::string(folder) + "/report.pdf";
  Run run;
  for (auto _ : state) {
    const vesk::bench::ArchiveServiceProcess service(megabytes, chunkKilobytes.c_str(), intervalMs.c_str());
    auto exporting = vesk::async::spawn(exportLikeTheWorkspace(service.api(), destination));
    run = runWatched(exporting);
    exporting.result();
  }
  g_unlink(destination.c_str());
  g_rmdir(folder);
  g_free(folder);
  state.counters["pdf_MB"] = static_cast<double>(megabytes);
  state.counters["peak_rss_growth_MB"] = run.peakGrowthMB;
  state.counters["longest_main_loop_gap_ms"] = run.longestGapMs;
}

}  // namespace

BENCHMARK(BM_GzipBombAsTheReplyOfMe)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);
// 50 MB arriving slowly, and a 2 GB reply as fast as it comes.
BENCHMARK(BM_PdfExportStreamedToItsFile)
    ->Args({50, 256, 10})
    ->Args({2048, 1024, 0})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1);

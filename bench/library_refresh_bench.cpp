// Refreshing the project library against an archive of 5,000 runs served in 50 pages of
// 100 by the fake service on a thread of its own, with the project list beside it.
// Prints the time per refresh and the peak heap growth while it runs (sampled from the
// allocator every millisecond of the main loop and at the end; the service thread's own
// reply buffers are included, so the figure is an upper bound).
#include "core/library/project_library_state.h"
#include "core/workspace/save_dialog.h"
#include "fake_service/fake_service.h"
#include "support/no_save_dialog.h"
#include "support/threaded_fake_service.h"

#include <benchmark/benchmark.h>
#include <malloc.h>

#include <algorithm>
#include <future>
#include <memory>
#include <thread>

namespace {

constexpr int pageCount = 50;
constexpr int pageSize = 100;

// A report of about 2 KB, as a short quick read is.
std::string report(int run) {
  std::string text = "# Quick read · run " + std::to_string(run) + "\n\n";
  while (text.size() < 2048)
    text += "## Finding\n\nThe hero promises “a calmer checkout” but the first screen shows four calls to action. ";
  return text;
}

std::vector<std::string> archivePages() {
  std::vector<std::string> pages;
  for (int page = 0; page < pageCount; ++page) {
    nlohmann::json runs = nlohmann::json::array();
    for (int i = 0; i < pageSize; ++i) {
      const int run = page * pageSize + i;
      runs.push_back(vesk::SavedAudit("run_" + std::to_string(run), "project-" + std::to_string(run % 40),
                                      "Project " + std::to_string(run % 40), "complete", report(run), "quick",
                                      std::nullopt, "2024-05-01T10:00:00Z", false, "https://example.com", run, "vesk")
                         .toJson());
    }
    nlohmann::json body{{"runs", std::move(runs)}};
    if (page + 1 < pageCount) body["nextOffset"] = (page + 1) * pageSize;
    pages.push_back(body.dump());
  }
  return pages;
}

std::string projectList() {
  nlohmann::json projects = nlohmann::json::array();
  for (int p = 0; p < 40; ++p) projects.push_back({{"id", "project-" + std::to_string(p)}, {"name", "Project"}});
  return nlohmann::json{{"projects", std::move(projects)}}.dump();
}

// The fake service on its own thread and main context.
class LibraryService : public vesk::bench::ThreadedFakeService {
 public:
  explicit LibraryService(std::shared_ptr<const std::vector<std::string>> pages)
      : ThreadedFakeService([pages = std::move(pages)](vesk::testing::FakeService& service) {
          service.reply("GET", "/api/desktop/projects", vesk::testing::Reply::json(projectList()));
          service.on("GET", "/api/desktop/library", [pages](const vesk::testing::RecordedRequest& request) {
            const std::size_t offset = std::stoul(request.query->substr(request.query->rfind('=') + 1));
            return vesk::testing::Reply::json((*pages)[offset / pageSize]);
          });
        }) {}
};

std::size_t heapInUse() {
  const struct mallinfo2 info = mallinfo2();
  return info.uordblks + info.hblkhd;
}

// Runs the main loop until `task` ends; returns the highest heap use seen meanwhile.
std::size_t peakHeapWhile(const vesk::async::TaskRef& task) {
  std::size_t peak = heapInUse();
  const guint timer = g_timeout_add(
      1,
      [](gpointer data) -> gboolean {
        auto* highest = static_cast<std::size_t*>(data);
        *highest = std::max(*highest, heapInUse());
        return G_SOURCE_CONTINUE;
      },
      &peak);
  while (!task.isDone()) g_main_context_iteration(nullptr, TRUE);
  g_source_remove(timer);
  return std::max(peak, heapInUse());
}

void refreshArchive(benchmark::State& state) {
  auto pages = std::make_shared<const std::vector<std::string>>(archivePages());
  std::size_t archiveBytes = 0;
  for (const auto& page : *pages) archiveBytes += page.size();
  const LibraryService service(pages);
  const vesk::DesktopAPI api{service.origin(), "t"};
  std::size_t peakGrowth = 0;
  std::size_t runs = 0;
  for (auto _ : state) {
    auto library = std::make_unique<vesk::ProjectLibraryState>(std::make_shared<vesk::bench::NoSaveDialog>());
    const std::size_t before = heapInUse();
    const auto refreshed = library->configure(api, vesk::LibrarySource::service, {});
    const std::size_t peak = peakHeapWhile(refreshed);
    peakGrowth = std::max(peakGrowth, peak > before ? peak - before : 0);
    runs = library->runs->size();
    if (*library->error) state.SkipWithError(library->error->value().c_str());
  }
  state.counters["runs"] = static_cast<double>(runs);
  state.counters["pages"] = pageCount;
  state.counters["archive_MB"] = static_cast<double>(archiveBytes) / 1e6;
  state.counters["peak_heap_growth_MB"] = static_cast<double>(peakGrowth) / 1e6;
}

}  // namespace

BENCHMARK(refreshArchive)
    ->Name("library/refresh_5000_runs_in_50_pages")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(5);

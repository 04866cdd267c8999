// How long the main loop stalls while the workspace refreshes a library of about 5 MB:
// the reply is fetched and decoded, taken into the saved-run list, and the list written
// to disk. Prints the longest gap between ticks of a 1 ms timer on the main loop, from
// the refresh's start until the file is written (target: under 16 ms, one frame); and,
// for comparison, how long encoding and writing the list takes when done in one go.
//
// The workspace restores a session from the keyring, so this needs a Secret Service:
// scripts/bench runs it under a private one.
#include "core/records/json_fields.h"
#include "core/signin/session_keychain.h"
#include "core/workspace/saved_run_file.h"
#include "core/workspace/workspace.h"
#include "fake_service/fake_service.h"
#include "library_sample.h"
#include "support/threaded_fake_service.h"

#include <benchmark/benchmark.h>
#include <glib.h>

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <future>
#include <thread>

#include <unistd.h>

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
using vesk::testing::Reply;

// The fake service on a thread and main context of its own, so that only the client's
// work shows on the measured loop. Each "library" reply differs from the one before in
// its last run, so every refresh changes the list and writes it.
class LibraryService {
 public:
  const std::string& origin() const { return service_.origin(); }
  std::size_t replyBytes() const { return variants_[0].size(); }

 private:
  void serve(vesk::testing::FakeService& service) {
    vesk::bench::routeSignedInAccount(service);
    service.on("GET", "/api/desktop/library",
               [this](const vesk::testing::RecordedRequest&) { return Reply::json(variants_[served_++ % 2]); });
  }

  const std::array<std::string, 2> variants_ = {vesk::bench::libraryReply("complete"),
                                                vesk::bench::libraryReply("running")};
  std::atomic<int> served_ = 0;
  // Last: it answers from the replies above until it stops.
  vesk::bench::ThreadedFakeService service_{[this](vesk::testing::FakeService& service) { serve(service); }};
};

// Runs the main loop until `done()` and returns the longest gap between 1 ms ticks.
template <class Done>
std::chrono::microseconds longestGapUntil(Done done) {
  struct Ticks {
    Clock::time_point last = Clock::now();
    Clock::duration longest{};
  } ticks;
  const guint timer = g_timeout_add(
      1,
      [](gpointer data) -> gboolean {
        auto* t = static_cast<Ticks*>(data);
        const auto now = Clock::now();
        t->longest = std::max(t->longest, now - t->last);
        t->last = now;
        return G_SOURCE_CONTINUE;
      },
      &ticks);
  while (!done()) g_main_context_iteration(nullptr, TRUE);
  g_source_remove(timer);
  ticks.longest = std::max(ticks.longest, Clock::now() - ticks.last);
  return std::chrono::duration_cast<std::chrono::microseconds>(ticks.longest);
}

class TempFolder {
 public:
  TempFolder() : path_(std::filesystem::temp_directory_path() / ("vesk-bench-" + std::to_string(::getpid()))) {}
  ~TempFolder() {
    vesk::SavedRunWriter::finishAllWrites();
    std::filesystem::remove_all(path_);
  }
  std::string folder() const { return (path_ / "Vesk").string(); }

 private:
  std::filesystem::path path_;
};

// A workspace signed in to `service` through a session restored from the keyring, or
// nothing when no Secret Service keeps the session.
std::shared_ptr<vesk::Workspace> signedIn(const LibraryService& service, const TempFolder& folder,
                                          const std::shared_ptr<vesk::SessionKeychain>& keychain) {
  try {
    keychain->save(vesk::SessionRecord("bench-token", service.origin(), std::chrono::system_clock::now() + 1h));
  } catch (const std::exception&) {
    return nullptr;
  }
  vesk::Workspace::Environment environment;
  environment.serviceOrigin = service.origin();
  environment.supportFolder = folder.folder();
  environment.keychain = keychain;
  auto workspace = vesk::Workspace::create(std::move(environment), vesk::Workspace::SavedSession::restore);
  const auto deadline = Clock::now() + std::chrono::seconds(30);
  // The loads answer through the main loop; the first write of the list does not.
  while (*workspace->accountLoading && Clock::now() < deadline) g_main_context_iteration(nullptr, TRUE);
  vesk::SavedRunWriter::finishAllWrites();
  if (!workspace->account->has_value()) return nullptr;
  return workspace;
}

void refreshWithTheWrite(benchmark::State& state) {
  const LibraryService service;
  const TempFolder folder;
  const auto keychain = std::make_shared<vesk::SessionKeychain>("app.vesk.bench.library-refresh");
  const auto workspace = signedIn(service, folder, keychain);
  if (!workspace) {
    keychain->clear();
    state.SkipWithError("needs a Secret Service to keep the session: run scripts/bench");
    return;
  }
  std::chrono::microseconds longest{};
  for (auto _ : state) {
    auto task = vesk::async::spawn(workspace->refreshLibrary());
    longest = std::max(longest, longestGapUntil([&] { return task.isDone() && workspace->savedRunWriter().isIdle(); }));
  }
  keychain->clear();
  if (workspace->error->has_value()) state.SkipWithError(workspace->error->value().c_str());
  state.counters["reply_MB"] = static_cast<double>(service.replyBytes()) / 1e6;
  state.counters["longest_main_loop_gap_ms"] = static_cast<double>(longest.count()) / 1000.0;
}

// What opening a report costs the main loop when the account has 10,000 saved runs: the
// report's run moves to the front of the list, which is then handed to the writer. Each
// round opens another run from the list's far end; the write itself is not timed.
void openAReportAmongTenThousandRuns(benchmark::State& state) {
  const LibraryService service;
  const TempFolder folder;
  const auto keychain = std::make_shared<vesk::SessionKeychain>("app.vesk.bench.library-refresh");
  const auto workspace = signedIn(service, folder, keychain);
  keychain->clear();
  if (!workspace) {
    state.SkipWithError("needs a Secret Service to keep the session: run scripts/bench");
    return;
  }
  std::vector<vesk::SavedAudit> runs;
  for (int i = 0; i < 10000; ++i)
    runs.emplace_back("3f2b6a1e-8c1d-4b5e-9a7f-" + std::to_string(100000000000 + i), "p1", "Café Atlas", "complete",
                      vesk::SharedText(std::string(4096, 'x')), "full", false, "2024-05-01T10:00:00Z", false,
                      "https://example.com/page-" + std::to_string(i) + "\nMake sign-up calmer", i, "vesk");
  workspace->reports = std::move(runs);
  for (auto _ : state) {
    const vesk::SavedAudit run = workspace->reports->back();
    workspace->current = run;
    const auto start = Clock::now();
    workspace->acceptReport(run);
    state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
    vesk::SavedRunWriter::finishAllWrites();
  }
  if (workspace->reports->front().id == workspace->reports->back().id) state.SkipWithError("the run did not move");
}

// What the list's encoding and its write cost, as they once were on the main loop.
void encodeAndWriteTheList(benchmark::State& state) {
  const TempFolder folder;
  const vesk::SavedRunFile file(folder.folder());
  const auto runs =
      vesk::JsonFields(vesk::parseJsonDocument(vesk::bench::libraryReply()), "library").list<vesk::SavedAudit>("runs");
  for (auto _ : state) file.write(runs, vesk::SavedRunFile::List::live);
}

}  // namespace

BENCHMARK(refreshWithTheWrite)
    ->Name("library_refresh/with_the_write")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(10);
BENCHMARK(openAReportAmongTenThousandRuns)
    ->Name("saved_runs/open_a_report_among_10000")
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(20);
BENCHMARK(encodeAndWriteTheList)
    ->Name("library_refresh/encode_and_write_in_one_go")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

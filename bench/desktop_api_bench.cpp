// How long the main loop stalls while a multi-megabyte reply is fetched and decoded.
// The reply comes as a library page (the calls allowed the largest replies). The fake
// service runs on a thread of its own so that only the client's work shows.
// Prints the longest gap between ticks of a 1 ms timer on the main loop.
#include "core/api/desktop_api.h"
#include "core/async/spawn.h"
#include "fake_service/fake_service.h"
#include "support/threaded_fake_service.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <future>
#include <memory>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;
using vesk::Auth;

struct Row {
  std::string id;
  std::string title;
  double score = 0;
  std::vector<std::string> tags;
};

struct Rows {
  std::vector<Row> rows;

  static Rows fromJson(const nlohmann::json& json) {
    Rows result;
    for (const auto& item : json.at("rows"))
      result.rows.push_back({item.at("id").get<std::string>(), item.at("title").get<std::string>(),
                             item.at("score").get<double>(), item.at("tags").get<std::vector<std::string>>()});
    return result;
  }
};

std::string largeReply(std::size_t rows) {
  nlohmann::json list = nlohmann::json::array();
  for (std::size_t i = 0; i < rows; ++i)
    list.push_back({{"id", "run_" + std::to_string(i)},
                    {"title", "Checkout flow audit number " + std::to_string(i) + " with a longer title"},
                    {"score", 0.5 + static_cast<double>(i % 100) / 200.0},
                    {"tags", {"navigation", "contrast", "copy"}}});
  return nlohmann::json{{"rows", list}}.dump();
}

// The fake service on its own thread and main context.
class ServiceThread : public vesk::bench::ThreadedFakeService {
 public:
  explicit ServiceThread(std::string body)
      : ThreadedFakeService([body = std::move(body)](vesk::testing::FakeService& service) {
          service.reply("GET", "/api/desktop/library", vesk::testing::Reply::json(body));
        }) {}
};

// Runs the main loop until `task` ends and returns the longest gap between 1 ms ticks.
std::chrono::microseconds longestGapWhile(const vesk::async::TaskRef& task) {
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
  while (!task.isDone()) g_main_context_iteration(nullptr, TRUE);
  g_source_remove(timer);
  ticks.longest = std::max(ticks.longest, Clock::now() - ticks.last);
  return std::chrono::duration_cast<std::chrono::microseconds>(ticks.longest);
}

// Both hand the records on to the caller, as a state object would keep them.
vesk::async::Task<Rows> decodeOnMainLoop(vesk::DesktopAPI api) {
  const auto bytes = co_await api.raw("library", std::nullopt, std::nullopt, Auth::bearer);
  co_return Rows::fromJson(vesk::DesktopAPI::parseReply(bytes));
}

vesk::async::Task<Rows> decodeThroughRequest(vesk::DesktopAPI api) {
  co_return co_await api.request<Rows>("library", std::nullopt, Auth::bearer);
}

template <class Run>
void measure(benchmark::State& state, Run run) {
  const std::string body = largeReply(static_cast<std::size_t>(state.range(0)));
  const ServiceThread service(body);
  const vesk::DesktopAPI api{service.origin(), "t"};
  std::chrono::microseconds longest{};
  for (auto _ : state) {
    auto task = vesk::async::spawn(run(api));
    const auto gap = longestGapWhile(task);
    longest = std::max(longest, gap);
    benchmark::DoNotOptimize(task.result().rows.size());
  }
  state.counters["reply_MB"] = static_cast<double>(body.size()) / 1e6;
  state.counters["longest_main_loop_gap_ms"] = static_cast<double>(longest.count()) / 1000.0;
}

void BM_LargeReply_DecodedOffTheMainLoop(benchmark::State& state) { measure(state, decodeThroughRequest); }
void BM_LargeReply_DecodedOnTheMainLoop(benchmark::State& state) { measure(state, decodeOnMainLoop); }

}  // namespace

BENCHMARK(BM_LargeReply_DecodedOffTheMainLoop)
    ->Arg(60'000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(5);
BENCHMARK(BM_LargeReply_DecodedOnTheMainLoop)->Arg(60'000)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

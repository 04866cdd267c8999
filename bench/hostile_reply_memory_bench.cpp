// Peak memory of decoding a hostile 50 MB reply: arrays nested 25 million deep, and "[],"
// repeated. A document of such a reply took about 85 times its size; the client refuses
// both before building anything. Each decode runs in a child process whose peak resident
// size is reset first, so the figure is what the decode itself added.
#include "core/api/desktop_api.h"

#include <benchmark/benchmark.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <fstream>
#include <string>

namespace {

constexpr std::size_t replyBytes = 50'000'000;

std::string nestedArrays() { return std::string(replyBytes / 2, '[') + std::string(replyBytes / 2, ']'); }

std::string repeatedEmptyArrays() {
  std::string text = "[";
  text.reserve(replyBytes + 3);
  while (text.size() < replyBytes) text += "[],";
  text += "[]]";
  return text;
}

// A field of /proc/self/status in KiB, or -1.
long statusKiB(const std::string& field) {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);) {
    if (line.rfind(field + ":", 0) == 0) return std::stol(line.substr(field.size() + 1));
  }
  return -1;
}

struct Outcome {
  long peakDeltaKiB = -1;
  long refused = 0;
};

// Decodes the reply in a child process and reports the rise of its peak resident size.
Outcome decodeInChild(const std::string& reply) {
  std::array<int, 2> pipe{};
  if (::pipe(pipe.data()) != 0) return {};
  const pid_t child = fork();
  if (child == 0) {
    ::close(pipe[0]);
    std::ofstream("/proc/self/clear_refs") << "5";  // the peak starts again from the current size
    const long before = statusKiB("VmRSS");
    Outcome outcome;
    try {
      const auto document = vesk::DesktopAPI::parseReply(reply);
      benchmark::DoNotOptimize(document);
    } catch (const vesk::DecodingError&) {
      outcome.refused = 1;
    }
    outcome.peakDeltaKiB = statusKiB("VmHWM") - before;
    const bool written = ::write(pipe[1], &outcome, sizeof outcome) == static_cast<ssize_t>(sizeof outcome);
    _exit(written ? 0 : 1);
  }
  ::close(pipe[1]);
  Outcome outcome;
  if (child < 0 || ::read(pipe[0], &outcome, sizeof outcome) != static_cast<ssize_t>(sizeof outcome)) outcome = {};
  ::close(pipe[0]);
  if (child > 0) waitpid(child, nullptr, 0);
  return outcome;
}

void measure(benchmark::State& state, const std::string& reply) {
  Outcome outcome;
  for (auto _ : state) outcome = decodeInChild(reply);
  state.counters["reply_MB"] = static_cast<double>(reply.size()) / 1e6;
  state.counters["peak_rss_delta_MB"] = static_cast<double>(outcome.peakDeltaKiB) * 1024 / 1e6;
  state.counters["refused"] = static_cast<double>(outcome.refused);
}

void nestedReply(benchmark::State& state) { measure(state, nestedArrays()); }
void emptyArraysReply(benchmark::State& state) { measure(state, repeatedEmptyArrays()); }

}  // namespace

BENCHMARK(nestedReply)->Name("hostile_reply/nested_arrays")->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(emptyArraysReply)->Name("hostile_reply/repeated_empty_arrays")->Unit(benchmark::kMillisecond)->Iterations(1);

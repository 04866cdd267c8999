// Finding the URLs of an audit in a long brief, as the composer does on every change.
#include "core/input/audit_url_rules.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

// About 100 KB of prose with 200 URLs: links with paths and trailing punctuation, and
// bare domains, some in brackets.
std::string longBrief() {
  const std::string prose =
      "The onboarding flow feels slow and the pricing table is hard to scan on small screens; "
      "users mention e.g. version 2.0 and readme.txt in their notes, and write to team@example.org. ";
  std::string brief;
  for (int i = 0; i < 200; ++i) {
    brief += prose;
    while (brief.size() < static_cast<std::size_t>(i + 1) * 500) brief += "Another sentence about layout. ";
    if (i % 2 == 0) {
      brief += "See https://site" + std::to_string(i) + ".example.com/page?id=" + std::to_string(i) + ". ";
    } else {
      brief += "(shop" + std::to_string(i) + ".design/landing), ";
    }
  }
  return brief;
}

void auditSourceURLsOverALongBrief(benchmark::State& state) {
  const std::string brief = longBrief();
  std::size_t found = 0;
  for (auto _ : state) {
    const auto urls = vesk::auditSourceURLs("https://example.com", brief, 1000);
    found = urls.size();
    benchmark::DoNotOptimize(urls.data());
  }
  state.counters["brief_KB"] = static_cast<double>(brief.size()) / 1000.0;
  state.counters["urls"] = static_cast<double>(found);
}
BENCHMARK(auditSourceURLsOverALongBrief)->Unit(benchmark::kMillisecond);

}  // namespace

// Finding the URLs of an audit in a long brief, as the composer does on every change.
#include "core/input/audit_url_rules.h"
#include "core/records/vesk_error.h"

#include <benchmark/benchmark.h>

#include <cstdint>
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

std::string repeated(const std::string& piece, std::size_t bytes) {
  std::string text;
  text.reserve(bytes + piece.size());
  while (text.size() < bytes) text += piece;
  return text;
}

// About 1 MB of a pasted text made to be hard on a backtracking search: one run of
// dotted labels, runs of the longest labels, labels too long or ending in a hyphen,
// many short candidates, one domain repeated all through, a long link, and many
// different domains (over the cap).
std::string hostileBrief(std::int64_t kind) {
  constexpr std::size_t size = 1000000;
  switch (kind) {
    case 0: return repeated("a.", size) + "com";
    case 1: return repeated(std::string(63, 'b') + ".", size) + "io";
    case 2: return repeated(std::string(64, 'c') + ".", size) + "com";
    case 3: return repeated("e-.", size) + "io";
    case 4: return repeated("(x.zz", size);
    case 5: return repeated(" a.b.c.io", size);
    case 6: return repeated("(s.a.com)(t.b.io)", size / 2) + " https://" + repeated("h.", size / 2);
    default: {
      std::string domains;
      for (int i = 0; domains.size() < size; ++i) domains += "(s" + std::to_string(i) + ".a.com)";
      return domains;
    }
  }
}

// The time the composer's URL rule takes over each brief (well under a second is the
// aim); "urls" is -1 where the rule fails with the cap's sentence.
void auditSourceURLsOverAHostileBrief(benchmark::State& state) {
  const std::string brief = hostileBrief(state.range(0));
  double found = 0;
  for (auto _ : state) {
    try {
      const auto urls = vesk::auditSourceURLs("", brief, 5);
      found = static_cast<double>(urls.size());
      benchmark::DoNotOptimize(urls.data());
    } catch (const vesk::VeskError&) {
      found = -1;
    }
  }
  state.counters["brief_KB"] = static_cast<double>(brief.size()) / 1000.0;
  state.counters["urls"] = found;
}
BENCHMARK(auditSourceURLsOverAHostileBrief)->DenseRange(0, 7)->Unit(benchmark::kMillisecond);

}  // namespace

// Decoding a "library" reply of 100 saved runs whose reports total about 5 MB: a plain
// parse of the bytes beside the strict decode (parse, then every run into SavedAudit).
// The strict decode should cost at most 1.3 times the plain parse.
#include "core/records/json_fields.h"
#include "core/records/run_records.h"
#include "library_sample.h"

#include <benchmark/benchmark.h>
#include <nlohmann/json.hpp>

#include <string>

namespace {

const std::string& libraryReply() {
  static const std::string bytes = vesk::bench::libraryReply();
  return bytes;
}

void plainParse(benchmark::State& state) {
  const std::string& bytes = libraryReply();
  for (auto _ : state) {
    nlohmann::json document = nlohmann::json::parse(bytes);
    benchmark::DoNotOptimize(document);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
  state.counters["reply_MB"] = static_cast<double>(bytes.size()) / 1e6;
}

void strictDecode(benchmark::State& state) {
  const std::string& bytes = libraryReply();
  for (auto _ : state) {
    std::vector<vesk::SavedAudit> runs =
        vesk::JsonFields(vesk::parseJsonDocument(bytes), "library").list<vesk::SavedAudit>("runs");
    benchmark::DoNotOptimize(runs);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}

// The same decode from a document kept const, which copies every text: shows what moving saves.
void strictDecodeCopying(benchmark::State& state) {
  const std::string& bytes = libraryReply();
  for (auto _ : state) {
    const nlohmann::json document = vesk::parseJsonDocument(bytes);
    std::vector<vesk::SavedAudit> runs = vesk::JsonFields(document, "library").list<vesk::SavedAudit>("runs");
    benchmark::DoNotOptimize(runs);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}

}  // namespace

BENCHMARK(plainParse)->Name("library_reply/plain_parse")->Unit(benchmark::kMillisecond);
BENCHMARK(strictDecode)->Name("library_reply/strict_decode")->Unit(benchmark::kMillisecond);
BENCHMARK(strictDecodeCopying)->Name("library_reply/strict_decode_copying")->Unit(benchmark::kMillisecond);

#include "demo_service/demo_timeline.h"

#include <algorithm>
#include <cmath>

namespace vesk::demo {

namespace {

constexpr double seatingEnd = 0.1;
constexpr double lensesEnd = 0.8;

// Lenses finished at fraction f of the run, while the lenses are read one after another.
std::size_t lensesDone(double f) {
  const auto count = demoLenses().size();
  if (f < seatingEnd) return 0;
  if (f >= lensesEnd) return count;
  return std::min(count, static_cast<std::size_t>((f - seatingEnd) / (lensesEnd - seatingEnd) * double(count)));
}

}  // namespace

const std::vector<DemoLens>& demoLenses() {
  static const std::vector<DemoLens> lenses = {
      {"clarity", "Clarity & copy"},          {"visual", "Visual craft"},      {"flow", "Flow & navigation"},
      {"trust", "Trust & credibility"},       {"access", "Accessibility"},     {"conversion", "Conversion"},
      {"structure", "Information structure"}, {"mobile", "Mobile experience"},
  };
  return lenses;
}

std::chrono::milliseconds DemoTimeline::duration(const std::string& mode) const {
  const double seconds = mode == "full" ? 90.0 : mode == "quick" ? 15.0 : 0.0;
  return std::chrono::milliseconds(static_cast<std::int64_t>(std::llround(seconds * pace_ * 1000.0)));
}

double DemoTimeline::fraction(const DemoRun& run, Clock::time_point now) const {
  if (!run.startedAt) return 0;
  const auto total = duration(run.mode);
  if (total.count() <= 0) return 1;
  const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(now - *run.startedAt);
  return std::max(0.0, double(elapsed.count()) / double(total.count()));
}

bool DemoTimeline::isDue(const DemoRun& run, Clock::time_point now) const {
  if (run.status != "running") return false;
  return fraction(run, now) >= (run.scriptedFailure ? failurePoint : 1.0);
}

nlohmann::json DemoTimeline::progress(const DemoRun& run, Clock::time_point now) const {
  nlohmann::json snapshot = {{"phase", "reading"}, {"total", 0}, {"done", 0}, {"lenses", nlohmann::json::array()}};
  if (run.auditStartedAt) snapshot["auditStartedAt"] = *run.auditStartedAt;
  if (run.mode != "full") return snapshot;
  const auto& lenses = demoLenses();
  snapshot["total"] = lenses.size();
  // Before the answers arrive (the watcher may read while they are on their way) the
  // audit is still understanding its goals.
  const double f = run.status == "complete" ? 1.0 : std::min(fraction(run, now), 1.0);
  const bool failed = run.status == "failed";
  const std::size_t done = lensesDone(failed ? failurePoint : f);
  snapshot["done"] = done;
  if (failed) {
    snapshot["phase"] = "failed";
  } else if (run.status == "complete") {
    snapshot["phase"] = "done";
  } else {
    snapshot["phase"] = f < seatingEnd ? "seating" : f < lensesEnd ? "lenses" : "writing";
  }
  for (std::size_t i = 0; i < lenses.size(); ++i) {
    std::string status = i < done                         ? "complete"
                         : failed                         ? "failed"
                         : (i == done && f >= seatingEnd) ? "running"
                                                          : "queued";
    snapshot["lenses"].push_back({{"id", lenses[i].id}, {"name", lenses[i].name}, {"status", status}});
  }
  return snapshot;
}

}  // namespace vesk::demo

#pragma once
// How a run moves on once its answers have arrived: a quick read finishes after 15
// seconds, a full audit passes its phases and eight lenses over 90 seconds, both times
// the pace factor. The scripted failure stops a full audit a little past half-way.
#include "demo_service/demo_state.h"

#include <nlohmann/json.hpp>

#include <chrono>
#include <string>
#include <vector>

namespace vesk::demo {

struct DemoLens {
  std::string id;
  std::string name;
};

// The eight perspectives of a full audit, in the order they report.
const std::vector<DemoLens>& demoLenses();

class DemoTimeline {
 public:
  explicit DemoTimeline(double pace) : pace_(pace) {}

  std::chrono::milliseconds duration(const std::string& mode) const;
  // How far the run has come, from 0 (its answers arrived) to 1 (due to end).
  double fraction(const DemoRun& run, Clock::time_point now) const;
  // The run has reached its end: complete, or failed for the scripted failure.
  bool isDue(const DemoRun& run, Clock::time_point now) const;
  // Where a scripted failure ends a full audit.
  static constexpr double failurePoint = 0.55;
  // The reply of GET "runs/<id>/lenses".
  nlohmann::json progress(const DemoRun& run, Clock::time_point now) const;

 private:
  double pace_;
};

}  // namespace vesk::demo

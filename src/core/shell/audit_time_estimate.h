#pragma once
// How far a full audit has probably come and how long it probably has left, from the
// time it has run and the time it has spent in its current server phase. It models an
// audit of eleven minutes; a pure computation, asked again on every tick of the live
// progress view.
#include <string>

namespace vesk {

struct AuditTimeEstimate {
  // 0...98 while the audit runs; 100 in the phase "done".
  int percent = 0;
  // The remaining-time sentence.
  std::string label;

  // Seconds since the audit started and since its phase last changed; negative and
  // undefined values count as 0. Never fails.
  static AuditTimeEstimate make(double elapsed, double phaseElapsed, const std::string& phase);

  bool operator==(const AuditTimeEstimate&) const = default;
};

}  // namespace vesk

#pragma once
// The moment a full audit started, as the service writes it: an internet date and time
// ("2026-03-01T09:30:00Z", "2026-03-01T09:30:00.250+01:00"), with or without fractional
// seconds and always with its offset from UTC. Anything else reads as no date.
//
// Any year from 1 to 9999 can be written there, and the system clock's nanosecond count
// holds only about 292 years either side of 1970. The moment is therefore kept to the
// microsecond, whose count spans every such year many times over, and elapsed times are
// measured in that unit.
#include <chrono>
#include <optional>
#include <string_view>

namespace vesk {

using AuditStartTime = std::chrono::sys_time<std::chrono::microseconds>;

std::optional<AuditStartTime> readAuditStartTime(std::string_view text);

// Seconds from `from` to `to`, negative when `to` comes first; free of overflow for any
// two moments of the years 1 to 9999.
double secondsBetween(AuditStartTime from, AuditStartTime to);

}  // namespace vesk

#pragma once
// The moment a full audit started, as the service writes it: an internet date and time
// ("2026-03-01T09:30:00Z", "2026-03-01T09:30:00.250+01:00"), with or without fractional
// seconds and always with its offset from UTC. Anything else reads as no date.
#include <chrono>
#include <optional>
#include <string_view>

namespace vesk {

std::optional<std::chrono::system_clock::time_point> readAuditStartTime(std::string_view text);

}  // namespace vesk

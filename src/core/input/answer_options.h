#pragma once
// The answers a discovery question offers, as the discovery screen shows them.
#include "core/records/audit_records.h"

#include <string>
#include <vector>

namespace vesk {

// The options without repeats: each text where it first occurs (canonical equivalence).
std::vector<std::string> uniqueOptions(const DiscoveryQuestion& question);

}  // namespace vesk

#pragma once
// How far a running full audit has come, as the service reports it. Only ever decoded.
#include <nlohmann/json.hpp>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vesk {

struct AuditProgressSnapshot {
  // One expert perspective of the audit; id is its identity in lists.
  struct Lens {
    std::string id;
    std::string name;
    std::string status;  // "complete", "failed" or anything else the service says

    static Lens fromJson(const nlohmann::json& value);
    static Lens fromJson(nlohmann::json&& value);
    bool operator==(const Lens& other) const = default;
  };

  std::string phase;
  std::int64_t total = 0;
  std::int64_t done = 0;
  std::optional<std::string> auditStartedAt;  // ISO 8601 text as the service sent it
  std::vector<Lens> lenses;                   // in the service's order; may be empty

  static AuditProgressSnapshot fromJson(const nlohmann::json& value);
  static AuditProgressSnapshot fromJson(nlohmann::json&& value);
  bool operator==(const AuditProgressSnapshot& other) const = default;

  // The headline of the progress screen.
  std::string phrase() const;
};

}  // namespace vesk

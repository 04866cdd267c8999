#pragma once
// The runs the client keeps and the service reports.
//
// Every record decodes strictly (see json_fields.h): fromJson() throws vesk::DecodingError.
// Each fromJson() has an rvalue overload that moves texts out of the parsed document.
// Records that the client writes have toJson(), which leaves absent members out.
// Members are in the order of their JSON form; the constructor takes them in that order.
#include "core/records/audit_records.h"
#include "core/text/shared_text.h"

#include <nlohmann/json.hpp>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vesk {

// One run as the client keeps it: in the saved-run list, as the open run and on disk.
// Its identity is id.
struct SavedAudit {
  std::string id;
  std::string projectId;
  std::string projectName;
  std::string status;
  SharedText output;  // the report as Markdown; empty until there is one. Copies share it.
  std::optional<std::string> auditMode;
  std::optional<bool> fixture;
  std::optional<std::string> createdAt;
  std::optional<bool> partial;
  std::optional<std::string> input;
  std::optional<std::int64_t> runNumber;
  std::optional<std::string> agent;

  SavedAudit() = default;
  SavedAudit(std::string id, std::string projectId, std::string projectName, std::string status, SharedText output,
             std::optional<std::string> auditMode = std::nullopt, std::optional<bool> fixture = std::nullopt,
             std::optional<std::string> createdAt = std::nullopt, std::optional<bool> partial = std::nullopt,
             std::optional<std::string> input = std::nullopt, std::optional<std::int64_t> runNumber = std::nullopt,
             std::optional<std::string> agent = std::nullopt);

  static SavedAudit fromJson(const nlohmann::json& value);
  static SavedAudit fromJson(nlohmann::json&& value);
  nlohmann::json toJson() const;
  // The same with an empty "output", for writers that give the report text on its own.
  nlohmann::json toJsonLeavingOutputEmpty() const;
  // All twelve members; texts by canonical equivalence. Two values of one run with
  // different statuses or outputs differ.
  bool operator==(const SavedAudit& other) const;
};

// A run as the service reports it when it is created or read. Only ever received.
struct RunState {
  std::string id;
  std::string status;
  SharedText output;
  std::vector<DiscoveryQuestion> questions;  // the key is required, empty when none
  std::optional<bool> refundConfirmed;
  std::optional<std::string> auditMode;
  std::optional<bool> retryable;
  std::optional<bool> partial;
  std::optional<std::string> agent;

  RunState() = default;
  RunState(std::string id, std::string status, SharedText output, std::vector<DiscoveryQuestion> questions,
           std::optional<bool> refundConfirmed = std::nullopt, std::optional<std::string> auditMode = std::nullopt,
           std::optional<bool> retryable = std::nullopt, std::optional<bool> partial = std::nullopt,
           std::optional<std::string> agent = std::nullopt);

  static RunState fromJson(const nlohmann::json& value);
  static RunState fromJson(nlohmann::json&& value);
  bool operator==(const RunState& other) const = default;
};

}  // namespace vesk

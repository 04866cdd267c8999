#pragma once
// What the service says about the user's project library and about earlier full audits a
// new audit can be compared with. Only ever received; toJson() mirrors the decoding.
//
// Decoding is strict (see json_fields.h). Equality takes in every member in order, texts by
// canonical equivalence, nested records member by member; absent never equals present.
#include <nlohmann/json.hpp>

#include <cstdint>
#include <optional>
#include <string>

namespace vesk {

// A project's anchor file as the service describes it.
struct LibraryAnchor {
  std::string filename;
  std::string mediaType;
  std::optional<std::int64_t> sizeBytes;
  std::optional<std::string> url;

  LibraryAnchor() = default;
  LibraryAnchor(std::string filename, std::string mediaType, std::optional<std::int64_t> sizeBytes = std::nullopt,
                std::optional<std::string> url = std::nullopt);

  static LibraryAnchor fromJson(const nlohmann::json& value);
  static LibraryAnchor fromJson(nlohmann::json&& value);
  nlohmann::json toJson() const;
  bool operator==(const LibraryAnchor& other) const;
};

// The service's fetch result for a project's reference URL. A record with every member
// absent is still a present record.
struct LibraryContextURLMeta {
  std::optional<std::string> title;
  std::optional<std::int64_t> sizeBytes;
  std::optional<std::string> error;

  LibraryContextURLMeta() = default;
  LibraryContextURLMeta(std::optional<std::string> title, std::optional<std::int64_t> sizeBytes,
                        std::optional<std::string> error);

  static LibraryContextURLMeta fromJson(const nlohmann::json& value);
  static LibraryContextURLMeta fromJson(nlohmann::json&& value);
  nlohmann::json toJson() const;
  bool operator==(const LibraryContextURLMeta& other) const;
};

// A summary of a project's latest run.
struct LibraryLastRun {
  std::string id;
  std::string agent;
  std::optional<std::string> auditMode;
  std::optional<std::string> createdAt;

  LibraryLastRun() = default;
  LibraryLastRun(std::string id, std::string agent, std::optional<std::string> auditMode = std::nullopt,
                 std::optional<std::string> createdAt = std::nullopt);

  static LibraryLastRun fromJson(const nlohmann::json& value);
  static LibraryLastRun fromJson(nlohmann::json&& value);
  nlohmann::json toJson() const;
  bool operator==(const LibraryLastRun& other) const;
};

// One project of the user's library. Its identity is id.
struct LibraryProject {
  std::string id;
  std::string name;
  std::optional<std::string> brief;
  std::optional<std::string> kind;
  std::optional<std::string> intent;
  std::optional<std::string> createdAt;
  std::optional<std::string> lastActivity;
  std::optional<std::int64_t> runCount;
  std::optional<std::string> contextUrl;
  std::optional<LibraryAnchor> contextAttachment;
  std::optional<LibraryContextURLMeta> contextUrlMeta;
  std::optional<std::string> lastAgent;
  std::optional<std::string> lastAuditMode;
  std::optional<LibraryLastRun> lastRun;

  LibraryProject() = default;
  LibraryProject(std::string id, std::string name, std::optional<std::string> brief = std::nullopt,
                 std::optional<std::string> kind = std::nullopt, std::optional<std::string> intent = std::nullopt,
                 std::optional<std::string> createdAt = std::nullopt,
                 std::optional<std::string> lastActivity = std::nullopt,
                 std::optional<std::int64_t> runCount = std::nullopt,
                 std::optional<std::string> contextUrl = std::nullopt,
                 std::optional<LibraryAnchor> contextAttachment = std::nullopt,
                 std::optional<LibraryContextURLMeta> contextUrlMeta = std::nullopt,
                 std::optional<std::string> lastAgent = std::nullopt,
                 std::optional<std::string> lastAuditMode = std::nullopt,
                 std::optional<LibraryLastRun> lastRun = std::nullopt);

  static LibraryProject fromJson(const nlohmann::json& value);
  static LibraryProject fromJson(nlohmann::json&& value);
  nlohmann::json toJson() const;
  // All fourteen members, not only id: run counts and activity times count.
  bool operator==(const LibraryProject& other) const;
};

// A completed full audit offered as the baseline of a re-audit. Its identity is id.
struct ReportBaseline {
  std::string id;
  std::string createdAt;  // ISO 8601; the first ten characters are the calendar date
  std::string subject;    // the run's title; may be empty

  ReportBaseline() = default;
  ReportBaseline(std::string id, std::string createdAt, std::string subject);

  static ReportBaseline fromJson(const nlohmann::json& value);
  static ReportBaseline fromJson(nlohmann::json&& value);
  nlohmann::json toJson() const;
  bool operator==(const ReportBaseline& other) const;
};

}  // namespace vesk

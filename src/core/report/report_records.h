#pragma once
// The records the report reader decodes from the service. Decoding is strict (see
// json_fields.h): fromJson() throws vesk::DecodingError; keys nobody asks for are ignored.
#include "core/records/library_records.h"
#include "core/records/run_records.h"

#include <nlohmann/json.hpp>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vesk {

// One source address of a run, as the service archived it.
struct ReportSourceURL {
  std::string url;
  std::optional<std::string> title;
  std::optional<std::string> source;  // where the page came from; provenance for the reader page
  std::optional<std::string> note;
  std::optional<std::string> error;      // why the page failed to load
  std::optional<std::string> canonical;  // the address actually fetched
  std::optional<std::int64_t> sizeBytes;
  std::optional<std::string> screenshotError;
  std::optional<std::string> screenshotUrl;  // present when a screenshot can be previewed

  static ReportSourceURL fromJson(const nlohmann::json& value);
  bool operator==(const ReportSourceURL& other) const = default;
};

// One attached file of a run.
struct ReportSourceAttachment {
  std::string filename;
  std::string mediaType;  // "image/…" types can be previewed
  std::optional<std::int64_t> sizeBytes;
  std::optional<std::string> url;

  static ReportSourceAttachment fromJson(const nlohmann::json& value);
  bool operator==(const ReportSourceAttachment& other) const = default;
};

// A run as a discussion question creates it, or as the run a report was derived from is read.
struct ReportCreatedRun {
  std::string id;
  std::string status;
  std::string output;
  std::optional<std::string> auditMode;
  std::optional<bool> partial;
  std::optional<std::string> input;
  std::optional<std::string> createdAt;
  std::optional<std::int64_t> runNumber;

  static ReportCreatedRun fromJson(const nlohmann::json& value);
  // The run as the client keeps it: in the project of `openRun` (the run open when the
  // operation started), never a sample, made by the product's own agent.
  SavedAudit savedIn(const SavedAudit& openRun) const;
  bool operator==(const ReportCreatedRun& other) const = default;
};

// The run's current share link, if it has one ("slug" absent or null: no link).
struct ReportShareState {
  std::optional<std::string> slug;
  static ReportShareState fromJson(const nlohmann::json& value);
  bool operator==(const ReportShareState& other) const = default;
};

// A newly created share link.
struct ReportCreatedShare {
  std::string slug;
  static ReportCreatedShare fromJson(const nlohmann::json& value);
  bool operator==(const ReportCreatedShare& other) const = default;
};

// The earlier full audits of a project that a comparison can start from.
struct ReportBaselineChoices {
  std::vector<ReportBaseline> audits;
  static ReportBaselineChoices fromJson(const nlohmann::json& value);
  bool operator==(const ReportBaselineChoices& other) const = default;
};

}  // namespace vesk

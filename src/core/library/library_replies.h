#pragma once
// The replies of the library's service calls, one record per call, grouped by the
// operation that reads them. Decoding is strict (see json_fields.h): a required key that
// is missing, null or of another type fails the whole reply; other keys are ignored.
#include "core/records/library_records.h"
#include "core/records/run_records.h"

#include <nlohmann/json.hpp>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vesk {

// Read by the library's refresh.
namespace refresh_reply {

// GET "projects": every project of the account, in the service's order.
struct Projects {
  std::vector<LibraryProject> projects;

  static Projects fromJson(const nlohmann::json& value);
  static Projects fromJson(nlohmann::json&& value);
  bool operator==(const Projects& other) const = default;
};

// GET "library?limit=100&offset=<n>": one page of the run archive. nextOffset is where
// the next page starts; absent (or null) on the last page, else a whole number.
struct History {
  std::vector<SavedAudit> runs;
  std::optional<std::int64_t> nextOffset;

  static History fromJson(const nlohmann::json& value);
  static History fromJson(nlohmann::json&& value);
  bool operator==(const History& other) const = default;
};

}  // namespace refresh_reply

// Read when a project is opened.
namespace open_reply {

// GET "projects/<id>": the full record of one project.
struct Detail {
  LibraryProject project;

  static Detail fromJson(const nlohmann::json& value);
  static Detail fromJson(nlohmann::json&& value);
  bool operator==(const Detail& other) const = default;
};

// GET "projects/<id>/runs": all runs of the project, in the service's order. The list is
// not paged, so a "nextOffset" in it means nothing and is ignored.
struct History {
  std::vector<SavedAudit> runs;

  static History fromJson(const nlohmann::json& value);
  static History fromJson(nlohmann::json&& value);
  bool operator==(const History& other) const = default;
};

}  // namespace open_reply

// Read when a project is saved.
namespace save_reply {

// POST "projects": the id the service gave the new project.
struct Created {
  std::string id;

  static Created fromJson(const nlohmann::json& value);
  static Created fromJson(nlohmann::json&& value);
  bool operator==(const Created& other) const = default;
};

// GET "projects/<id>" after a save: the project as the service now stores it. Same shape
// as open_reply::Detail, decoded by the same routine.
struct Canonical {
  LibraryProject project;

  static Canonical fromJson(const nlohmann::json& value);
  static Canonical fromJson(nlohmann::json&& value);
  bool operator==(const Canonical& other) const = default;
};

}  // namespace save_reply

}  // namespace vesk

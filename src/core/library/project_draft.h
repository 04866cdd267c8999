#pragma once
// The editable copy of a project that the project editor changes and the library saves.
// It never holds the saved anchor file itself, only a change to it: a replacement to
// upload or the removal of the saved one.
#include "core/records/audit_records.h"
#include "core/records/library_records.h"

#include <nlohmann/json.hpp>

#include <optional>
#include <string>

namespace vesk {

struct ProjectDraft {
  std::string name;
  std::string brief;                           // empty when none
  std::string kind = "landing";                // "landing", "dashboard", or empty for no type
  std::string intent = "redesign";             // "redesign" or "new"
  std::string contextURL;                      // the reference URL as typed; empty when none
  std::optional<AuditAttachment> replacement;  // a new anchor file to upload at the next save
  bool removeAnchor = false;                   // the saved anchor goes at the next save

  // The draft of a new project: a website to redesign, everything else empty.
  ProjectDraft() = default;
  // The draft of an existing project: its own values, with no type chosen when it has
  // none and "redesign" when it states no intent.
  explicit ProjectDraft(const LibraryProject& project);

  // Whether a body is for a new project (every field) or an edit (only the changes).
  enum class Purpose { create, edit };

  // The body of POST "projects" or PATCH "projects/<id>". For an edit, `original` is the
  // project as last received and only what differs from it goes in (a cleared type as
  // null, a cleared URL as "removeContextUrl"); an edit that changes nothing gives an
  // empty object. Checks the name, the brief, the reference URL and the anchor's type, in
  // that order, and throws the first failure's VeskError.
  nlohmann::json::object_t payload(Purpose purpose, const std::optional<LibraryProject>& original) const;

  bool operator==(const ProjectDraft& other) const = default;
};

}  // namespace vesk

#include "core/library/library_replies.h"

#include "core/records/json_fields.h"

namespace vesk {

namespace {

refresh_reply::Projects decodeProjects(JsonFields fields) { return {fields.list<LibraryProject>("projects")}; }

refresh_reply::History decodeArchivePage(JsonFields fields) {
  auto runs = fields.list<SavedAudit>("runs");
  return {std::move(runs), fields.optionalInteger("nextOffset")};
}

open_reply::History decodeProjectRuns(JsonFields fields) { return {fields.list<SavedAudit>("runs")}; }

// The one routine behind both project replies.
LibraryProject decodeProjectReply(JsonFields fields) { return fields.record<LibraryProject>("project"); }

save_reply::Created decodeCreated(JsonFields fields) { return {fields.text("id")}; }

}  // namespace

namespace refresh_reply {

Projects Projects::fromJson(const nlohmann::json& value) { return decodeProjects(JsonFields(value, "projects")); }
Projects Projects::fromJson(nlohmann::json&& value) { return decodeProjects(JsonFields(std::move(value), "projects")); }

History History::fromJson(const nlohmann::json& value) { return decodeArchivePage(JsonFields(value, "archive page")); }
History History::fromJson(nlohmann::json&& value) {
  return decodeArchivePage(JsonFields(std::move(value), "archive page"));
}

}  // namespace refresh_reply

namespace open_reply {

Detail Detail::fromJson(const nlohmann::json& value) { return {decodeProjectReply(JsonFields(value, "project"))}; }
Detail Detail::fromJson(nlohmann::json&& value) {
  return {decodeProjectReply(JsonFields(std::move(value), "project"))};
}

History History::fromJson(const nlohmann::json& value) { return decodeProjectRuns(JsonFields(value, "project runs")); }
History History::fromJson(nlohmann::json&& value) {
  return decodeProjectRuns(JsonFields(std::move(value), "project runs"));
}

}  // namespace open_reply

namespace save_reply {

Created Created::fromJson(const nlohmann::json& value) { return decodeCreated(JsonFields(value, "created project")); }
Created Created::fromJson(nlohmann::json&& value) {
  return decodeCreated(JsonFields(std::move(value), "created project"));
}

Canonical Canonical::fromJson(const nlohmann::json& value) {
  return {decodeProjectReply(JsonFields(value, "project"))};
}
Canonical Canonical::fromJson(nlohmann::json&& value) {
  return {decodeProjectReply(JsonFields(std::move(value), "project"))};
}

}  // namespace save_reply

}  // namespace vesk

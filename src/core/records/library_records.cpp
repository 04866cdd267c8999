#include "core/records/library_records.h"

#include "core/records/json_fields.h"
#include "core/text/text_equivalence.h"

namespace vesk {

namespace {

// Braced initialisation evaluates the members in order, so the first bad key in member
// order is the one reported.

LibraryAnchor decodeAnchor(JsonFields fields) {
  return LibraryAnchor{fields.text("filename"), fields.text("mediaType"), fields.optionalInteger("sizeBytes"),
                       fields.optionalText("url")};
}

LibraryContextURLMeta decodeContextURLMeta(JsonFields fields) {
  return LibraryContextURLMeta{fields.optionalText("title"), fields.optionalInteger("sizeBytes"),
                               fields.optionalText("error")};
}

LibraryLastRun decodeLastRun(JsonFields fields) {
  return LibraryLastRun{fields.text("id"), fields.text("agent"), fields.optionalText("auditMode"),
                        fields.optionalText("createdAt")};
}

LibraryProject decodeProject(JsonFields fields) {
  return LibraryProject{fields.text("id"),
                        fields.text("name"),
                        fields.optionalText("brief"),
                        fields.optionalText("kind"),
                        fields.optionalText("intent"),
                        fields.optionalText("createdAt"),
                        fields.optionalText("lastActivity"),
                        fields.optionalInteger("runCount"),
                        fields.optionalText("contextUrl"),
                        fields.optionalRecord<LibraryAnchor>("contextAttachment"),
                        fields.optionalRecord<LibraryContextURLMeta>("contextUrlMeta"),
                        fields.optionalText("lastAgent"),
                        fields.optionalText("lastAuditMode"),
                        fields.optionalRecord<LibraryLastRun>("lastRun")};
}

ReportBaseline decodeBaseline(JsonFields fields) {
  return ReportBaseline{fields.text("id"), fields.text("createdAt"), fields.text("subject")};
}

}  // namespace

// LibraryAnchor

LibraryAnchor::LibraryAnchor(std::string filename, std::string mediaType, std::optional<std::int64_t> sizeBytes,
                             std::optional<std::string> url)
    : filename(std::move(filename)), mediaType(std::move(mediaType)), sizeBytes(sizeBytes), url(std::move(url)) {}

LibraryAnchor LibraryAnchor::fromJson(const nlohmann::json& value) {
  return decodeAnchor(JsonFields(value, "LibraryAnchor"));
}

LibraryAnchor LibraryAnchor::fromJson(nlohmann::json&& value) {
  return decodeAnchor(JsonFields(std::move(value), "LibraryAnchor"));
}

nlohmann::json LibraryAnchor::toJson() const {
  nlohmann::json object = {{"filename", filename}, {"mediaType", mediaType}};
  putOptional(object, "sizeBytes", sizeBytes);
  putOptional(object, "url", url);
  return object;
}

bool LibraryAnchor::operator==(const LibraryAnchor& other) const {
  return canonicallyEqual(filename, other.filename) && canonicallyEqual(mediaType, other.mediaType) &&
         sizeBytes == other.sizeBytes && canonicallyEqualOptionals(url, other.url);
}

// LibraryContextURLMeta

LibraryContextURLMeta::LibraryContextURLMeta(std::optional<std::string> title, std::optional<std::int64_t> sizeBytes,
                                             std::optional<std::string> error)
    : title(std::move(title)), sizeBytes(sizeBytes), error(std::move(error)) {}

LibraryContextURLMeta LibraryContextURLMeta::fromJson(const nlohmann::json& value) {
  return decodeContextURLMeta(JsonFields(value, "LibraryContextURLMeta"));
}

LibraryContextURLMeta LibraryContextURLMeta::fromJson(nlohmann::json&& value) {
  return decodeContextURLMeta(JsonFields(std::move(value), "LibraryContextURLMeta"));
}

nlohmann::json LibraryContextURLMeta::toJson() const {
  nlohmann::json object = nlohmann::json::object();
  putOptional(object, "title", title);
  putOptional(object, "sizeBytes", sizeBytes);
  putOptional(object, "error", error);
  return object;
}

bool LibraryContextURLMeta::operator==(const LibraryContextURLMeta& other) const {
  return canonicallyEqualOptionals(title, other.title) && sizeBytes == other.sizeBytes &&
         canonicallyEqualOptionals(error, other.error);
}

// LibraryLastRun

LibraryLastRun::LibraryLastRun(std::string id, std::string agent, std::optional<std::string> auditMode,
                               std::optional<std::string> createdAt)
    : id(std::move(id)), agent(std::move(agent)), auditMode(std::move(auditMode)), createdAt(std::move(createdAt)) {}

LibraryLastRun LibraryLastRun::fromJson(const nlohmann::json& value) {
  return decodeLastRun(JsonFields(value, "LibraryLastRun"));
}

LibraryLastRun LibraryLastRun::fromJson(nlohmann::json&& value) {
  return decodeLastRun(JsonFields(std::move(value), "LibraryLastRun"));
}

nlohmann::json LibraryLastRun::toJson() const {
  nlohmann::json object = {{"id", id}, {"agent", agent}};
  putOptional(object, "auditMode", auditMode);
  putOptional(object, "createdAt", createdAt);
  return object;
}

bool LibraryLastRun::operator==(const LibraryLastRun& other) const {
  return canonicallyEqual(id, other.id) && canonicallyEqual(agent, other.agent) &&
         canonicallyEqualOptionals(auditMode, other.auditMode) && canonicallyEqualOptionals(createdAt, other.createdAt);
}

// LibraryProject

LibraryProject::LibraryProject(std::string id, std::string name, std::optional<std::string> brief,
                               std::optional<std::string> kind, std::optional<std::string> intent,
                               std::optional<std::string> createdAt, std::optional<std::string> lastActivity,
                               std::optional<std::int64_t> runCount, std::optional<std::string> contextUrl,
                               std::optional<LibraryAnchor> contextAttachment,
                               std::optional<LibraryContextURLMeta> contextUrlMeta,
                               std::optional<std::string> lastAgent, std::optional<std::string> lastAuditMode,
                               std::optional<LibraryLastRun> lastRun)
    : id(std::move(id)),
      name(std::move(name)),
      brief(std::move(brief)),
      kind(std::move(kind)),
      intent(std::move(intent)),
      createdAt(std::move(createdAt)),
      lastActivity(std::move(lastActivity)),
      runCount(runCount),
      contextUrl(std::move(contextUrl)),
      contextAttachment(std::move(contextAttachment)),
      contextUrlMeta(std::move(contextUrlMeta)),
      lastAgent(std::move(lastAgent)),
      lastAuditMode(std::move(lastAuditMode)),
      lastRun(std::move(lastRun)) {}

LibraryProject LibraryProject::fromJson(const nlohmann::json& value) {
  return decodeProject(JsonFields(value, "LibraryProject"));
}

LibraryProject LibraryProject::fromJson(nlohmann::json&& value) {
  return decodeProject(JsonFields(std::move(value), "LibraryProject"));
}

nlohmann::json LibraryProject::toJson() const {
  nlohmann::json object = {{"id", id}, {"name", name}};
  putOptional(object, "brief", brief);
  putOptional(object, "kind", kind);
  putOptional(object, "intent", intent);
  putOptional(object, "createdAt", createdAt);
  putOptional(object, "lastActivity", lastActivity);
  putOptional(object, "runCount", runCount);
  putOptional(object, "contextUrl", contextUrl);
  putOptional(object, "contextAttachment", contextAttachment);
  putOptional(object, "contextUrlMeta", contextUrlMeta);
  putOptional(object, "lastAgent", lastAgent);
  putOptional(object, "lastAuditMode", lastAuditMode);
  putOptional(object, "lastRun", lastRun);
  return object;
}

bool LibraryProject::operator==(const LibraryProject& other) const {
  return canonicallyEqual(id, other.id) && canonicallyEqual(name, other.name) &&
         canonicallyEqualOptionals(brief, other.brief) && canonicallyEqualOptionals(kind, other.kind) &&
         canonicallyEqualOptionals(intent, other.intent) && canonicallyEqualOptionals(createdAt, other.createdAt) &&
         canonicallyEqualOptionals(lastActivity, other.lastActivity) && runCount == other.runCount &&
         canonicallyEqualOptionals(contextUrl, other.contextUrl) && contextAttachment == other.contextAttachment &&
         contextUrlMeta == other.contextUrlMeta && canonicallyEqualOptionals(lastAgent, other.lastAgent) &&
         canonicallyEqualOptionals(lastAuditMode, other.lastAuditMode) && lastRun == other.lastRun;
}

// ReportBaseline

ReportBaseline::ReportBaseline(std::string id, std::string createdAt, std::string subject)
    : id(std::move(id)), createdAt(std::move(createdAt)), subject(std::move(subject)) {}

ReportBaseline ReportBaseline::fromJson(const nlohmann::json& value) {
  return decodeBaseline(JsonFields(value, "ReportBaseline"));
}

ReportBaseline ReportBaseline::fromJson(nlohmann::json&& value) {
  return decodeBaseline(JsonFields(std::move(value), "ReportBaseline"));
}

nlohmann::json ReportBaseline::toJson() const { return {{"id", id}, {"createdAt", createdAt}, {"subject", subject}}; }

bool ReportBaseline::operator==(const ReportBaseline& other) const {
  return canonicallyEqual(id, other.id) && canonicallyEqual(createdAt, other.createdAt) &&
         canonicallyEqual(subject, other.subject);
}

}  // namespace vesk

#include "core/records/run_records.h"

#include "core/records/json_fields.h"
#include "core/text/text_equivalence.h"

#include <algorithm>

namespace vesk {

namespace {

// Records are decoded off the main loop: a long report learns there whether it is in
// composed form, and its hash, which later comparisons and fingerprints of it ask.
constexpr std::size_t longText = 64 * 1024;

template <class Record>
Record withLongTextExamined(Record record) {
  if (record.output.size() > longText) {
    record.output.isComposed();
    record.output.hash();
  }
  return record;
}

// Braced initialisation below evaluates the members in order, so the first bad key in
// member order is the one reported.

SavedAudit decodeSavedAudit(JsonFields fields) {
  return withLongTextExamined(SavedAudit{fields.text("id"), fields.text("projectId"), fields.text("projectName"),
                                         fields.text("status"), fields.text("output"), fields.optionalText("auditMode"),
                                         fields.optionalFlag("fixture"), fields.optionalText("createdAt"),
                                         fields.optionalFlag("partial"), fields.optionalText("input"),
                                         fields.optionalInteger("runNumber"), fields.optionalText("agent")});
}

RunState decodeRunState(JsonFields fields) {
  return withLongTextExamined(RunState{
      fields.text("id"), fields.text("status"), fields.text("output"), fields.list<DiscoveryQuestion>("questions"),
      fields.optionalFlag("refundConfirmed"), fields.optionalText("auditMode"), fields.optionalFlag("retryable"),
      fields.optionalFlag("partial"), fields.optionalText("agent")});
}

}  // namespace

// SavedAudit

SavedAudit::SavedAudit(std::string id, std::string projectId, std::string projectName, std::string status,
                       SharedText output, std::optional<std::string> auditMode, std::optional<bool> fixture,
                       std::optional<std::string> createdAt, std::optional<bool> partial,
                       std::optional<std::string> input, std::optional<std::int64_t> runNumber,
                       std::optional<std::string> agent)
    : id(std::move(id)),
      projectId(std::move(projectId)),
      projectName(std::move(projectName)),
      status(std::move(status)),
      output(std::move(output)),
      auditMode(std::move(auditMode)),
      fixture(fixture),
      createdAt(std::move(createdAt)),
      partial(partial),
      input(std::move(input)),
      runNumber(runNumber),
      agent(std::move(agent)) {}

SavedAudit SavedAudit::fromJson(const nlohmann::json& value) {
  return decodeSavedAudit(JsonFields(value, "SavedAudit"));
}

SavedAudit SavedAudit::fromJson(nlohmann::json&& value) {
  return decodeSavedAudit(JsonFields(std::move(value), "SavedAudit"));
}

nlohmann::json SavedAudit::toJson() const {
  nlohmann::json object = toJsonLeavingOutputEmpty();
  object["output"] = output.str();
  return object;
}

nlohmann::json SavedAudit::toJsonLeavingOutputEmpty() const {
  nlohmann::json object = {
      {"id", id}, {"projectId", projectId}, {"projectName", projectName}, {"status", status}, {"output", ""}};
  putOptional(object, "auditMode", auditMode);
  putOptional(object, "fixture", fixture);
  putOptional(object, "createdAt", createdAt);
  putOptional(object, "partial", partial);
  putOptional(object, "input", input);
  putOptional(object, "runNumber", runNumber);
  putOptional(object, "agent", agent);
  return object;
}

bool SavedAudit::operator==(const SavedAudit& other) const {
  return canonicallyEqual(id, other.id) && canonicallyEqual(projectId, other.projectId) &&
         canonicallyEqual(projectName, other.projectName) && canonicallyEqual(status, other.status) &&
         canonicallyEqual(output, other.output) && canonicallyEqualOptionals(auditMode, other.auditMode) &&
         fixture == other.fixture && canonicallyEqualOptionals(createdAt, other.createdAt) &&
         partial == other.partial && canonicallyEqualOptionals(input, other.input) && runNumber == other.runNumber &&
         canonicallyEqualOptionals(agent, other.agent);
}

// RunState

RunState::RunState(std::string id, std::string status, SharedText output, std::vector<DiscoveryQuestion> questions,
                   std::optional<bool> refundConfirmed, std::optional<std::string> auditMode,
                   std::optional<bool> retryable, std::optional<bool> partial, std::optional<std::string> agent)
    : id(std::move(id)),
      status(std::move(status)),
      output(std::move(output)),
      questions(std::move(questions)),
      refundConfirmed(refundConfirmed),
      auditMode(std::move(auditMode)),
      retryable(retryable),
      partial(partial),
      agent(std::move(agent)) {}

RunState RunState::fromJson(const nlohmann::json& value) { return decodeRunState(JsonFields(value, "RunState")); }

RunState RunState::fromJson(nlohmann::json&& value) { return decodeRunState(JsonFields(std::move(value), "RunState")); }

}  // namespace vesk

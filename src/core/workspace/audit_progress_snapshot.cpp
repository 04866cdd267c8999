#include "core/workspace/audit_progress_snapshot.h"

#include "core/records/json_fields.h"

namespace vesk {

namespace {

AuditProgressSnapshot::Lens decodeLens(JsonFields fields) {
  return AuditProgressSnapshot::Lens{fields.text("id"), fields.text("name"), fields.text("status")};
}

AuditProgressSnapshot decodeSnapshot(JsonFields fields) {
  return AuditProgressSnapshot{fields.text("phase"), fields.integer("total"), fields.integer("done"),
                               fields.optionalText("auditStartedAt"),
                               fields.list<AuditProgressSnapshot::Lens>("lenses")};
}

}  // namespace

AuditProgressSnapshot::Lens AuditProgressSnapshot::Lens::fromJson(const nlohmann::json& value) {
  return decodeLens(JsonFields(value, "Lens"));
}

AuditProgressSnapshot::Lens AuditProgressSnapshot::Lens::fromJson(nlohmann::json&& value) {
  return decodeLens(JsonFields(std::move(value), "Lens"));
}

AuditProgressSnapshot AuditProgressSnapshot::fromJson(const nlohmann::json& value) {
  return decodeSnapshot(JsonFields(value, "AuditProgressSnapshot"));
}

AuditProgressSnapshot AuditProgressSnapshot::fromJson(nlohmann::json&& value) {
  return decodeSnapshot(JsonFields(std::move(value), "AuditProgressSnapshot"));
}

std::string AuditProgressSnapshot::phrase() const {
  if (phase == "seating") return "Understanding your goals";
  if (phase == "writing") return "Checking evidence and assembling your report";
  if (phase == "done") return "Your report is ready.";
  if (phase == "failed") return "This audit could not finish.";
  return total != 0 ? "Auditing your pages and screens" : "Reading your page";
}

}  // namespace vesk

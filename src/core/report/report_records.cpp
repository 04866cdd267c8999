#include "core/report/report_records.h"

#include "core/records/json_fields.h"

namespace vesk {

// Braced initialisation evaluates the members in order, so the first bad key in member
// order is the one reported.

ReportSourceURL ReportSourceURL::fromJson(const nlohmann::json& value) {
  JsonFields fields(value, "ReportSourceURL");
  return ReportSourceURL{fields.text("url"),
                         fields.optionalText("title"),
                         fields.optionalText("source"),
                         fields.optionalText("note"),
                         fields.optionalText("error"),
                         fields.optionalText("canonical"),
                         fields.optionalInteger("sizeBytes"),
                         fields.optionalText("screenshotError"),
                         fields.optionalText("screenshotUrl")};
}

ReportSourceAttachment ReportSourceAttachment::fromJson(const nlohmann::json& value) {
  JsonFields fields(value, "ReportSourceAttachment");
  return ReportSourceAttachment{fields.text("filename"), fields.text("mediaType"), fields.optionalInteger("sizeBytes"),
                                fields.optionalText("url")};
}

ReportCreatedRun ReportCreatedRun::fromJson(const nlohmann::json& value) {
  JsonFields fields(value, "ReportCreatedRun");
  return ReportCreatedRun{fields.text("id"),
                          fields.text("status"),
                          fields.text("output"),
                          fields.optionalText("auditMode"),
                          fields.optionalFlag("partial"),
                          fields.optionalText("input"),
                          fields.optionalText("createdAt"),
                          fields.optionalInteger("runNumber")};
}

SavedAudit ReportCreatedRun::savedIn(const SavedAudit& openRun) const {
  return SavedAudit(id, openRun.projectId, openRun.projectName, status, output, auditMode, false, createdAt, partial,
                    input, runNumber, std::string("vesk"));
}

ReportShareState ReportShareState::fromJson(const nlohmann::json& value) {
  JsonFields fields(value, "Share");
  return ReportShareState{fields.optionalText("slug")};
}

ReportCreatedShare ReportCreatedShare::fromJson(const nlohmann::json& value) {
  JsonFields fields(value, "Share");
  return ReportCreatedShare{fields.text("slug")};
}

ReportBaselineChoices ReportBaselineChoices::fromJson(const nlohmann::json& value) {
  JsonFields fields(value, "Choices");
  return ReportBaselineChoices{fields.list<ReportBaseline>("audits")};
}

}  // namespace vesk

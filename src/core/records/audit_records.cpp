#include "core/records/audit_records.h"

#include "core/platform/sha256.h"
#include "core/records/json_fields.h"
#include "core/text/text_equivalence.h"

#include <algorithm>

namespace vesk {

namespace {

// Braced initialisation below evaluates the members in order, so the first bad key in
// member order is the one reported.

DiscoveryQuestion decodeQuestion(JsonFields fields) {
  return DiscoveryQuestion{fields.text("text"), fields.textList("options")};
}

AuditAttachment decodeAttachment(JsonFields fields) {
  return AuditAttachment{fields.text("filename"), fields.text("mediaType"), fields.text("data")};
}

}  // namespace

// DiscoveryQuestion

DiscoveryQuestion::DiscoveryQuestion(std::string text, std::vector<std::string> options)
    : text(std::move(text)), options(std::move(options)) {}

DiscoveryQuestion DiscoveryQuestion::fromJson(const nlohmann::json& value) {
  return decodeQuestion(JsonFields(value, "DiscoveryQuestion"));
}

DiscoveryQuestion DiscoveryQuestion::fromJson(nlohmann::json&& value) {
  return decodeQuestion(JsonFields(std::move(value), "DiscoveryQuestion"));
}

nlohmann::json DiscoveryQuestion::toJson() const { return {{"text", text}, {"options", options}}; }

bool DiscoveryQuestion::operator==(const DiscoveryQuestion& other) const {
  return canonicallyEqual(text, other.text) &&
         std::equal(
             options.begin(), options.end(), other.options.begin(), other.options.end(),
             [](const std::string& first, const std::string& second) { return canonicallyEqual(first, second); });
}

// AuditAttachment

AuditAttachment::AuditAttachment(std::string filename, std::string mediaType, std::string data)
    : filename(std::move(filename)), mediaType(std::move(mediaType)), data(std::move(data)) {}

std::string AuditAttachment::id() const { return filename + ":" + glib::sha256Hex(data); }

AuditAttachment AuditAttachment::fromJson(const nlohmann::json& value) {
  return decodeAttachment(JsonFields(value, "AuditAttachment"));
}

AuditAttachment AuditAttachment::fromJson(nlohmann::json&& value) {
  return decodeAttachment(JsonFields(std::move(value), "AuditAttachment"));
}

nlohmann::json AuditAttachment::toJson() const {
  return {{"filename", filename}, {"mediaType", mediaType}, {"data", data}};
}

std::int64_t AuditAttachment::sizeBytes() const {
  const auto length = static_cast<std::int64_t>(data.size());
  const std::int64_t fill = data.ends_with("==") ? 2 : data.ends_with("=") ? 1 : 0;
  return std::max<std::int64_t>(0, length / 4 * 3 - fill);
}

}  // namespace vesk

#include "core/api/availability.h"

#include "core/records/vesk_error.h"

#include <nlohmann/json.hpp>

#include <limits>

namespace vesk {

namespace {

const nlohmann::json& member(const nlohmann::json& json, const char* key) {
  if (!json.is_object()) throw DecodingError("availability: not an object");
  const auto found = json.find(key);
  if (found == json.end() || found->is_null())
    throw DecodingError(std::string("availability: missing \"") + key + "\"");
  return *found;
}

}  // namespace

Availability Availability::fromJson(const nlohmann::json& json) {
  const auto& protocol = member(json, "protocol");
  const auto& version = member(json, "version");
  if (!protocol.is_string()) throw DecodingError("availability: \"protocol\" is not text");
  const bool fitsSigned = version.is_number_integer() &&
                          (!version.is_number_unsigned() ||
                           version.get<std::uint64_t>() <= std::uint64_t(std::numeric_limits<std::int64_t>::max()));
  if (!fitsSigned) throw DecodingError("availability: \"version\" is not an integer");
  return {protocol.get<std::string>(), version.get<std::int64_t>()};
}

}  // namespace vesk

#include "core/api/availability.h"

#include "core/records/json_fields.h"

namespace vesk {

Availability Availability::fromJson(const nlohmann::json& json) {
  JsonFields fields(json, "availability");
  std::string protocol = fields.text("protocol");
  return {std::move(protocol), fields.integer("version")};
}

}  // namespace vesk

#pragma once
// The reply of the availability probe: which sign-in protocol the service offers.
#include <nlohmann/json_fwd.hpp>

#include <cstdint>
#include <string>

namespace vesk {

struct Availability {
  std::string protocol;
  std::int64_t version = 0;

  // Throws DecodingError when "protocol" is not text or "version" not an integer, read
  // by the same rules as every other record.
  static Availability fromJson(const nlohmann::json& json);
  bool operator==(const Availability&) const = default;
};

}  // namespace vesk

#include "core/records/session_records.h"

#include "core/records/json_fields.h"
#include "core/text/text_equivalence.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace vesk {

namespace {

// Braced initialisation below evaluates the members in order, so the first bad key in
// member order is the one reported.

TokenResponse decodeTokenResponse(JsonFields fields) {
  return TokenResponse{fields.text("access_token"), fields.integer("expires_in")};
}

// 2001-01-01 00:00:00 UTC, the origin of the stored expiry.
constexpr std::chrono::sys_seconds referenceDate{std::chrono::seconds{978307200}};

// Beyond about 250 years either side the clock's nanosecond count would overflow. Below
// 2^33 seconds a double's step is under half a microsecond, so every microsecond in
// range has a double of its own, and the conversions below find it again exactly.
constexpr double storableSeconds = 8e9;

// The microsecond nearest to `seconds`. The whole seconds and the fraction are taken
// apart exactly and only the fraction is scaled, so no rounding of a product of the
// full magnitude can move the result by one.
std::chrono::microseconds nearestMicrosecond(double seconds) {
  const double whole = std::floor(seconds);
  const double fraction = seconds - whole;  // exact once |seconds| >= 1; far closer than 1 µs below
  return std::chrono::seconds(static_cast<std::int64_t>(whole)) +
         std::chrono::microseconds(std::llround(fraction * 1e6));
}

SessionRecord decodeSessionRecord(JsonFields fields) {
  std::string token = fields.text("token");
  std::string origin = fields.text("origin");
  const double seconds = fields.number("expires");
  if (seconds < -storableSeconds || seconds > storableSeconds) {
    throw DecodingError("expires: outside the range of dates the client can hold");
  }
  return SessionRecord{std::move(token), std::move(origin), referenceDate + nearestMicrosecond(seconds)};
}

}  // namespace

// TokenResponse

TokenResponse::TokenResponse(std::string access_token, std::int64_t expires_in)
    : access_token(std::move(access_token)), expires_in(expires_in) {}

TokenResponse TokenResponse::fromJson(const nlohmann::json& value) {
  return decodeTokenResponse(JsonFields(value, "TokenResponse"));
}

TokenResponse TokenResponse::fromJson(nlohmann::json&& value) {
  return decodeTokenResponse(JsonFields(std::move(value), "TokenResponse"));
}

// SessionRecord

SessionRecord::SessionRecord(std::string token, std::string origin, std::chrono::system_clock::time_point expires)
    : token(std::move(token)),
      origin(std::move(origin)),
      expires(std::chrono::round<std::chrono::microseconds>(expires)) {}

SessionRecord SessionRecord::fromJson(const nlohmann::json& value) {
  return decodeSessionRecord(JsonFields(value, "SessionRecord"));
}

SessionRecord SessionRecord::fromJson(nlohmann::json&& value) {
  return decodeSessionRecord(JsonFields(std::move(value), "SessionRecord"));
}

nlohmann::json SessionRecord::toJson() const {
  // The microsecond count is exact in a double over the whole storable range, and one
  // correctly rounded division gives the double nearest to the seconds it stands for.
  const auto sinceReference = std::chrono::duration_cast<std::chrono::microseconds>(expires - referenceDate);
  return {{"token", token}, {"origin", origin}, {"expires", static_cast<double>(sinceReference.count()) / 1e6}};
}

}  // namespace vesk

#pragma once
// The token exchange's reply and the session kept in the keyring.
//
// Every record decodes strictly (see json_fields.h): fromJson() throws vesk::DecodingError.
// Each fromJson() has an rvalue overload that moves texts out of the parsed document.
// Records that the client writes have toJson(), which leaves absent members out.
// Members are in the order of their JSON form; the constructor takes them in that order.
#include <nlohmann/json.hpp>

#include <chrono>
#include <cstdint>
#include <string>

namespace vesk {

// The reply of the token exchange that ends browser sign-in. Only ever received; its
// member names are its JSON keys.
struct TokenResponse {
  std::string access_token;
  std::int64_t expires_in = 0;  // seconds from now

  TokenResponse() = default;
  TokenResponse(std::string access_token, std::int64_t expires_in);

  static TokenResponse fromJson(const nlohmann::json& value);
  static TokenResponse fromJson(nlohmann::json&& value);
  bool operator==(const TokenResponse& other) const = default;
};

// The session kept in the keyring. "expires" is stored as a JSON number of seconds since
// 2001-01-01 00:00:00 UTC, within 8e9 seconds either side; a double of that size tells
// every microsecond apart, so the expiry is kept to the microsecond and survives a round
// trip unchanged.
struct SessionRecord {
  std::string token;
  std::string origin;
  std::chrono::system_clock::time_point expires;

  SessionRecord() = default;
  SessionRecord(std::string token, std::string origin, std::chrono::system_clock::time_point expires);

  static SessionRecord fromJson(const nlohmann::json& value);
  static SessionRecord fromJson(nlohmann::json&& value);
  nlohmann::json toJson() const;
  bool operator==(const SessionRecord& other) const = default;
};

}  // namespace vesk

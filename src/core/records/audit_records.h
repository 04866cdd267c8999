#pragma once
// The records of an audit's input: discovery questions and attached files.
//
// Every record decodes strictly (see json_fields.h): fromJson() throws vesk::DecodingError.
// Each fromJson() has an rvalue overload that moves texts out of the parsed document.
// Records that the client writes have toJson(), which leaves absent members out.
// Members are in the order of their JSON form; the constructor takes them in that order.
#include <nlohmann/json.hpp>

#include <cstdint>
#include <string>
#include <vector>

namespace vesk {

// One question of a run's discovery step and the answers offered, in the service's order
// (repeats included).
struct DiscoveryQuestion {
  std::string text;
  std::vector<std::string> options;

  DiscoveryQuestion() = default;
  DiscoveryQuestion(std::string text, std::vector<std::string> options);

  static DiscoveryQuestion fromJson(const nlohmann::json& value);
  static DiscoveryQuestion fromJson(nlohmann::json&& value);
  nlohmann::json toJson() const;
  // Texts compare by canonical equivalence; options position by position.
  bool operator==(const DiscoveryQuestion& other) const;
};

// A file that goes with a run: its name, media type and content as standard Base64.
struct AuditAttachment {
  std::string filename;
  std::string mediaType;
  std::string data;

  AuditAttachment() = default;
  AuditAttachment(std::string filename, std::string mediaType, std::string data);

  // The identity in the composer's list: filename, ":", then the SHA-256 of data in
  // hexadecimal, so two different files never share one.
  std::string id() const;

  static AuditAttachment fromJson(const nlohmann::json& value);
  static AuditAttachment fromJson(nlohmann::json&& value);
  nlohmann::json toJson() const;
  bool operator==(const AuditAttachment& other) const = default;
  // The size in bytes of the file that `data` carries, from the Base64 length.
  std::int64_t sizeBytes() const;
};

}  // namespace vesk

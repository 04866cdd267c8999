#pragma once
// Strict reading and writing of the members of one JSON object, shared by every record.
//
// Reading rules: keys match exactly and case-sensitively; a required key that is missing,
// null or of another type fails; an optional key that is missing or null is absent, and
// of another type fails; keys nobody asks for are ignored. Integers are JSON numbers with
// a whole value within signed 64 bits, as written: parseJsonDocument() keeps every such
// number as an integer, so a double is never read as one. Flags are only true and false.
// Every failure throws vesk::DecodingError whose detail names the key (with its path when
// nested).
#include "core/records/json_document.h"
#include "core/records/vesk_error.h"

#include <nlohmann/json.hpp>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vesk {

// Reads the members of one JSON object. Built from an rvalue, it moves texts and nested
// values out of the document instead of copying them, which matters for multi-megabyte
// reports. Each key should be read once. It refers to the value, which must outlive it.
class JsonFields {
 public:
  // Throws when the value is not an object; `record` names it in the error.
  JsonFields(const nlohmann::json& value, std::string_view record);
  JsonFields(nlohmann::json&& value, std::string_view record);

  std::string text(std::string_view key);
  std::optional<std::string> optionalText(std::string_view key);
  std::int64_t integer(std::string_view key);
  std::optional<std::int64_t> optionalInteger(std::string_view key);
  bool flag(std::string_view key);
  std::optional<bool> optionalFlag(std::string_view key);
  // Any JSON number, whole or not (for dates kept as seconds).
  double number(std::string_view key);
  std::vector<std::string> textList(std::string_view key);

  template <class Record>
  Record record(std::string_view key) {
    return decodeNested<Record>(required(key, nlohmann::json::value_t::object, "an object"), key);
  }

  template <class Record>
  std::optional<Record> optionalRecord(std::string_view key) {
    const nlohmann::json* value = optional(key, nlohmann::json::value_t::object, "an object");
    if (value == nullptr) return std::nullopt;
    return decodeNested<Record>(*value, key);
  }

  // A list of records; one bad element fails the whole list.
  template <class Record>
  std::vector<Record> list(std::string_view key) {
    const nlohmann::json& array = required(key, nlohmann::json::value_t::array, "a list");
    std::vector<Record> records;
    records.reserve(array.size());
    for (std::size_t index = 0; index < array.size(); ++index) {
      const std::string path = indexedKey(key, index);
      checkType(array[index], nlohmann::json::value_t::object, "an object", path);
      records.push_back(decodeNested<Record>(array[index], path));
    }
    return records;
  }

 private:
  // The member under `key`; throws when it is missing or null.
  const nlohmann::json& present(std::string_view key) const;
  // The member under `key`, or null when it is missing or holds null.
  const nlohmann::json* presentOrNull(std::string_view key) const;
  // As present() and presentOrNull(), checked to be of `type` (`expected` words it for errors).
  const nlohmann::json& required(std::string_view key, nlohmann::json::value_t type, std::string_view expected) const;
  const nlohmann::json* optional(std::string_view key, nlohmann::json::value_t type, std::string_view expected) const;
  static void checkType(const nlohmann::json& value, nlohmann::json::value_t type, std::string_view expected,
                        std::string_view path);
  // A member that may be moved from: only while moving_, when the document is the caller's rvalue.
  nlohmann::json& movable(const nlohmann::json& member) const;
  std::string take(const nlohmann::json& string) const;
  static std::int64_t wholeNumber(const nlohmann::json& value, std::string_view key);
  static std::string indexedKey(std::string_view key, std::size_t index);
  [[noreturn]] static void rethrowNested(const DecodingError& inner, std::string_view path);

  template <class Record>
  Record decodeNested(const nlohmann::json& value, std::string_view path) {
    try {
      if (moving_) return Record::fromJson(std::move(movable(value)));
      return Record::fromJson(value);
    } catch (const DecodingError& inner) {
      rethrowNested(inner, path);
    }
  }

  const nlohmann::json* object_;
  bool moving_;
};

// Writes an optional member only when it is present: absent members leave their key out
// and nothing is ever written as null. Records are written through their toJson().
template <class Value>
void putOptional(nlohmann::json& object, const char* key, const std::optional<Value>& value) {
  if (!value) return;
  if constexpr (requires { value->toJson(); }) {
    object[key] = value->toJson();
  } else {
    object[key] = *value;
  }
}

}  // namespace vesk

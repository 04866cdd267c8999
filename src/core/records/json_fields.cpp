#include "core/records/json_fields.h"

#include <limits>

namespace vesk {

namespace {

using Type = nlohmann::json::value_t;

std::string joined(std::string_view path, std::string_view problem) {
  std::string detail(path);
  detail += ": ";
  detail += problem;
  return detail;
}

[[noreturn]] void fail(std::string_view path, std::string_view problem) { throw DecodingError(joined(path, problem)); }

[[noreturn]] void failType(const nlohmann::json& value, std::string_view expected, std::string_view path) {
  std::string problem = "expected ";
  problem += expected;
  problem += ", got ";
  problem += value.type_name();
  fail(path, problem);
}

constexpr std::string_view wholeNumberWords = "a whole number within signed 64 bits";

[[noreturn]] void failWholeNumber(const nlohmann::json& value, std::string_view key) {
  std::string problem = "expected ";
  problem += wholeNumberWords;
  problem += ", got ";
  problem += value.dump();
  fail(key, problem);
}

}  // namespace

JsonFields::JsonFields(const nlohmann::json& value, std::string_view record) : object_(&value), moving_(false) {
  checkType(value, Type::object, "an object", record);
}

JsonFields::JsonFields(nlohmann::json&& value, std::string_view record) : object_(&value), moving_(true) {
  checkType(value, Type::object, "an object", record);
}

std::string JsonFields::text(std::string_view key) { return take(required(key, Type::string, "text")); }

std::optional<std::string> JsonFields::optionalText(std::string_view key) {
  const nlohmann::json* value = optional(key, Type::string, "text");
  if (value == nullptr) return std::nullopt;
  return take(*value);
}

std::int64_t JsonFields::integer(std::string_view key) { return wholeNumber(present(key), key); }

std::optional<std::int64_t> JsonFields::optionalInteger(std::string_view key) {
  const nlohmann::json* value = presentOrNull(key);
  if (value == nullptr) return std::nullopt;
  return wholeNumber(*value, key);
}

bool JsonFields::flag(std::string_view key) { return required(key, Type::boolean, "true or false").get<bool>(); }

std::optional<bool> JsonFields::optionalFlag(std::string_view key) {
  const nlohmann::json* value = optional(key, Type::boolean, "true or false");
  if (value == nullptr) return std::nullopt;
  return value->get<bool>();
}

double JsonFields::number(std::string_view key) {
  const nlohmann::json& value = present(key);
  if (!value.is_number()) failType(value, "a number", key);
  return value.get<double>();
}

std::vector<std::string> JsonFields::textList(std::string_view key) {
  const nlohmann::json& array = required(key, Type::array, "a list");
  std::vector<std::string> texts;
  texts.reserve(array.size());
  for (std::size_t index = 0; index < array.size(); ++index) {
    checkType(array[index], Type::string, "text", indexedKey(key, index));
    texts.push_back(take(array[index]));
  }
  return texts;
}

const nlohmann::json& JsonFields::present(std::string_view key) const {
  const auto member = object_->find(key);
  if (member == object_->end()) fail(key, "missing");
  if (member->is_null()) fail(key, "null");
  return *member;
}

const nlohmann::json* JsonFields::presentOrNull(std::string_view key) const {
  const auto member = object_->find(key);
  if (member == object_->end() || member->is_null()) return nullptr;
  return &*member;
}

const nlohmann::json& JsonFields::required(std::string_view key, Type type, std::string_view expected) const {
  const nlohmann::json& value = present(key);
  checkType(value, type, expected, key);
  return value;
}

const nlohmann::json* JsonFields::optional(std::string_view key, Type type, std::string_view expected) const {
  const nlohmann::json* value = presentOrNull(key);
  if (value != nullptr) checkType(*value, type, expected, key);
  return value;
}

void JsonFields::checkType(const nlohmann::json& value, Type type, std::string_view expected, std::string_view path) {
  if (value.type() != type) failType(value, expected, path);
}

nlohmann::json& JsonFields::movable(const nlohmann::json& member) const {
  // Only reached while moving_: the whole document was handed over as a non-const rvalue,
  // so the member is not really const.
  return const_cast<nlohmann::json&>(member);
}

std::string JsonFields::take(const nlohmann::json& string) const {
  if (moving_) return std::move(movable(string).get_ref<std::string&>());
  return string.get_ref<const std::string&>();
}

std::int64_t JsonFields::wholeNumber(const nlohmann::json& value, std::string_view key) {
  switch (value.type()) {
    case Type::number_integer: return value.get<std::int64_t>();
    case Type::number_unsigned: {
      const auto unsignedValue = value.get<std::uint64_t>();
      if (unsignedValue > static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max())) {
        failWholeNumber(value, key);
      }
      return static_cast<std::int64_t>(unsignedValue);
    }
    // The parser turned every number written as a whole within range ("3.0", "1e2") into
    // an integer; a double is a fraction or out of range as written, even where its
    // rounded value is whole ("1.0000000000000001", "1e-400").
    case Type::number_float: failWholeNumber(value, key);
    default: failType(value, wholeNumberWords, key);
  }
}

std::string JsonFields::indexedKey(std::string_view key, std::size_t index) {
  std::string path(key);
  path += '[';
  path += std::to_string(index);
  path += ']';
  return path;
}

void JsonFields::rethrowNested(const DecodingError& inner, std::string_view path) {
  std::string detail(path);
  detail += '.';
  detail += inner.detail();
  throw DecodingError(std::move(detail));
}

}  // namespace vesk

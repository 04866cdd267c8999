#include "core/records/json_fields.h"

#include <gtest/gtest.h>

#include <limits>

using nlohmann::json;
using vesk::DecodingError;
using vesk::JsonFields;

namespace {

// Runs `read` on a JsonFields over {"k": <member>} (or the given object), once copying and
// once moving; returns what it read or the failure detail, checking both ways agree.
template <class Read>
auto readBothWays(const json& object, Read read) -> std::optional<decltype(read(std::declval<JsonFields&>()))> {
  using Value = decltype(read(std::declval<JsonFields&>()));
  std::optional<Value> copied;
  std::string copyFailure;
  try {
    JsonFields fields(object, "probe");
    copied = read(fields);
  } catch (const DecodingError& error) {
    copyFailure = error.detail();
  }
  json handedOver = object;
  try {
    JsonFields fields(std::move(handedOver), "probe");
    Value moved = read(fields);
    EXPECT_EQ(copied, moved) << object.dump();
    return moved;
  } catch (const DecodingError& error) {
    EXPECT_FALSE(copied.has_value()) << object.dump();
    EXPECT_EQ(copyFailure, error.detail());
    return std::nullopt;
  }
}

std::string failureOf(const json& object, const std::function<void(JsonFields&)>& read) {
  try {
    JsonFields fields(object, "probe");
    read(fields);
  } catch (const DecodingError& error) {
    EXPECT_STREQ(error.what(), "Vesk returned an unreadable response.");
    return error.detail();
  }
  return "";
}

}  // namespace

TEST(JsonFields, IntegersAreWholeNumbersWithinSigned64Bits) {
  constexpr auto max = std::numeric_limits<std::int64_t>::max();
  constexpr auto min = std::numeric_limits<std::int64_t>::min();
  const struct {
    const char* member;
    std::optional<std::int64_t> expected;  // nullopt: refused
  } cases[] = {
      {"3", 3},
      {"-1", -1},
      {"0", 0},
      {"3.0", 3},
      {"1e2", 100},
      {"-0.0", 0},
      {"9223372036854775807", max},
      {"-9223372036854775808", min},
      {"-9.223372036854775808e18", min},
      {"1.0", 1},
      {"9223372036854775807.0", max},
      {"\"3\"", std::nullopt},
      {"3.5", std::nullopt},
      {"1e-2", std::nullopt},
      {"9223372036854775808", std::nullopt},
      {"18446744073709551615", std::nullopt},
      {"18446744073709551616", std::nullopt},
      {"9.3e18", std::nullopt},
      {"-9.3e18", std::nullopt},
      {"-9223372036854775809", std::nullopt},
      {"1.0000000000000001", std::nullopt},
      {"1e-400", std::nullopt},
      {"9223372036854775807.5", std::nullopt},
      {"true", std::nullopt},
      {"[3]", std::nullopt},
      {"{}", std::nullopt},
  };
  for (const auto& c : cases) {
    // Read as a reply is: whether a number is whole is decided from the number as written.
    const json object = vesk::parseJsonDocument(std::string(R"({"k":)") + c.member + "}");
    EXPECT_EQ(readBothWays(object, [](JsonFields& f) { return f.integer("k"); }), c.expected) << c.member;
    const auto optional = readBothWays(object, [](JsonFields& f) { return f.optionalInteger("k"); });
    if (c.expected) {
      EXPECT_EQ(optional, std::optional<std::optional<std::int64_t>>(c.expected)) << c.member;
    } else {
      EXPECT_FALSE(optional.has_value()) << "optional " << c.member << " must fail, not be skipped";
    }
  }
  EXPECT_EQ(failureOf(vesk::parseJsonDocument(R"({"k":1.0000000000000001})"), [](JsonFields& f) { f.integer("k"); }),
            "k: expected a whole number within signed 64 bits, got 1.0");
}

TEST(JsonFields, FlagsTextsAndListsTakeOnlyTheirOwnType) {
  const auto flag = [](JsonFields& f) { return f.flag("k"); };
  const auto text = [](JsonFields& f) { return f.text("k"); };
  const auto texts = [](JsonFields& f) { return f.textList("k"); };

  EXPECT_EQ(readBothWays(json::parse(R"({"k":true})"), flag), true);
  EXPECT_EQ(readBothWays(json::parse(R"({"k":false})"), flag), false);
  for (const char* refused : {R"({"k":1})", R"({"k":0})", R"({"k":"true"})", R"({"k":[true]})"}) {
    EXPECT_FALSE(readBothWays(json::parse(refused), flag)) << refused;
  }

  EXPECT_EQ(readBothWays(json::parse(R"({"k":""})"), text), "");
  EXPECT_EQ(readBothWays(json::parse(R"({"k":"caf\u00e9 \u2019"})"), text), "caf\u00e9 \u2019");
  for (const char* refused : {R"({"k":1})", R"({"k":false})", R"({"k":["a"]})", R"({"k":{"a":"b"}})"}) {
    EXPECT_FALSE(readBothWays(json::parse(refused), text)) << refused;
  }

  EXPECT_EQ(readBothWays(json::parse(R"({"k":[]})"), texts), std::vector<std::string>{});
  EXPECT_EQ(readBothWays(json::parse(R"({"k":["a","a","b"]})"), texts), (std::vector<std::string>{"a", "a", "b"}));
  for (const char* refused : {R"({"k":"a"})", R"({"k":["a",1]})", R"({"k":["a",null]})", R"({"k":{}})"}) {
    EXPECT_FALSE(readBothWays(json::parse(refused), texts)) << refused;
  }
  EXPECT_EQ(failureOf(json::parse(R"({"k":["a",1]})"), [](JsonFields& f) { f.textList("k"); }),
            "k[1]: expected text, got number");
}

TEST(JsonFields, MissingOrNullIsAbsentForOptionalsAndAFailureForRequired) {
  const struct {
    const char* object;
    const char* requiredFailure;
  } cases[] = {
      {R"({})", "k: missing"},
      {R"({"k":null})", "k: null"},
      {R"({"K":"x","k ":"x"})", "k: missing"},  // keys match exactly
  };
  for (const auto& c : cases) {
    const json object = json::parse(c.object);
    EXPECT_EQ(failureOf(object, [](JsonFields& f) { f.text("k"); }), c.requiredFailure) << c.object;
    EXPECT_EQ(failureOf(object, [](JsonFields& f) { f.integer("k"); }), c.requiredFailure) << c.object;
    EXPECT_EQ(failureOf(object, [](JsonFields& f) { f.flag("k"); }), c.requiredFailure) << c.object;
    EXPECT_EQ(failureOf(object, [](JsonFields& f) { f.number("k"); }), c.requiredFailure) << c.object;
    EXPECT_EQ(failureOf(object, [](JsonFields& f) { f.textList("k"); }), c.requiredFailure) << c.object;
    JsonFields fields(object, "probe");
    EXPECT_EQ(fields.optionalText("k"), std::nullopt);
    EXPECT_EQ(fields.optionalInteger("k"), std::nullopt);
    EXPECT_EQ(fields.optionalFlag("k"), std::nullopt);
  }
}

TEST(JsonFields, RefusesADocumentThatIsNotAnObject) {
  for (const char* text : {"[]", "\"x\"", "3", "null", "true"}) {
    try {
      JsonFields fields(json::parse(text), "SavedAudit");
      ADD_FAILURE() << text << " was accepted";
    } catch (const DecodingError& error) {
      EXPECT_EQ(error.detail().rfind("SavedAudit: expected an object", 0), 0u) << error.detail();
    }
  }
}

TEST(JsonFields, UnparsableBytesBecomeTheUnreadableResponseError) {
  for (const char* bytes : {"", "{", "{\"a\":1,}", "<html>", "{\"a\":\"\xff\"}"}) {
    try {
      vesk::parseJsonDocument(bytes);
      ADD_FAILURE() << bytes << " parsed";
    } catch (const DecodingError& error) {
      EXPECT_STREQ(error.what(), "Vesk returned an unreadable response.");
      EXPECT_FALSE(error.detail().empty());
    }
  }
  EXPECT_EQ(vesk::parseJsonDocument(R"({"a":[1]})"), json::parse(R"({"a":[1]})"));
}

TEST(JsonFields, AHandedOverDocumentGivesUpItsTextsInsteadOfCopyingThem) {
  json document = {{"k", std::string(4096, 'x')}, {"list", json::array({std::string(4096, 'y')})}};
  JsonFields fields(std::move(document), "probe");
  EXPECT_EQ(fields.text("k").size(), 4096u);
  EXPECT_EQ(fields.textList("list").at(0).size(), 4096u);
  // The document object itself stays valid; only the texts were taken out of it.
  EXPECT_TRUE(document["k"].get_ref<const std::string&>().empty());
  EXPECT_TRUE(document["list"][0].get_ref<const std::string&>().empty());
}

TEST(JsonFields, PutOptionalLeavesAbsentMembersOut) {
  json object = json::object();
  vesk::putOptional(object, "absent", std::optional<std::string>{});
  vesk::putOptional(object, "flag", std::optional<bool>{false});
  vesk::putOptional(object, "count", std::optional<std::int64_t>{0});
  vesk::putOptional(object, "text", std::optional<std::string>{""});
  EXPECT_EQ(object, json::parse(R"({"flag":false,"count":0,"text":""})"));
}

// Turning reply bytes into a document: the whole byte range is read, numbers are judged
// as written, and a hostile shape is refused before anything is built.
#include "core/records/json_fields.h"
#include "core/records/written_number.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

using nlohmann::json;
using vesk::DecodingError;
using vesk::parseJsonDocument;

namespace {

using namespace std::string_literals;

// The failure detail, or "" when the bytes parse.
std::string refusalOf(const std::string& bytes) {
  try {
    parseJsonDocument(bytes);
  } catch (const DecodingError& error) {
    EXPECT_STREQ(error.what(), "Vesk returned an unreadable response.");
    EXPECT_FALSE(error.detail().empty());
    return error.detail();
  }
  return "";
}

std::string nestedArrays(std::size_t depth) { return std::string(depth, '[') + std::string(depth, ']'); }

std::string nestedObjects(std::size_t depth) {
  std::string text;
  for (std::size_t level = 1; level < depth; ++level) text += R"({"a":)";
  text += "{}";
  text += std::string(depth - 1, '}');
  return text;
}

// An array of `count` values in all: the array itself and count - 1 elements.
std::string arrayOfValues(std::size_t count, const std::string& element) {
  std::string text = "[";
  for (std::size_t index = 1; index < count; ++index) {
    if (index > 1) text += ',';
    text += element;
  }
  return text + "]";
}

}  // namespace

TEST(JsonDocument, AnythingButWhiteSpaceAfterTheDocumentFailsANulByteIncluded) {
  for (const std::string& bytes : {"{}\0"s, "{}\0garbage"s, "{\"a\":1}\0{\"a\":2}"s, "[1] \n\0 trailing"s,
                                   "\"text\"\0"s, "3\0"s, "{} x"s, "{}{}"s, "\0{}"s}) {
    EXPECT_NE(refusalOf(bytes), "") << json(bytes).dump();
  }
  EXPECT_EQ(parseJsonDocument("{} \t\r\n"), json::object());
  EXPECT_EQ(parseJsonDocument(R"({"nul":"a\u0000b"})")["nul"], "a\0b"s) << "an escaped NUL inside text is text";
}

TEST(JsonDocument, RefusesDeepNestingAndTooManyValuesBeforeBuildingAnything) {
  EXPECT_EQ(refusalOf(nestedArrays(64)), "");
  EXPECT_EQ(refusalOf(nestedObjects(64)), "");
  EXPECT_EQ(refusalOf(nestedArrays(65)), "document: nested deeper than 64 levels");
  EXPECT_EQ(refusalOf(nestedObjects(65)), "document: nested deeper than 64 levels");
  EXPECT_EQ(refusalOf("[" + nestedObjects(64) + "]"), "document: nested deeper than 64 levels");
  // Brackets inside texts, escaped quotes included, are text and not nesting.
  EXPECT_EQ(refusalOf(R"({"a":")" + std::string(100, '[') + R"(\"[[[","b":[[]]})"), "");
  EXPECT_EQ(refusalOf(R"({"a":"x\\","b":)" + nestedArrays(64) + "}"), "document: nested deeper than 64 levels")
      << "an escaped backslash does not escape the quote after it";

  // A million values, each kind counted once, keys not counted.
  EXPECT_EQ(refusalOf(arrayOfValues(1'000'000, "0")), "");
  EXPECT_EQ(refusalOf(arrayOfValues(1'000'000, "[]")), "");
  EXPECT_EQ(refusalOf(arrayOfValues(500'000, R"({"key":"v"})")), "") << "500 000 objects of one member each";
  for (const char* element : {"0", "[]", "{}", "\"x\"", "true", "null", "-1.5e3"}) {
    EXPECT_EQ(refusalOf(arrayOfValues(1'000'001, element)), "document: more than 1000000 values") << element;
  }
  // Refused for its shape even where the bytes go wrong later: nothing was built.
  EXPECT_EQ(refusalOf(nestedArrays(65) + "oops"), "document: nested deeper than 64 levels");
}

TEST(JsonDocument, NumbersWrittenWholeWithinRangeAreIntegersAndOthersStayFractions) {
  const struct {
    const char* written;
    json expected;
  } cases[] = {
      {"1.0", 1},
      {"1e2", 100},
      {"1E+2", 100},
      {"-0.0", 0},
      {"0e-400", 0},
      {"0.5e1", 5},
      {"0.0001e4", 1},
      {"1500e-3", json(1.5)},
      {"123.450e1", json(1234.5)},
      {"9223372036854775807.0", std::numeric_limits<std::int64_t>::max()},
      {"92233720368547758070e-1", std::numeric_limits<std::int64_t>::max()},
      {"-9.223372036854775808e18", std::numeric_limits<std::int64_t>::min()},
      {"1.0000000000000001", json(1.0)},
      {"1e-400", json(0.0)},
      {"9.3e18", json(9.3e18)},
      {"-9223372036854775809", json(-9223372036854775809.0)},
  };
  for (const auto& c : cases) {
    const json document = parseJsonDocument(std::string("[") + c.written + "]");
    EXPECT_EQ(document[0].type(), c.expected.type()) << c.written;
    EXPECT_EQ(document[0], c.expected) << c.written;
  }

  // The rule itself, on texts a parser would not hand it or would round.
  for (const char* notANumber : {"", "-", "1.", ".5", "1e", "1e+", "+1", "0x10", "1 "}) {
    EXPECT_EQ(vesk::wholeNumberAsWritten(notANumber), std::nullopt) << notANumber;
  }
  EXPECT_EQ(vesk::wholeNumberAsWritten("1" + std::string(400, '0') + "e-400"), 1);
  EXPECT_EQ(vesk::wholeNumberAsWritten("0." + std::string(400, '0') + "1e401"), 1);
  EXPECT_EQ(vesk::wholeNumberAsWritten("0.0e99999999999999999999999"), 0);
  EXPECT_EQ(vesk::wholeNumberAsWritten("1e99999999999999999999999"), std::nullopt);
  EXPECT_EQ(vesk::wholeNumberAsWritten("1e-99999999999999999999999"), std::nullopt);
  EXPECT_EQ(vesk::wholeNumberAsWritten("-9223372036854775808"), std::numeric_limits<std::int64_t>::min());
  EXPECT_EQ(vesk::wholeNumberAsWritten("9223372036854775808"), std::nullopt);
  EXPECT_EQ(vesk::wholeNumberAsWritten("10000000000000000000"), std::nullopt) << "past 64 bits altogether";
}

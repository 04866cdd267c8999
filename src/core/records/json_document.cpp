#include "core/records/json_document.h"

#include "core/records/vesk_error.h"
#include "core/records/written_number.h"

#include <cstdint>
#include <cstring>
#include <string>

namespace vesk {

namespace {

[[noreturn]] void refuse(const std::string& problem) { throw DecodingError("document: " + problem); }

bool isTokenCharacter(char c) {
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '-' || c == '+' || c == '.';
}

// Past the closing quote of a text whose opening quote was just read. A quote closes the
// text unless an odd run of backslashes stands before it; texts are most of a reply's
// bytes, so they are skipped a quote at a time.
const char* pastText(const char* at, const char* end) {
  const char* const start = at;
  while (at < end) {
    const auto* quote = static_cast<const char*>(std::memchr(at, '"', static_cast<std::size_t>(end - at)));
    if (quote == nullptr) return end;
    const char* before = quote;
    while (before > start && before[-1] == '\\') --before;
    if ((quote - before) % 2 == 0) return quote + 1;
    at = quote + 1;
  }
  return end;
}

// Refuses a document nested or counting beyond the limits, in one pass over the bytes
// that follows only texts and brackets, so that nothing is built for it. Exact for
// well-formed JSON; on malformed bytes it never counts fewer levels or values than the
// parser would build before it reaches the fault, since up to there the bytes are JSON.
// Also refuses a NUL byte outside a text, which JSON never holds and the parser would
// take for the end of the text.
void checkShape(std::string_view bytes) {
  std::size_t depth = 0;
  std::uint64_t objectLevels = 0;  // bit d - 1 set when level d is an object
  std::size_t values = 0;
  bool keyNext = false;  // a text here is a member's key, not a value
  const char* at = bytes.data();
  const char* const end = at + bytes.size();
  while (at < end) {
    const char c = *at++;
    switch (c) {
      case ' ':
      case '\t':
      case '\n':
      case '\r': continue;
      case '"':
        if (!keyNext) ++values;
        keyNext = false;
        at = pastText(at, end);
        break;
      case '[':
      case '{': {
        ++values;
        if (++depth > deepestJsonNesting)
          refuse("nested deeper than " + std::to_string(deepestJsonNesting) + " levels");
        const std::uint64_t bit = std::uint64_t{1} << (depth - 1);
        objectLevels = c == '{' ? objectLevels | bit : objectLevels & ~bit;
        keyNext = c == '{';
        break;
      }
      case ']':
      case '}':
        if (depth > 0) --depth;
        keyNext = false;
        break;
      case ',': keyNext = depth > 0 && (objectLevels >> (depth - 1) & 1) != 0; break;
      case ':': keyNext = false; break;
      case '\0': refuse("a NUL byte outside a text");
      default:  // a number or literal, or a fault the parser will name
        ++values;
        keyNext = false;
        while (at < end && isTokenCharacter(*at)) ++at;
    }
    if (values > mostJsonValues) refuse("more than " + std::to_string(mostJsonValues) + " values");
  }
}

// Builds the document as the library's own parser does, but keeps a number written with
// a fraction or exponent as an integer when it is exactly a whole number within range:
// only here is the number's text still known.
class DocumentBuilder {
 public:
  explicit DocumentBuilder(nlohmann::json& root) : dom_(root, true) {}

  bool null() { return dom_.null(); }
  bool boolean(bool value) { return dom_.boolean(value); }
  bool number_integer(std::int64_t value) { return dom_.number_integer(value); }
  bool number_unsigned(std::uint64_t value) { return dom_.number_unsigned(value); }
  bool number_float(double value, const std::string& written) {
    if (const auto whole = wholeNumberAsWritten(written)) return dom_.number_integer(*whole);
    return dom_.number_float(value, written);
  }
  bool string(std::string& value) { return dom_.string(value); }
  bool binary(nlohmann::json::binary_t& value) { return dom_.binary(value); }
  bool start_object(std::size_t size) { return dom_.start_object(size); }
  bool key(std::string& value) { return dom_.key(value); }
  bool end_object() { return dom_.end_object(); }
  bool start_array(std::size_t size) { return dom_.start_array(size); }
  bool end_array() { return dom_.end_array(); }
  template <class Exception>
  bool parse_error(std::size_t position, const std::string& token, const Exception& error) {
    return dom_.parse_error(position, token, error);  // throws the error
  }

 private:
  nlohmann::detail::json_sax_dom_parser<nlohmann::json> dom_;
};

}  // namespace

nlohmann::json parseJsonDocument(std::string_view bytes) {
  checkShape(bytes);
  nlohmann::json document;
  DocumentBuilder builder(document);
  try {
    nlohmann::json::sax_parse(bytes.begin(), bytes.end(), &builder);
  } catch (const nlohmann::json::exception& error) {
    refuse(error.what());
  }
  return document;
}

}  // namespace vesk

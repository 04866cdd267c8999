#pragma once
// Reply bytes made into a JSON document, the one way every reply and stored record is
// read.
#include <nlohmann/json.hpp>

#include <cstddef>
#include <string_view>

namespace vesk {

// Far beyond what any record of the client needs. A document takes many times the bytes
// of a reply of empty arrays (about 85 times), so a reply past these limits is refused
// before anything is built.
inline constexpr std::size_t deepestJsonNesting = 64;
inline constexpr std::size_t mostJsonValues = 1'000'000;

// Parses the whole of `bytes` as one JSON document; only white space may follow it (a
// NUL byte does not end the text). Refuses a document nested deeper than
// deepestJsonNesting levels or holding more than mostJsonValues values. A number written
// with a fraction or exponent whose value is exactly a whole number within signed 64 bits
// becomes an integer ("1.0", "1e2"); any other such number, and an integer beyond signed
// 64 bits, stays a double, so whether a number is whole is decided from the number as
// written. Every failure throws DecodingError.
nlohmann::json parseJsonDocument(std::string_view bytes);

}  // namespace vesk

#pragma once
// Whether a JSON number is a whole number, decided from its text: the double a parser
// makes of "1.0000000000000001" or "1e-400" is whole, the number written is not.
#include <cstdint>
#include <optional>
#include <string_view>

namespace vesk {

// The value of `written`, a number in JSON's syntax, when it is exactly a whole number
// within signed 64 bits ("1.0", "1e2", "-0.0", "0.5e1"); nothing for a fraction, a value
// out of range or text that is not a JSON number.
std::optional<std::int64_t> wholeNumberAsWritten(std::string_view written);

}  // namespace vesk

#include "core/records/written_number.h"

#include <algorithm>
#include <limits>

namespace vesk {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Beyond this an exponent's size no longer matters: no text holds that many digits.
constexpr std::int64_t exponentCap = std::int64_t{1} << 50;

// A number as written: its sign, the digits before and after the point, and the power
// of ten written after them.
struct Decimal {
  bool negative = false;
  std::string_view integer;
  std::string_view fraction;
  std::int64_t exponent = 0;

  std::size_t digitCount() const { return integer.size() + fraction.size(); }
  // The digits of both parts read as one run.
  char digit(std::size_t index) const {
    return index < integer.size() ? integer[index] : fraction[index - integer.size()];
  }
};

std::optional<Decimal> split(std::string_view text) {
  Decimal decimal;
  std::size_t at = 0;
  const auto digitsHere = [&] {
    const std::size_t start = at;
    while (at < text.size() && isDigit(text[at])) ++at;
    return text.substr(start, at - start);
  };
  const auto take = [&](char wanted) {
    if (at >= text.size() || text[at] != wanted) return false;
    ++at;
    return true;
  };
  decimal.negative = take('-');
  decimal.integer = digitsHere();
  if (decimal.integer.empty()) return std::nullopt;
  if (take('.')) {
    decimal.fraction = digitsHere();
    if (decimal.fraction.empty()) return std::nullopt;
  }
  if (take('e') || take('E')) {
    const bool negativeExponent = take('-');
    if (!negativeExponent) take('+');
    const std::string_view digits = digitsHere();
    if (digits.empty()) return std::nullopt;
    for (const char c : digits) decimal.exponent = std::min(exponentCap, decimal.exponent * 10 + (c - '0'));
    if (negativeExponent) decimal.exponent = -decimal.exponent;
  }
  if (at != text.size()) return std::nullopt;
  return decimal;
}

}  // namespace

std::optional<std::int64_t> wholeNumberAsWritten(std::string_view written) {
  const auto decimal = split(written);
  if (!decimal) return std::nullopt;
  const std::size_t count = decimal->digitCount();
  std::size_t first = 0;
  while (first < count && decimal->digit(first) == '0') ++first;
  if (first == count) return 0;  // zero, whatever its exponent
  std::size_t last = count - 1;
  while (decimal->digit(last) == '0') --last;

  // The value is digits first..last times 10^scale; it is whole only when scale >= 0,
  // since the last of those digits is not zero.
  const std::int64_t scale = decimal->exponent - static_cast<std::int64_t>(decimal->fraction.size()) +
                             static_cast<std::int64_t>(count - 1 - last);
  if (scale < 0) return std::nullopt;
  constexpr std::int64_t mostDigits = 19;  // 2^63 has 19 digits; 10^19 still fits 64 unsigned bits
  if (static_cast<std::int64_t>(last - first + 1) + scale > mostDigits) return std::nullopt;

  std::uint64_t magnitude = 0;
  for (std::size_t index = first; index <= last; ++index)
    magnitude = magnitude * 10 + static_cast<std::uint64_t>(decimal->digit(index) - '0');
  for (std::int64_t power = 0; power < scale; ++power) magnitude *= 10;

  constexpr auto largest = static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max());
  if (!decimal->negative) {
    if (magnitude > largest) return std::nullopt;
    return static_cast<std::int64_t>(magnitude);
  }
  if (magnitude > largest + 1) return std::nullopt;
  if (magnitude == largest + 1) return std::numeric_limits<std::int64_t>::min();
  return -static_cast<std::int64_t>(magnitude);
}

}  // namespace vesk

#pragma once
// Shape checks for generated texts (keys, random values), without std::regex.
#include <algorithm>
#include <cstddef>
#include <string_view>

namespace vesk::testing {

inline bool isLowerHex(std::string_view text, std::size_t length) {
  return text.size() == length &&
         std::all_of(text.begin(), text.end(), [](char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'); });
}

// Letters, digits, "-" and "_", exactly `length` of them.
inline bool isBase64Url(std::string_view text, std::size_t length) {
  return text.size() == length && std::all_of(text.begin(), text.end(), [](char c) {
           return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '_';
         });
}

}  // namespace vesk::testing

#pragma once
// Text rules of the report reader, on UTF-8 text, by Unicode code point.
#include <cstddef>
#include <string_view>

namespace vesk {

// Whether a code point is white space or a line break: the Unicode White_Space property,
// which is also what "\s" matches in a regular expression.
bool isWhiteSpace(char32_t codePoint);

// `text` without white space and line breaks at either end.
std::string_view trimmedWhiteSpace(std::string_view text);

// The length of `text` in UTF-16 code units.
std::size_t utf16Length(std::string_view text);

}  // namespace vesk

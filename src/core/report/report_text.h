#pragma once
// Text rules of the report reader, on UTF-8 text, by Unicode code point.
#include <cstddef>
#include <string_view>

namespace vesk {

// `text` without the white space and line breaks (Unicode White_Space) at either end.
std::string_view trimmedWhiteSpace(std::string_view text);

// Whether a code point is white space as regular expressions read "\s": tab, line feed,
// form feed, carriage return and the Unicode separators (Z*). Unlike White_Space, the
// vertical tab and U+0085 are not.
bool isPatternSpace(char32_t codePoint);

// The length of `text` in UTF-16 code units.
std::size_t utf16Length(std::string_view text);

}  // namespace vesk

#pragma once
// Unicode text rules shared by the input checks: user-perceived characters (extended
// grapheme clusters), Unicode white space, case mapping and canonical forms. Texts are
// UTF-8 in and out; ICU does the Unicode work on UTF-16.
#include <unicode/unistr.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vesk {

icu::UnicodeString toUnicode(std::string_view utf8);
std::string toUtf8(const icu::UnicodeString& text);

// The pieces of `text` between white-space code points, in order, without empty pieces.
// Every code point with the Unicode White_Space property splits, U+00A0, U+0085 and line
// breaks included, whatever comes before it.
std::vector<std::string> splitAtWhiteSpace(std::string_view text);

// The first `count` user-perceived characters of `text` (all of it when shorter).
std::string prefixOfCharacters(std::string_view text, std::size_t count);

// The longest prefix of whole user-perceived characters whose UTF-16 length stays
// within `maxUTF16` units; empty for a budget of zero or below.
std::string prefixWithinUTF16(std::string_view text, std::int64_t maxUTF16);

// The longest prefix of whole user-perceived characters that takes at most `maxBytes`
// bytes of `text` (UTF-8), its bytes as they were.
std::string prefixWithinBytes(std::string_view text, std::size_t maxBytes);

// The number of UTF-16 code units `text` takes: what the service's length limits count.
std::int64_t utf16Length(std::string_view text);

// `text` without the white-space and line-break code points (Unicode White_Space) at
// either end.
std::string trimmedWhiteSpace(std::string_view text);

// Unicode lower case, language-neutral.
std::string lowercased(std::string_view text);

// Unicode upper case, language-neutral: the same capitals whatever the user's language.
std::string uppercased(std::string_view text);

// The canonical composition (NFC) of `text`: two texts are canonically equivalent
// exactly when their canonical forms are equal, so it serves as a set key.
std::string canonicalForm(std::string_view text);

}  // namespace vesk

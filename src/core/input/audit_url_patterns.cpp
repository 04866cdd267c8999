#include "core/input/audit_url_patterns.h"

#include "core/text/text_rules.h"

#include <unicode/uchar.h>

namespace vesk {

namespace {

using Index = int32_t;

constexpr Index longestLabel = 63;
constexpr Index noMatch = -1;

// Every character the scans test for lies in the BMP, so they read UTF-16 units: a
// surrogate is never one of them, and no run ends inside a surrogate pair.

bool isWhiteSpace(char16_t unit) { return u_isUWhiteSpace(unit); }

// Anything but white space, "<", ">", '"', "'", "`", ")" and "]".
bool isLinkCharacter(char16_t unit) {
  switch (unit) {
    case u'<':
    case u'>':
    case u'"':
    case u'\'':
    case u'`':
    case u')':
    case u']': return false;
    default: return !isWhiteSpace(unit);
  }
}

// An ASCII letter or digit, compared case-insensitively: the case closure of "a" to "z"
// also holds U+017F LATIN SMALL LETTER LONG S and U+212A KELVIN SIGN.
bool isLabelCharacter(char16_t unit) {
  return (unit >= u'0' && unit <= u'9') || (unit >= u'a' && unit <= u'z') || (unit >= u'A' && unit <= u'Z') ||
         unit == 0x017F || unit == 0x212A;
}

bool isLabelCharacterOrHyphen(char16_t unit) { return unit == u'-' || isLabelCharacter(unit); }

bool opensHost(char16_t unit) { return unit == u'(' || unit == u'[' || unit == u'<' || isWhiteSpace(unit); }

// The end of the label that begins at `start`, or noMatch. Labels are matched greedily:
// the longest stretch of at most 63 letters, digits and hyphens that ends in a letter or
// digit. Only a label that is a whole run can be followed by a dot.
Index labelEnd(const icu::UnicodeString& text, Index start) {
  const Index length = text.length();
  if (start >= length || !isLabelCharacter(text.charAt(start))) return noMatch;
  Index end = start + 1;
  for (Index i = start + 1; i < length && i - start < longestLabel && isLabelCharacterOrHyphen(text.charAt(i)); ++i) {
    if (isLabelCharacter(text.charAt(i))) end = i + 1;
  }
  return end;
}

bool isDotThenLabel(const icu::UnicodeString& text, Index index) {
  return index + 1 < text.length() && text.charAt(index) == u'.' && isLabelCharacter(text.charAt(index + 1));
}

// The end of a host of two or more labels that begins at `start`, or noMatch. Once a
// second label has begun the host is certain, so a failed attempt reads at most 65 units.
Index hostEnd(const icu::UnicodeString& text, Index start) {
  Index end = labelEnd(text, start);
  if (end == noMatch || !isDotThenLabel(text, end)) return noMatch;
  do {
    end = labelEnd(text, end + 1);
  } while (isDotThenLabel(text, end));
  return end;
}

Index linkCharactersEnd(const icu::UnicodeString& text, Index start) {
  Index end = start;
  while (end < text.length() && isLinkCharacter(text.charAt(end))) ++end;
  return end;
}

// ICU's simple word boundary: the characters that count as word characters, and those
// skipped when looking back for the character before a position.
bool isWordCharacter(UChar32 c) {
  return u_hasBinaryProperty(c, UCHAR_ALPHABETIC) || (U_GET_GC_MASK(c) & (U_GC_M_MASK | U_GC_ND_MASK | U_GC_PC_MASK)) ||
         c == 0x200C || c == 0x200D;
}

bool isSkippedByWordBoundary(UChar32 c) {
  return u_hasBinaryProperty(c, UCHAR_GRAPHEME_EXTEND) || u_charType(c) == U_FORMAT_CHAR;
}

// Whether a word boundary lies before the word character at `index`.
bool followsNoWordCharacter(const icu::UnicodeString& text, Index index) {
  while (index > 0) {
    index = text.moveIndex32(index, -1);
    const UChar32 c = text.char32At(index);
    if (!isSkippedByWordBoundary(c)) return !isWordCharacter(c);
  }
  return true;
}

bool foldsTo(const icu::UnicodeString& text, Index index, char16_t letter) {
  return index < text.length() && u_foldCase(text.charAt(index), U_FOLD_CASE_DEFAULT) == letter;
}

bool isSeparatorAt(const icu::UnicodeString& text, Index index) {
  return index + 3 <= text.length() && text.charAt(index) == u':' && text.charAt(index + 1) == u'/' &&
         text.charAt(index + 2) == u'/';
}

// The end of a link that begins at `start`, or noMatch.
Index linkEnd(const icu::UnicodeString& text, Index start) {
  Index i = start;
  for (const char16_t letter : {u'h', u't', u't', u'p'}) {
    if (!foldsTo(text, i++, letter)) return noMatch;
  }
  if (!isSeparatorAt(text, i)) {
    if (!foldsTo(text, i, u's') || !isSeparatorAt(text, i + 1)) return noMatch;
    ++i;
  }
  const Index end = linkCharactersEnd(text, i + 3);
  if (end == i + 3 || !followsNoWordCharacter(text, start)) return noMatch;
  return end;
}

}  // namespace

std::vector<std::string> findLinks(const icu::UnicodeString& text) {
  std::vector<std::string> links;
  Index index = 0;
  while (index < text.length()) {
    const Index end = linkEnd(text, index);
    if (end == noMatch) {
      ++index;
      continue;
    }
    links.push_back(toUtf8(text.tempSubStringBetween(index, end)));
    index = end;
  }
  return links;
}

std::vector<BareDomain> findBareDomains(const icu::UnicodeString& text) {
  std::vector<BareDomain> domains;
  Index index = 0;
  while (index < text.length()) {
    // The host begins at the start of the text, or one unit after an opening character.
    Index hostStart = index;
    Index end = index == 0 ? hostEnd(text, 0) : noMatch;
    if (end == noMatch && opensHost(text.charAt(index))) end = hostEnd(text, hostStart = index + 1);
    if (end == noMatch) {
      ++index;
      continue;
    }
    BareDomain domain{toUtf8(text.tempSubStringBetween(hostStart, end)), std::nullopt};
    if (end < text.length() && text.charAt(end) == u'/') {
      const Index pathEnd = linkCharactersEnd(text, end + 1);
      domain.path = toUtf8(text.tempSubStringBetween(end, pathEnd));
      end = pathEnd;
    }
    domains.push_back(std::move(domain));
    index = end;
  }
  return domains;
}

}  // namespace vesk

#include "core/report/report_text.h"

#include <unicode/uchar.h>
#include <unicode/utf8.h>

#include <cstdint>

namespace vesk {

bool isWhiteSpace(char32_t codePoint) { return u_isUWhiteSpace(static_cast<UChar32>(codePoint)); }

std::string_view trimmedWhiteSpace(std::string_view text) {
  const char* bytes = text.data();
  const auto length = static_cast<std::int32_t>(text.size());
  std::int32_t start = 0;
  while (start < length) {
    std::int32_t next = start;
    UChar32 c = 0;
    U8_NEXT(bytes, next, length, c);
    if (c < 0 || !u_isUWhiteSpace(c)) break;
    start = next;
  }
  std::int32_t end = length;
  while (end > start) {
    std::int32_t previous = end;
    UChar32 c = 0;
    U8_PREV(bytes, start, previous, c);
    if (c < 0 || !u_isUWhiteSpace(c)) break;
    end = previous;
  }
  return text.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(end - start));
}

std::size_t utf16Length(std::string_view text) {
  std::size_t units = 0;
  for (const char byte : text) {
    const auto lead = static_cast<unsigned char>(byte);
    if ((lead & 0xC0) == 0x80) continue;  // a continuation byte
    units += lead >= 0xF0 ? 2 : 1;        // four-byte sequences lie outside the BMP
  }
  return units;
}

}  // namespace vesk

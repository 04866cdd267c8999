#include "core/input/audit_url_patterns.h"

#include <unicode/uchar.h>

namespace vesk {

const UnicodePattern& linkPattern() {
  static const UnicodePattern pattern(R"re(\bhttps?://[^\s<>\"'`)\]]+)re", UREGEX_CASE_INSENSITIVE);
  return pattern;
}

const UnicodePattern& bareDomainPattern() {
  static const UnicodePattern pattern(
      R"re((^|[\s(\[<])([a-z0-9](?:[a-z0-9-]{0,61}[a-z0-9])?(?:\.[a-z0-9](?:[a-z0-9-]{0,61}[a-z0-9])?)+)(/[^\s<>\"'`)\]]*)?)re",
      UREGEX_CASE_INSENSITIVE);
  return pattern;
}

namespace {

// Whether a host can begin at `index`: a run of characters that a label may hold, then
// a dot. Counting every non-ASCII unit as a label character keeps this true wherever the
// case-insensitive label class could match, whatever its case closure holds.
bool hostMayBeginAt(const icu::UnicodeString& text, int32_t index) {
  const int32_t length = text.length();
  for (int32_t i = index; i < length; ++i) {
    const char16_t unit = text.charAt(i);
    if (unit == u'.') return i > index;
    const bool labelUnit = unit >= 0x80 || unit == u'-' || (unit >= u'0' && unit <= u'9') ||
                           (unit >= u'a' && unit <= u'z') || (unit >= u'A' && unit <= u'Z');
    if (!labelUnit) return false;
  }
  return false;
}

}  // namespace

bool mayStartBareDomain(const icu::UnicodeString& text, int32_t index) {
  if (index >= text.length()) return false;
  if (index == 0 && hostMayBeginAt(text, 0)) return true;
  // ICU's \s is the White_Space property; in ASCII that is tab to carriage return and
  // the space. White space lies in the BMP, so the host starts one unit on.
  const char16_t unit = text.charAt(index);
  const bool opensHost =
      unit < 0x80 ? unit == u' ' || (unit >= u'\t' && unit <= u'\r') || unit == u'(' || unit == u'[' || unit == u'<'
                  : u_isUWhiteSpace(unit);
  return opensHost && hostMayBeginAt(text, index + 1);
}

}  // namespace vesk

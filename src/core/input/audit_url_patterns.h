#pragma once
// The two patterns that find web addresses in a brief, compiled once, case-insensitive.
#include "core/text/unicode_pattern.h"

namespace vesk {

// A link written out with its scheme; stops at white space, angle brackets, quotes,
// backticks and closing brackets.
const UnicodePattern& linkPattern();

// A bare domain (group 2) with an optional path (group 3), at the start of the text or
// after white space, "(", "[" or "<" (group 1), so never the host of a link or of an
// e-mail address.
const UnicodePattern& bareDomainPattern();

// False only where no bare-domain match can begin: a match starts at the start of the
// text or at a white-space character, "(", "[" or "<" (group 1), and its host needs a
// dot after its first label.
bool mayStartBareDomain(const icu::UnicodeString& text, int32_t index);

}  // namespace vesk

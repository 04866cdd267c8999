#pragma once
// The two patterns that find web addresses in a brief, matched by single forward scans
// that never backtrack: they take linear time and cannot fail, however long the runs of
// labels in a pasted text. Each finds exactly what this ICU expression (the second one
// broken over two lines here), compiled case-insensitive and searched left to right
// without overlaps, finds:
//
//   link:        \bhttps?://[^\s<>\"'`)\]]+
//   bare domain: (^|[\s(\[<])([a-z0-9](?:[a-z0-9-]{0,61}[a-z0-9])?(?:\.[a-z0-9](?:[a-z0-9-]{0,61}[a-z0-9])?)+)
//                (/[^\s<>\"'`)\]]*)?
#include <unicode/unistr.h>

#include <optional>
#include <string>
#include <vector>

namespace vesk {

// Every link written out with its scheme; it stops at white space, angle brackets,
// quotes, backticks and closing brackets.
std::vector<std::string> findLinks(const icu::UnicodeString& text);

// A bare domain: its host (two or more labels of letters, digits and hyphens joined by
// dots) and, when a "/" follows it, the path up to where a link would stop.
struct BareDomain {
  std::string host;
  std::optional<std::string> path;
  bool operator==(const BareDomain&) const = default;
};

// Every bare domain at the start of the text or after white space, "(", "[" or "<", so
// never the host of a link or of an e-mail address.
std::vector<BareDomain> findBareDomains(const icu::UnicodeString& text);

}  // namespace vesk

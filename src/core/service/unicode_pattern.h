#pragma once
// A compiled ICU regular expression: Unicode-aware classes and case folding, matched
// over UTF-16 exactly as ICU's own engine reads a pattern.
#include <unicode/regex.h>
#include <unicode/unistr.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace vesk {

class UnicodePattern {
 public:
  // The capture groups of one match as UTF-8: element 0 is the whole match; a group
  // that took no part in the match is absent.
  using Groups = std::vector<std::optional<std::string>>;

  // Compiles `pattern` with ICU flags such as UREGEX_CASE_INSENSITIVE; a pattern that
  // does not compile is a programming error and throws std::logic_error.
  UnicodePattern(const char* pattern, uint32_t flags);

  // Every match in `text`, non-overlapping, left to right. Safe to call from several
  // threads: each call makes its own matcher.
  std::vector<Groups> findAll(const icu::UnicodeString& text) const;

 private:
  std::unique_ptr<icu::RegexPattern> compiled_;
};

}  // namespace vesk

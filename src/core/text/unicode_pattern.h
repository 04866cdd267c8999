#pragma once
// A compiled ICU regular expression: Unicode-aware classes and case folding, matched
// over UTF-16 exactly as ICU's own engine reads a pattern.
#include <unicode/regex.h>
#include <unicode/unistr.h>

#include <cstdint>
#include <functional>
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

  // Tells whether a match may begin at a UTF-16 index of the text.
  using StartFilter = std::function<bool(const icu::UnicodeString& text, int32_t index)>;

  // The same matches as findAll(text), found faster by trying only the indices where
  // `mayStart` holds. It must hold wherever a match can begin.
  std::vector<Groups> findAll(const icu::UnicodeString& text, const StartFilter& mayStart) const;

 private:
  std::unique_ptr<icu::RegexMatcher> matcherFor(const icu::UnicodeString& text) const;

  std::unique_ptr<icu::RegexPattern> compiled_;
};

}  // namespace vesk

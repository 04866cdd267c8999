#pragma once
// A compiled ICU regular expression, the reference the input scans are checked against:
// Unicode-aware classes and case folding, matched over UTF-16 by ICU's own engine.
#include <unicode/regex.h>
#include <unicode/unistr.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace vesk::testing {

class UnicodePattern {
 public:
  // The capture groups of one match as UTF-8: element 0 is the whole match; a group
  // that took no part in the match is absent.
  using Groups = std::vector<std::optional<std::string>>;

  // Compiles `pattern` with ICU flags such as UREGEX_CASE_INSENSITIVE; throws
  // std::logic_error when it does not compile.
  UnicodePattern(const char* pattern, uint32_t flags);

  // Every match in `text`, non-overlapping, left to right; throws std::runtime_error
  // when ICU gives up (its backtracking stack is bounded).
  std::vector<Groups> findAll(const icu::UnicodeString& text) const;

 private:
  std::unique_ptr<icu::RegexPattern> compiled_;
};

}  // namespace vesk::testing

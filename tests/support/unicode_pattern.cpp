#include "support/unicode_pattern.h"

#include "core/text/text_rules.h"

#include <stdexcept>

namespace vesk::testing {

UnicodePattern::UnicodePattern(const char* pattern, uint32_t flags) {
  UErrorCode status = U_ZERO_ERROR;
  UParseError where{};
  compiled_.reset(icu::RegexPattern::compile(icu::UnicodeString::fromUTF8(pattern), flags, where, status));
  if (U_FAILURE(status) || !compiled_)
    throw std::logic_error(std::string("pattern does not compile: ") + u_errorName(status));
}

namespace {

void check(UErrorCode status) {
  if (U_FAILURE(status)) throw std::runtime_error(std::string("ICU matching failed: ") + u_errorName(status));
}

UnicodePattern::Groups groupsOf(const icu::RegexMatcher& matcher, const icu::UnicodeString& text) {
  UErrorCode status = U_ZERO_ERROR;
  UnicodePattern::Groups groups;
  for (int32_t group = 0; group <= matcher.groupCount(); ++group) {
    const int32_t start = matcher.start(group, status);
    if (start < 0) {
      groups.emplace_back();
      continue;
    }
    groups.emplace_back(toUtf8(text.tempSubStringBetween(start, matcher.end(group, status))));
  }
  check(status);
  return groups;
}

}  // namespace

std::vector<UnicodePattern::Groups> UnicodePattern::findAll(const icu::UnicodeString& text) const {
  UErrorCode status = U_ZERO_ERROR;
  const std::unique_ptr<icu::RegexMatcher> matcher(compiled_->matcher(text, status));
  check(status);
  std::vector<Groups> matches;
  while (matcher->find(status) && U_SUCCESS(status)) matches.push_back(groupsOf(*matcher, text));
  check(status);
  return matches;
}

}  // namespace vesk::testing

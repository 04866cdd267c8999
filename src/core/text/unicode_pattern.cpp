#include "core/text/unicode_pattern.h"

#include "core/text/text_rules.h"

#include <unicode/utf16.h>

#include <stdexcept>

namespace vesk {

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

std::unique_ptr<icu::RegexMatcher> UnicodePattern::matcherFor(const icu::UnicodeString& text) const {
  UErrorCode status = U_ZERO_ERROR;
  std::unique_ptr<icu::RegexMatcher> matcher(compiled_->matcher(text, status));
  check(status);
  return matcher;
}

std::vector<UnicodePattern::Groups> UnicodePattern::findAll(const icu::UnicodeString& text) const {
  const auto matcher = matcherFor(text);
  UErrorCode status = U_ZERO_ERROR;
  std::vector<Groups> matches;
  while (matcher->find(status) && U_SUCCESS(status)) matches.push_back(groupsOf(*matcher, text));
  check(status);
  return matches;
}

std::vector<UnicodePattern::Groups> UnicodePattern::findAll(const icu::UnicodeString& text,
                                                            const StartFilter& mayStart) const {
  const auto matcher = matcherFor(text);
  UErrorCode status = U_ZERO_ERROR;
  std::vector<Groups> matches;
  const int32_t length = text.length();
  int32_t index = 0;
  while (index <= length) {
    if (mayStart(text, index)) {
      // A match anchored at `index` over the whole text, so "^", "\b" and look-behind
      // read as they do in a plain search.
      if (matcher->lookingAt(index, status)) {
        matches.push_back(groupsOf(*matcher, text));
        const int32_t end = matcher->end(status);
        if (end > index) {
          index = end;
          continue;
        }
      }
      check(status);
    }
    if (index == length) break;
    // On by one code point, as a plain search steps.
    const bool pair = U16_IS_LEAD(text.charAt(index)) && index + 1 < length && U16_IS_TRAIL(text.charAt(index + 1));
    index += pair ? 2 : 1;
  }
  return matches;
}

}  // namespace vesk

#include "core/text/text_equivalence.h"

#include <unicode/bytestream.h>
#include <unicode/normalizer2.h>
#include <unicode/stringpiece.h>

namespace vesk {

namespace {

const icu::Normalizer2* composingNormalizer() {
  UErrorCode status = U_ZERO_ERROR;
  const icu::Normalizer2* normalizer = icu::Normalizer2::getNFCInstance(status);
  return U_SUCCESS(status) ? normalizer : nullptr;
}

bool isComposed(const icu::Normalizer2& normalizer, std::string_view text) {
  UErrorCode status = U_ZERO_ERROR;
  const bool composed = normalizer.isNormalizedUTF8(icu::StringPiece(text.data(), text.size()), status);
  return U_SUCCESS(status) && composed;
}

std::string composed(const icu::Normalizer2& normalizer, std::string_view text) {
  std::string result;
  icu::StringByteSink<std::string> sink(&result, static_cast<int32_t>(text.size()));
  UErrorCode status = U_ZERO_ERROR;
  normalizer.normalizeUTF8(0, icu::StringPiece(text.data(), text.size()), sink, nullptr, status);
  if (U_FAILURE(status)) return std::string(text);
  return result;
}

}  // namespace

bool canonicallyEqual(std::string_view first, std::string_view second) {
  if (first == second) return true;
  static const icu::Normalizer2* const normalizer = composingNormalizer();
  if (normalizer == nullptr) return false;
  // Two different texts that are both already composed cannot be equivalent.
  if (isComposed(*normalizer, first) && isComposed(*normalizer, second)) return false;
  return composed(*normalizer, first) == composed(*normalizer, second);
}

bool canonicallyEqualShared(const SharedText& first, const SharedText& second) {
  if (first.sharesBufferWith(second) || first.str() == second.str()) return true;
  if (first.isComposed() && second.isComposed()) return false;
  return canonicallyEqual(first.view(), second.view());
}

bool isComposedText(std::string_view text) {
  static const icu::Normalizer2* const normalizer = composingNormalizer();
  return normalizer != nullptr && isComposed(*normalizer, text);
}

bool canonicallyEqualOptionals(const std::optional<std::string>& first, const std::optional<std::string>& second) {
  if (first.has_value() != second.has_value()) return false;
  return !first.has_value() || canonicallyEqual(*first, *second);
}

}  // namespace vesk

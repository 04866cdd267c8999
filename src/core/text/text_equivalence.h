#pragma once
// Equality of texts by Unicode canonical equivalence: "é" written as one code point equals
// "e" followed by a combining acute accent. No case folding, no trimming.
#include "core/text/shared_text.h"

#include <concepts>
#include <optional>
#include <string>
#include <string_view>

namespace vesk {

// Both texts are UTF-8.
bool canonicallyEqual(std::string_view first, std::string_view second);

// The same for shared texts: one buffer is equal without reading it, and whether each
// text is composed is worked out once per buffer.
// (Only shared texts take this one: a plain string would reach both.)
bool canonicallyEqualShared(const SharedText& first, const SharedText& second);
template <std::same_as<SharedText> Text>
bool canonicallyEqual(const Text& first, const Text& second) {
  return canonicallyEqualShared(first, second);
}

// Whether the UTF-8 `text` is in composed form (NFC); false when it cannot be told.
bool isComposedText(std::string_view text);

// Equal when both are absent, or both are present and canonically equal.
bool canonicallyEqualOptionals(const std::optional<std::string>& first, const std::optional<std::string>& second);

}  // namespace vesk

#pragma once
// Equality of texts by Unicode canonical equivalence: "é" written as one code point equals
// "e" followed by a combining acute accent. No case folding, no trimming.
#include <optional>
#include <string>
#include <string_view>

namespace vesk {

// Both texts are UTF-8.
bool canonicallyEqual(std::string_view first, std::string_view second);

// Equal when both are absent, or both are present and canonically equal.
bool canonicallyEqualOptionals(const std::optional<std::string>& first, const std::optional<std::string>& second);

}  // namespace vesk

#pragma once
#include <string>
#include <string_view>

namespace vesk {

// The text with every trailing "/" removed.
std::string withoutTrailingSlashes(std::string_view text);
// The text with every leading and trailing "/" removed: the form in which a signed-in
// origin is stored.
std::string withoutSurroundingSlashes(std::string_view text);

}  // namespace vesk

#pragma once
// The five looks of a text button.
#include <array>

namespace vesk {

enum class VeskButtonRole { primary, secondary, tertiary, accent, destructive };

inline constexpr std::array<VeskButtonRole, 5> allButtonRoles{VeskButtonRole::primary, VeskButtonRole::secondary,
                                                              VeskButtonRole::tertiary, VeskButtonRole::accent,
                                                              VeskButtonRole::destructive};

}  // namespace vesk

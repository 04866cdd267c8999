#pragma once
// The five looks of a text button.
#include <array>

namespace vesk {

enum class VeskButtonRole { primary, secondary, tertiary, accent, destructive };

// A pill's size: the regular one, or the compact one of dense rows.
enum class PillSize { regular, compact };

inline constexpr std::array<PillSize, 2> allPillSizes{PillSize::regular, PillSize::compact};

inline constexpr std::array<VeskButtonRole, 5> allButtonRoles{VeskButtonRole::primary, VeskButtonRole::secondary,
                                                              VeskButtonRole::tertiary, VeskButtonRole::accent,
                                                              VeskButtonRole::destructive};

}  // namespace vesk

#pragma once
// The accessibility settings the styles follow, worked out from the desktop's settings
// and any forcing through the environment.
#include <functional>
#include <optional>

namespace vesk {

struct AccessibilityState {
  bool reduceMotion = false;
  bool increaseContrast = false;
  bool reduceTransparency = false;
  bool operator==(const AccessibilityState&) const = default;
};

// Settings forced by environment variables (VESK_REDUCE_MOTION, VESK_INCREASE_CONTRAST,
// VESK_REDUCE_TRANSPARENCY set to 1/true/yes/on or 0/false/no/off), for tests and for
// desktops that lack the setting. Any other value forces nothing.
struct AccessibilityOverrides {
  std::optional<bool> reduceMotion;
  std::optional<bool> increaseContrast;
  std::optional<bool> reduceTransparency;

  using Lookup = std::function<const char*(const char* name)>;
  static AccessibilityOverrides fromEnvironment(const Lookup& lookup);
  static AccessibilityOverrides fromProcessEnvironment();
};

// The desktop has no Reduce Transparency setting, so it follows Increase Contrast unless
// forced.
AccessibilityState resolveAccessibility(bool animationsEnabled, bool highContrast,
                                        const AccessibilityOverrides& overrides);

}  // namespace vesk

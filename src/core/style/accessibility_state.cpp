#include "core/style/accessibility_state.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdlib>
#include <string>
#include <string_view>

namespace vesk {

namespace {

std::optional<bool> parseSwitch(const char* text) {
  if (!text) return std::nullopt;
  std::string value(text);
  std::transform(value.begin(), value.end(), value.begin(), [](unsigned char c) { return std::tolower(c); });
  constexpr std::array<std::string_view, 4> on{"1", "true", "yes", "on"};
  constexpr std::array<std::string_view, 4> off{"0", "false", "no", "off"};
  if (std::find(on.begin(), on.end(), value) != on.end()) return true;
  if (std::find(off.begin(), off.end(), value) != off.end()) return false;
  return std::nullopt;
}

}  // namespace

AccessibilityOverrides AccessibilityOverrides::fromEnvironment(const Lookup& lookup) {
  return {parseSwitch(lookup("VESK_REDUCE_MOTION")), parseSwitch(lookup("VESK_INCREASE_CONTRAST")),
          parseSwitch(lookup("VESK_REDUCE_TRANSPARENCY"))};
}

AccessibilityOverrides AccessibilityOverrides::fromProcessEnvironment() {
  return fromEnvironment([](const char* name) { return std::getenv(name); });
}

AccessibilityState resolveAccessibility(bool animationsEnabled, bool highContrast,
                                        const AccessibilityOverrides& overrides) {
  AccessibilityState state;
  state.reduceMotion = overrides.reduceMotion.value_or(!animationsEnabled);
  state.increaseContrast = overrides.increaseContrast.value_or(highContrast);
  state.reduceTransparency = overrides.reduceTransparency.value_or(state.increaseContrast);
  return state;
}

}  // namespace vesk

#include "core/style/accessibility_state.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

using vesk::AccessibilityOverrides;
using vesk::AccessibilityState;

namespace {
AccessibilityOverrides overridesFrom(const std::map<std::string, std::string>& environment) {
  return AccessibilityOverrides::fromEnvironment([&](const char* name) -> const char* {
    const auto found = environment.find(name);
    return found == environment.end() ? nullptr : found->second.c_str();
  });
}
}  // namespace

TEST(AccessibilityState, DesktopSettingsAndForcedValues) {
  // The desktop alone: transparency follows contrast.
  EXPECT_EQ(vesk::resolveAccessibility(true, false, {}), (AccessibilityState{false, false, false}));
  EXPECT_EQ(vesk::resolveAccessibility(false, false, {}), (AccessibilityState{true, false, false}));
  EXPECT_EQ(vesk::resolveAccessibility(true, true, {}), (AccessibilityState{false, true, true}));

  // Forcing through the environment wins over the desktop, one setting at a time.
  EXPECT_EQ(vesk::resolveAccessibility(true, true, overridesFrom({{"VESK_REDUCE_TRANSPARENCY", "0"}})),
            (AccessibilityState{false, true, false}));
  EXPECT_EQ(vesk::resolveAccessibility(true, false, overridesFrom({{"VESK_INCREASE_CONTRAST", "Yes"}})),
            (AccessibilityState{false, true, true}));
  EXPECT_EQ(vesk::resolveAccessibility(
                true, false, overridesFrom({{"VESK_REDUCE_MOTION", "on"}, {"VESK_REDUCE_TRANSPARENCY", "1"}})),
            (AccessibilityState{true, false, true}));
  EXPECT_EQ(vesk::resolveAccessibility(
                false, true, overridesFrom({{"VESK_REDUCE_MOTION", "false"}, {"VESK_INCREASE_CONTRAST", "off"}})),
            (AccessibilityState{false, false, false}));
  // Values that are neither on nor off force nothing.
  EXPECT_EQ(vesk::resolveAccessibility(
                true, true, overridesFrom({{"VESK_INCREASE_CONTRAST", ""}, {"VESK_REDUCE_MOTION", "maybe"}})),
            (AccessibilityState{false, true, true}));
}

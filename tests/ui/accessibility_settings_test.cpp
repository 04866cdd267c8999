#include "ui/style/accessibility_settings.h"
#include "ui/style/vesk_environment.h"
#include "ui/support/ui_test.h"

#include <gtkmm/label.h>

using vesk::AccessibilityState;
using vesk::ui::AccessibilitySettings;

class AccessibilitySettingsTest : public vesk::testing::UiTest {};

TEST_F(AccessibilitySettingsTest, FollowsTheDesktopLive) {
  auto& settings = AccessibilitySettings::shared();
  ASSERT_EQ(settings.state(), (AccessibilityState{}));
  int changes = 0;
  auto connection = settings.signalChanged().connect([&] { ++changes; });

  Gtk::Settings::get_default()->property_gtk_enable_animations() = false;
  EXPECT_EQ(settings.state(), (AccessibilityState{true, false, false}));

  auto desktop = Gio::Settings::create(AccessibilitySettings::interfaceSchema);
  desktop->set_boolean(AccessibilitySettings::highContrastKey, true);
  EXPECT_EQ(settings.state(), (AccessibilityState{true, true, true}));

  // Widgets read the live state unless a subtree forces its own.
  Gtk::Label plain;
  Gtk::Label forced;
  vesk::ui::forceVeskAccessibility(forced, {});
  EXPECT_EQ(vesk::ui::veskAccessibility(plain), (AccessibilityState{true, true, true}));
  EXPECT_EQ(vesk::ui::veskAccessibility(forced), (AccessibilityState{}));

  desktop->set_boolean(AccessibilitySettings::highContrastKey, false);
  Gtk::Settings::get_default()->property_gtk_enable_animations() = true;
  EXPECT_EQ(settings.state(), (AccessibilityState{}));
  EXPECT_EQ(changes, 4);
  connection.disconnect();
}

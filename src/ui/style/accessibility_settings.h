#pragma once
// The desktop's accessibility settings, read live: Reduce Motion from GTK's
// gtk-enable-animations, Increase Contrast from GNOME's high-contrast interface setting
// (off where the desktop lacks it), Reduce Transparency following Increase Contrast.
// Each may be forced by an environment variable (see AccessibilityOverrides).
#include "core/style/accessibility_state.h"

#include <giomm/settings.h>
#include <gtkmm/settings.h>
#include <sigc++/signal.h>

namespace vesk::ui {

class AccessibilitySettings {
 public:
  // The application's one instance, made on first use after GTK is initialised.
  static AccessibilitySettings& shared();

  AccessibilitySettings(const AccessibilitySettings&) = delete;
  AccessibilitySettings& operator=(const AccessibilitySettings&) = delete;

  const AccessibilityState& state() const { return state_; }
  // Emitted after the state changed.
  sigc::signal<void()>& signalChanged() { return changed_; }

  // The GNOME settings that hold the high-contrast switch.
  static constexpr const char* interfaceSchema = "org.gnome.desktop.a11y.interface";
  static constexpr const char* highContrastKey = "high-contrast";

 private:
  AccessibilitySettings();
  void update();

  AccessibilityOverrides overrides_;
  Glib::RefPtr<Gtk::Settings> gtkSettings_;
  Glib::RefPtr<Gio::Settings> interfaceSettings_;  // absent where the schema is not installed
  AccessibilityState state_;
  sigc::signal<void()> changed_;
};

}  // namespace vesk::ui

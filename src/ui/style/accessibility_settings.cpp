#include "ui/style/accessibility_settings.h"

#include <giomm/settingsschemasource.h>

namespace vesk::ui {

AccessibilitySettings& AccessibilitySettings::shared() {
  static AccessibilitySettings settings;
  return settings;
}

AccessibilitySettings::AccessibilitySettings()
    : overrides_(AccessibilityOverrides::fromProcessEnvironment()), gtkSettings_(Gtk::Settings::get_default()) {
  if (gtkSettings_) gtkSettings_->property_gtk_enable_animations().signal_changed().connect([this] { update(); });
  const auto schemas = Gio::SettingsSchemaSource::get_default();
  if (schemas) {
    const auto schema = schemas->lookup(interfaceSchema, true);
    if (schema && schema->has_key(highContrastKey)) {
      interfaceSettings_ = Gio::Settings::create(interfaceSchema);
      interfaceSettings_->signal_changed(highContrastKey).connect([this](const Glib::ustring&) { update(); });
    }
  }
  update();
}

void AccessibilitySettings::update() {
  const bool animations = gtkSettings_ ? gtkSettings_->property_gtk_enable_animations().get_value() : true;
  const bool highContrast = interfaceSettings_ && interfaceSettings_->get_boolean(highContrastKey);
  const AccessibilityState next = resolveAccessibility(animations, highContrast, overrides_);
  if (next == state_) return;
  state_ = next;
  changed_.emit();
}

}  // namespace vesk::ui

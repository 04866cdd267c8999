#include "ui/style/style_startup.h"

#include "ui/style/accessibility_settings.h"
#include "ui/style/bundled_icons.h"
#include "ui/style/vesk_style_provider.h"
#include "ui/style/vesk_typography.h"

#include <gdkmm/display.h>

namespace vesk::ui {

void startUpVeskStyle(const std::optional<ResourceBundle>& bundle) {
  VeskTypography::registerFonts(bundle);
  if (const auto display = Gdk::Display::get_default()) {
    VeskStyleProvider::install(display);
    if (const auto icons = BundledIcons::addToIconTheme(display, bundle)) BundledIcons::warmDecoder(*icons);
  }
  AccessibilitySettings::shared();
}

}  // namespace vesk::ui

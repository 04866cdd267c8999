#pragma once
// What the visual system needs before the first widget is built.
#include "core/style/resource_bundle.h"

#include <optional>

namespace vesk::ui {

// Registers the bundle's fonts (once per process), installs the stylesheet and the
// bundle's symbolic icons on the default display and starts following the accessibility
// settings. A missing bundle leaves text in the system's fonts. Call after GTK is
// initialised.
void startUpVeskStyle(const std::optional<ResourceBundle>& bundle);

}  // namespace vesk::ui

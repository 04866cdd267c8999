#pragma once
// Values handed down and up the widget tree. A container sets a value on itself; a
// widget reads the value set on itself or its nearest ancestor, else the default:
//   - the header inset (how far content pads below the window header, default 112),
//   - whether a widget sits in a sheet or popup (default false),
//   - the accessibility settings, which a subtree may force (the style gallery shows
//     the variants side by side); elsewhere the desktop's live settings.
// The header's height travels upwards instead: widgets report it, an observing
// ancestor receives the largest report (at least 78).
#include "core/style/accessibility_state.h"
#include "core/style/vesk_environment_keys.h"

#include <gtkmm/widget.h>
#include <sigc++/connection.h>

#include <functional>
#include <optional>

namespace vesk::ui {

double veskHeaderInset(const Gtk::Widget& widget);
void setVeskHeaderInset(Gtk::Widget& widget, double inset);

bool veskInsidePopup(const Gtk::Widget& widget);
void setVeskInsidePopup(Gtk::Widget& widget, bool insidePopup);

AccessibilityState veskAccessibility(const Gtk::Widget& widget);
void forceVeskAccessibility(Gtk::Widget& widget, const AccessibilityState& state);

// Reports (or, with nothing, withdraws) `reporter`'s header height to its observing
// ancestors.
void reportVeskChromeHeight(Gtk::Widget& reporter, std::optional<double> height);
// Calls `changed` with the combined height whenever a report below `observer` changes
// it. The connection ends with the observer.
sigc::connection observeVeskChromeHeight(Gtk::Widget& observer, std::function<void(double)> changed);
// The combined height of the reports below `observer` (and its own).
double veskChromeHeight(const Gtk::Widget& observer);

}  // namespace vesk::ui

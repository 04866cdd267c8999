#include "ui/style/vesk_sheet_surface.h"

#include "core/style/vesk_stylesheet.h"
#include "ui/style/vesk_environment.h"

#include <gtkmm/native.h>
#include <gtkmm/popover.h>
#include <gtkmm/window.h>

namespace vesk::ui {

VeskSheetSurface::VeskSheetSurface(bool withinWindow)
    : VeskGlassSurface(sheetRadius, VeskGlassRole::panel, false), withinWindow_(withinWindow) {
  setVeskInsidePopup(*this, true);
  if (withinWindow) add_css_class(VeskStylesheet::sheetUnderlayClass);
  signal_realize().connect(sigc::mem_fun(*this, &VeskSheetSurface::clearPresentation));
}

// The popover or dialog window that presents the sheet stops drawing its own
// background. A window can only be see-through where the display composites; elsewhere
// it keeps its background rather than showing black.
void VeskSheetSurface::clearPresentation() {
  auto* native = dynamic_cast<Gtk::Widget*>(get_native());
  if (!native) return;
  if (auto* window = dynamic_cast<Gtk::Window*>(native)) {
    if (!window->get_transient_for() || !get_display()->is_composited()) return;
  } else if (!dynamic_cast<Gtk::Popover*>(native)) {
    return;
  }
  native->add_css_class(VeskStylesheet::sheetPresentationClass);
}

}  // namespace vesk::ui

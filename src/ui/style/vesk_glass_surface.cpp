#include "ui/style/vesk_glass_surface.h"

#include "ui/style/accessibility_settings.h"
#include "ui/style/vesk_environment.h"
#include "ui/style/vesk_glass_painter.h"

#include <gtkmm/snapshot.h>

namespace vesk::ui {

VeskGlassSurface::VeskGlassSurface(double radius, VeskGlassRole role, bool interactive)
    : radius_(radius), role_(role), interactive_(interactive) {
  AccessibilitySettings::shared().signalChanged().connect(sigc::mem_fun(*this, &VeskGlassSurface::queue_draw));
}

void VeskGlassSurface::snapshot_vfunc(const Glib::RefPtr<Gtk::Snapshot>& snapshot) {
  const graphene_rect_t bounds =
      GRAPHENE_RECT_INIT(0, 0, static_cast<float>(get_width()), static_cast<float>(get_height()));
  appendVeskGlass(snapshot->gobj(), bounds,
                  {radius_, role_, veskAccessibility(*this), get_direction() == Gtk::TextDirection::RTL});
  SingleChildWidget::snapshot_vfunc(snapshot);
}

}  // namespace vesk::ui

#include "ui/style/vesk_glass_surface.h"

#include "ui/style/accessibility_settings.h"
#include "ui/style/vesk_environment.h"
#include "ui/style/vesk_glass_painter.h"

#include <gtkmm/snapshot.h>

#include <algorithm>

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
  if (!clipsChild_) {
    SingleChildWidget::snapshot_vfunc(snapshot);
    return;
  }
  const float corner = std::min({static_cast<float>(radius_), bounds.size.width / 2, bounds.size.height / 2});
  GskRoundedRect outline;
  gsk_rounded_rect_init_from_rect(&outline, &bounds, corner);
  gtk_snapshot_push_rounded_clip(snapshot->gobj(), &outline);
  SingleChildWidget::snapshot_vfunc(snapshot);
  gtk_snapshot_pop(snapshot->gobj());
}

void VeskGlassSurface::setClipsChild(bool clips) {
  if (clips == clipsChild_) return;
  clipsChild_ = clips;
  queue_draw();
}

}  // namespace vesk::ui

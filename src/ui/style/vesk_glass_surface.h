#pragma once
// Warm translucent glass behind its child: the chrome of the sidebar, the composer box,
// the header toolbar and every sheet. It follows Reduce Transparency, Increase Contrast
// and its size at once.
#include "core/style/glass_recipe.h"
#include "ui/base/single_child_widget.h"

namespace vesk::ui {

class VeskGlassSurface : public SingleChildWidget {
 public:
  // A radius of 1000 (or anything beyond half the shorter side) draws a capsule.
  // `interactive` would let the system glass react to the pointer; the frosted
  // stand-in draws the same either way.
  VeskGlassSurface(double radius, VeskGlassRole role, bool interactive = false);

  double radius() const { return radius_; }
  VeskGlassRole role() const { return role_; }
  bool interactive() const { return interactive_; }
  // Clips the child to the surface's rounded outline, so a fill of the child's own
  // (a footer's band, a hairline) never shows past the corners.
  void setClipsChild(bool clips);

 protected:
  void snapshot_vfunc(const Glib::RefPtr<Gtk::Snapshot>& snapshot) override;

 private:
  double radius_;
  VeskGlassRole role_;
  bool interactive_;
  bool clipsChild_ = false;
};

}  // namespace vesk::ui

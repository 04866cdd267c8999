#pragma once
// Small drawing widgets the style gallery lays out: colour swatches, a striped backdrop
// that shows how much of what lies behind a surface comes through, and a lone outer
// shadow.
#include "core/style/glass_recipe.h"
#include "core/style/rgba.h"
#include "ui/base/single_child_widget.h"

#include <gtkmm/widget.h>

#include <vector>

namespace vesk::ui {

// A fixed-size rectangle of one colour, or a left-to-right gradient through a list,
// drawn over a checkerboard so translucency shows.
class GallerySwatch : public Gtk::Widget {
 public:
  GallerySwatch(std::vector<Rgba> colours, int width, int height);

 protected:
  void measure_vfunc(Gtk::Orientation orientation, int forSize, int& minimum, int& natural, int& minimumBaseline,
                     int& naturalBaseline) const override;
  void snapshot_vfunc(const Glib::RefPtr<Gtk::Snapshot>& snapshot) override;

 private:
  std::vector<Rgba> colours_;
  int width_;
  int height_;
};

// Vertical stripes of ink and white behind its child.
class StripedBackdrop : public SingleChildWidget {
 public:
  static constexpr int stripeWidth = 10;
  StripedBackdrop() = default;

 protected:
  void snapshot_vfunc(const Glib::RefPtr<Gtk::Snapshot>& snapshot) override;
};

// The elevation shadows of a role around a rounded shape, with nothing else drawn.
class ShadowSample : public Gtk::Widget {
 public:
  ShadowSample(VeskGlassRole role, double radius, int width, int height);

 protected:
  void measure_vfunc(Gtk::Orientation orientation, int forSize, int& minimum, int& natural, int& minimumBaseline,
                     int& naturalBaseline) const override;
  void snapshot_vfunc(const Glib::RefPtr<Gtk::Snapshot>& snapshot) override;

 private:
  VeskGlassRole role_;
  double radius_;
  int width_;
  int height_;
};

}  // namespace vesk::ui

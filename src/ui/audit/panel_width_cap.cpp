#include "ui/audit/panel_width_cap.h"

#include <algorithm>

namespace vesk::ui {

PanelWidthCap::PanelWidthCap(Gtk::Widget& child, int maxWidth) : child_(&child), maxWidth_(maxWidth) {
  child.set_parent(*this);
  // GTK wants children gone before the widget finalizes; let go when GTK destroys it.
  signal_destroy().connect(sigc::mem_fun(*this, &PanelWidthCap::release));
}

PanelWidthCap::~PanelWidthCap() { release(); }

void PanelWidthCap::release() {
  if (!child_) return;
  child_->unparent();
  child_ = nullptr;
}

Gtk::SizeRequestMode PanelWidthCap::get_request_mode_vfunc() const { return Gtk::SizeRequestMode::HEIGHT_FOR_WIDTH; }

void PanelWidthCap::measure_vfunc(Gtk::Orientation orientation, int forSize, int& minimum, int& natural,
                                  int& minimumBaseline, int& naturalBaseline) const {
  minimum = natural = 0;
  minimumBaseline = naturalBaseline = -1;
  if (!child_) return;
  if (orientation == Gtk::Orientation::HORIZONTAL) {
    child_->measure(orientation, forSize, minimum, natural, minimumBaseline, naturalBaseline);
    natural = std::clamp(natural, minimum, std::max(minimum, maxWidth_));
    return;
  }
  // The child never gets more than the cap; with no width given, the height is the one
  // at the child's own minimum width, as GTK expects of a height-for-width widget.
  int offered = forSize;
  if (offered < 0) {
    int ignored = 0, naturalWidth = 0;
    child_->measure(Gtk::Orientation::HORIZONTAL, -1, offered, naturalWidth, ignored, ignored);
  }
  child_->measure(orientation, std::min(offered, maxWidth_), minimum, natural, minimumBaseline, naturalBaseline);
}

void PanelWidthCap::size_allocate_vfunc(int width, int height, int baseline) {
  if (!child_) return;
  int minimum = 0, natural = 0, ignored = 0;
  child_->measure(Gtk::Orientation::HORIZONTAL, -1, minimum, natural, ignored, ignored);
  const int capped = std::max(minimum, std::min(width, maxWidth_));
  const int x = get_direction() == Gtk::TextDirection::RTL ? width - capped : 0;
  child_->size_allocate(Gtk::Allocation(x, 0, capped, height), baseline);
}

}  // namespace vesk::ui

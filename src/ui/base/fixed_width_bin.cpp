#include "ui/base/fixed_width_bin.h"

#include <algorithm>

namespace vesk::ui {

FixedWidthBin::FixedWidthBin(Gtk::Widget& child, int width) : child_(&child), width_(width) {
  child.set_parent(*this);
  // GTK wants children gone before the widget finalizes; a managed widget's C++ side
  // only goes away after that, so let go of the child when GTK destroys the widget.
  signal_destroy().connect(sigc::mem_fun(*this, &FixedWidthBin::release));
}

FixedWidthBin::~FixedWidthBin() { release(); }

void FixedWidthBin::release() {
  if (!child_) return;
  child_->unparent();
  child_ = nullptr;
}

Gtk::SizeRequestMode FixedWidthBin::get_request_mode_vfunc() const { return Gtk::SizeRequestMode::HEIGHT_FOR_WIDTH; }

void FixedWidthBin::measure_vfunc(Gtk::Orientation orientation, int forSize, int& minimum, int& natural,
                                  int& minimumBaseline, int& naturalBaseline) const {
  minimum = natural = 0;
  minimumBaseline = naturalBaseline = -1;
  if (!child_) return;
  if (orientation == Gtk::Orientation::HORIZONTAL) {
    int childMinimum = 0, childNatural = 0, unusedMinimum = -1, unusedNatural = -1;
    child_->measure(orientation, -1, childMinimum, childNatural, unusedMinimum, unusedNatural);
    minimum = natural = std::max(width_, childMinimum);
    return;
  }
  child_->measure(orientation, forSize < 0 ? width_ : forSize, minimum, natural, minimumBaseline, naturalBaseline);
}

void FixedWidthBin::size_allocate_vfunc(int width, int height, int baseline) {
  if (child_) child_->size_allocate(Gtk::Allocation(0, 0, width, height), baseline);
}

}  // namespace vesk::ui

#include "ui/base/natural_height_bin.h"

namespace vesk::ui {

NaturalHeightBin::NaturalHeightBin(Gtk::Widget& child) : child_(&child) {
  child.set_parent(*this);
  // GTK wants children gone before the widget finalizes; a managed widget's C++ side
  // only goes away after that, so let go of the child when GTK destroys the widget.
  signal_destroy().connect(sigc::mem_fun(*this, &NaturalHeightBin::release));
}

NaturalHeightBin::~NaturalHeightBin() { release(); }

void NaturalHeightBin::release() {
  if (!child_) return;
  child_->unparent();
  child_ = nullptr;
}

Gtk::SizeRequestMode NaturalHeightBin::get_request_mode_vfunc() const { return Gtk::SizeRequestMode::HEIGHT_FOR_WIDTH; }

void NaturalHeightBin::measure_vfunc(Gtk::Orientation orientation, int forSize, int& minimum, int& natural,
                                     int& minimumBaseline, int& naturalBaseline) const {
  minimum = natural = 0;
  minimumBaseline = naturalBaseline = -1;
  if (!child_) return;
  child_->measure(orientation, forSize, minimum, natural, minimumBaseline, naturalBaseline);
  if (orientation == Gtk::Orientation::VERTICAL) minimum = natural;
}

void NaturalHeightBin::size_allocate_vfunc(int width, int height, int baseline) {
  if (child_) child_->size_allocate(Gtk::Allocation(0, 0, width, height), baseline);
}

}  // namespace vesk::ui

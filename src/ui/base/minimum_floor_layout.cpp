#include "ui/base/minimum_floor_layout.h"

#include <gtkmm/widget.h>

#include <algorithm>

namespace vesk::ui {

namespace {

int minimumOf(const Gtk::Widget& child, Gtk::Orientation orientation, int forSize) {
  int minimum = 0, natural = 0, ignored = 0;
  child.measure(orientation, forSize, minimum, natural, ignored, ignored);
  return minimum;
}

}  // namespace

Glib::RefPtr<MinimumFloorLayout> MinimumFloorLayout::create() {
  return Glib::make_refptr_for_instance(new MinimumFloorLayout());
}

void MinimumFloorLayout::measure_vfunc(const Gtk::Widget& widget, Gtk::Orientation orientation, int forSize,
                                       int& minimum, int& natural, int& minimumBaseline, int& naturalBaseline) const {
  minimum = natural = 0;
  minimumBaseline = naturalBaseline = -1;
  for (const auto* child = widget.get_first_child(); child; child = child->get_next_sibling()) {
    if (!child->should_layout()) continue;
    int childMinimum = 0, childNatural = 0, ignored = 0;
    child->measure(orientation, forSize, childMinimum, childNatural, ignored, ignored);
    minimum = std::max(minimum, childMinimum);
    natural = std::max(natural, childNatural);
  }
}

void MinimumFloorLayout::allocate_vfunc(const Gtk::Widget& widget, int width, int height, int baseline) {
  for (auto* child = const_cast<Gtk::Widget*>(widget.get_first_child()); child; child = child->get_next_sibling()) {
    if (!child->should_layout()) continue;
    const int childWidth = std::max(width, minimumOf(*child, Gtk::Orientation::HORIZONTAL, -1));
    const int childHeight = std::max(height, minimumOf(*child, Gtk::Orientation::VERTICAL, childWidth));
    child->size_allocate(Gtk::Allocation(0, 0, childWidth, childHeight), baseline);
  }
}

}  // namespace vesk::ui

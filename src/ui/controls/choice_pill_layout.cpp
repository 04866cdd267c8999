#include "ui/controls/choice_pill_layout.h"

#include "core/style/choice_pill_arrangement.h"

#include <gtkmm/widget.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace vesk::ui {

namespace {

struct Children {
  std::vector<Gtk::Widget*> widgets;
  std::vector<ChoicePillChild> measures;
};

// Every child that takes part in layout, with its widths and its height for a width.
Children childrenOf(const Gtk::Widget& container) {
  Children children;
  for (auto* child = const_cast<Gtk::Widget&>(container).get_first_child(); child; child = child->get_next_sibling()) {
    if (!child->should_layout()) continue;
    int minimum = 0, natural = 0, minimumBaseline = -1, naturalBaseline = -1;
    child->measure(Gtk::Orientation::HORIZONTAL, -1, minimum, natural, minimumBaseline, naturalBaseline);
    children.widgets.push_back(child);
    children.measures.push_back({static_cast<double>(minimum), static_cast<double>(natural), [child](double width) {
                                   int min = 0, nat = 0, minBase = -1, natBase = -1;
                                   child->measure(Gtk::Orientation::VERTICAL, static_cast<int>(std::lround(width)), min,
                                                  nat, minBase, natBase);
                                   return static_cast<double>(nat);
                                 }});
  }
  return children;
}

int whole(double value) { return static_cast<int>(std::lround(value)); }

}  // namespace

ChoicePillLayout::ChoicePillLayout(double spacing, PillRowAlignment alignment)
    : Glib::ObjectBase("VeskChoicePillLayout"), spacing_(spacing), alignment_(alignment) {}

Glib::RefPtr<ChoicePillLayout> ChoicePillLayout::create(double spacing, PillRowAlignment alignment) {
  return Glib::make_refptr_for_instance(new ChoicePillLayout(spacing, alignment));
}

void ChoicePillLayout::set_spacing(double spacing) {
  if (spacing == spacing_) return;
  spacing_ = spacing;
  layout_changed();
}

Gtk::SizeRequestMode ChoicePillLayout::get_request_mode_vfunc(const Gtk::Widget&) const {
  return Gtk::SizeRequestMode::HEIGHT_FOR_WIDTH;
}

void ChoicePillLayout::measure_vfunc(const Gtk::Widget& widget, Gtk::Orientation orientation, int forSize, int& minimum,
                                     int& natural, int& minimumBaseline, int& naturalBaseline) const {
  minimumBaseline = naturalBaseline = -1;
  const Children children = childrenOf(widget);
  const int narrowest = static_cast<int>(std::ceil(ChoicePillArrangement::minimumWidth(children.measures)));
  if (orientation == Gtk::Orientation::HORIZONTAL) {
    minimum = narrowest;
    natural = std::max(narrowest, whole(ChoicePillArrangement::unspecifiedWidth));
    return;
  }
  const double width = forSize < 0 ? ChoicePillArrangement::unspecifiedWidth : std::max(forSize, narrowest);
  minimum = natural =
      static_cast<int>(std::ceil(ChoicePillArrangement::arrange(width, spacing_, children.measures).height));
}

void ChoicePillLayout::allocate_vfunc(const Gtk::Widget& widget, int width, int, int) {
  const Children children = childrenOf(widget);
  const auto arrangement = ChoicePillArrangement::arrange(width, spacing_, children.measures, alignment_);
  const bool rightToLeft = widget.get_direction() == Gtk::TextDirection::RTL;
  for (std::size_t i = 0; i < children.widgets.size(); ++i) {
    const int w = whole(arrangement.sizes[i].width);
    const int h = whole(arrangement.sizes[i].height);
    const int x = whole(arrangement.points[i].x);
    children.widgets[i]->size_allocate(
        Gtk::Allocation(rightToLeft ? width - x - w : x, whole(arrangement.points[i].y), w, h), -1);
  }
}

}  // namespace vesk::ui

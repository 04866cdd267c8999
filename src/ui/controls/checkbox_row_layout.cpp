#include "ui/controls/checkbox_row_layout.h"

#include "core/style/shared_control_recipe.h"

#include <gtkmm/widget.h>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace vesk::ui {

namespace {

struct Parts {
  Gtk::Widget* box = nullptr;    // the check indicator
  Gtk::Widget* label = nullptr;  // whatever the row shows beside it
};

Parts partsOf(const Gtk::Widget& row) {
  Parts parts;
  for (auto* child = const_cast<Gtk::Widget&>(row).get_first_child(); child; child = child->get_next_sibling()) {
    if (!child->should_layout()) continue;
    if (std::strcmp(gtk_widget_get_css_name(child->gobj()), "check") == 0) {
      parts.box = child;
    } else if (!parts.label) {
      parts.label = child;
    }
  }
  return parts;
}

int spacing() { return static_cast<int>(CheckboxRecipe::spacing); }

struct Measured {
  int minimum = 0, natural = 0, minimumBaseline = -1, naturalBaseline = -1;
};

Measured measureChild(const Gtk::Widget* widget, Gtk::Orientation orientation, int forSize) {
  Measured m;
  if (widget) widget->measure(orientation, forSize, m.minimum, m.natural, m.minimumBaseline, m.naturalBaseline);
  return m;
}

// The vertical placement for a label of this height and baseline.
CheckboxRecipe::RowPlacement place(const Parts& parts, int labelHeight, int labelBaseline) {
  if (!parts.label) return {0, 0, CheckboxRecipe::boxSize};
  return CheckboxRecipe::place(labelHeight, labelBaseline >= 0 ? std::optional<double>(labelBaseline) : std::nullopt);
}

}  // namespace

CheckboxRowLayout::CheckboxRowLayout() : Glib::ObjectBase("VeskCheckboxRowLayout") {}

Glib::RefPtr<CheckboxRowLayout> CheckboxRowLayout::create() {
  return Glib::make_refptr_for_instance(new CheckboxRowLayout());
}

Gtk::SizeRequestMode CheckboxRowLayout::get_request_mode_vfunc(const Gtk::Widget&) const {
  return Gtk::SizeRequestMode::HEIGHT_FOR_WIDTH;
}

void CheckboxRowLayout::measure_vfunc(const Gtk::Widget& widget, Gtk::Orientation orientation, int forSize,
                                      int& minimum, int& natural, int& minimumBaseline, int& naturalBaseline) const {
  const Parts parts = partsOf(widget);
  const Measured box = measureChild(parts.box, Gtk::Orientation::HORIZONTAL, -1);
  const int beside = parts.label ? box.natural + spacing() : box.natural;
  minimumBaseline = naturalBaseline = -1;
  if (orientation == Gtk::Orientation::HORIZONTAL) {
    const Measured label = measureChild(parts.label, orientation, -1);
    minimum = beside + label.minimum;
    natural = beside + label.natural;
    return;
  }
  const int labelWidth = forSize < 0 ? -1 : std::max(0, forSize - beside);
  const Measured label = measureChild(parts.label, orientation, labelWidth);
  minimum = static_cast<int>(std::ceil(place(parts, label.minimum, label.minimumBaseline).height));
  natural = static_cast<int>(std::ceil(place(parts, label.natural, label.naturalBaseline).height));
}

void CheckboxRowLayout::allocate_vfunc(const Gtk::Widget& widget, int width, int, int) {
  const Parts parts = partsOf(widget);
  const Measured boxWidth = measureChild(parts.box, Gtk::Orientation::HORIZONTAL, -1);
  const int boxSize = boxWidth.natural;
  const int labelWidth = std::max(0, width - boxSize - (parts.label ? spacing() : 0));
  const Measured label = measureChild(parts.label, Gtk::Orientation::VERTICAL, labelWidth);
  const auto placement = place(parts, label.natural, label.naturalBaseline);
  const bool rightToLeft = widget.get_direction() == Gtk::TextDirection::RTL;
  const int boxX = rightToLeft ? width - boxSize : 0;
  const int labelX = rightToLeft ? 0 : boxSize + spacing();
  if (parts.box)
    parts.box->size_allocate(Gtk::Allocation(boxX, static_cast<int>(std::lround(placement.boxTop)), boxSize, boxSize),
                             -1);
  if (parts.label)
    parts.label->size_allocate(
        Gtk::Allocation(labelX, static_cast<int>(std::lround(placement.labelTop)), labelWidth, label.natural), -1);
}

}  // namespace vesk::ui

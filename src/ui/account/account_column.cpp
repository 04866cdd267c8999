#include "ui/account/account_column.h"

#include "core/account/account_screen_rules.h"
#include "ui/style/vesk_environment.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace vesk::ui {

AccountColumn::AccountColumn(Gtk::Widget& child) : child_(&child) {
  child_->set_parent(*this);
  // GTK wants the child gone before a managed column finalizes, which comes before its
  // C++ side goes.
  signal_destroy().connect(sigc::mem_fun(*this, &AccountColumn::release));
}

AccountColumn::~AccountColumn() { release(); }

void AccountColumn::release() {
  if (child_) std::exchange(child_, nullptr)->unparent();
}

int AccountColumn::topPadding() const {
  return static_cast<int>(std::lround(account_rules::topPadding(veskHeaderInset(*this))));
}

Gtk::SizeRequestMode AccountColumn::get_request_mode_vfunc() const { return Gtk::SizeRequestMode::HEIGHT_FOR_WIDTH; }

int AccountColumn::columnWidth(int width) const {
  int minimum = 0, natural = 0, ignored = 0;
  child_->measure(Gtk::Orientation::HORIZONTAL, -1, minimum, natural, ignored, ignored);
  return std::max(minimum, std::min(widest, width - 2 * sidePadding));
}

void AccountColumn::measure_vfunc(Gtk::Orientation orientation, int forSize, int& minimum, int& natural,
                                  int& minimumBaseline, int& naturalBaseline) const {
  minimumBaseline = naturalBaseline = -1;
  minimum = natural = 0;
  if (!child_) return;
  int childMinimum = 0, childNatural = 0, ignored = 0;
  if (orientation == Gtk::Orientation::HORIZONTAL) {
    child_->measure(orientation, -1, childMinimum, childNatural, ignored, ignored);
    minimum = childMinimum + 2 * sidePadding;
    natural = std::max(childMinimum, std::min(widest, childNatural)) + 2 * sidePadding;
    return;
  }
  const int width = forSize < 0 ? widest : columnWidth(forSize);
  child_->measure(orientation, width, childMinimum, childNatural, ignored, ignored);
  const int extra = topPadding() + bottomPadding;
  minimum = childMinimum + extra;
  natural = childNatural + extra;
}

void AccountColumn::size_allocate_vfunc(int width, int height, int) {
  if (!child_) return;
  const int column = columnWidth(width);
  const int top = topPadding();
  child_->size_allocate(Gtk::Allocation((width - column) / 2, top, column, std::max(0, height - top - bottomPadding)),
                        -1);
}

}  // namespace vesk::ui

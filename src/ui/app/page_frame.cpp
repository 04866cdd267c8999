#include "ui/app/page_frame.h"

#include "core/shell/page_frame_layout.h"
#include "core/shell/root_metrics.h"
#include "ui/style/vesk_environment.h"

#include <algorithm>
#include <cmath>

namespace vesk::ui {

namespace {

constexpr int sides = static_cast<int>(2 * PageFrameLayout::sidePadding);
constexpr int bottom = static_cast<int>(PageFrameLayout::bottomPadding);
constexpr int maximumColumn = static_cast<int>(PageFrameLayout::maximumWidth);

}  // namespace

PageFrame::PageFrame(Gtk::Widget& content)
    : column_(Gtk::Orientation::VERTICAL, static_cast<int>(PageFrameLayout::spacing)) {
  set_hexpand(true);
  content.set_halign(Gtk::Align::FILL);
  column_.append(content);
  column_.set_parent(*this);
}

PageFrame::~PageFrame() { column_.unparent(); }

int PageFrame::topPadding() const {
  return static_cast<int>(std::lround(RootMetrics::pageTopForInset(veskHeaderInset(*this))));
}

Gtk::SizeRequestMode PageFrame::get_request_mode_vfunc() const { return Gtk::SizeRequestMode::HEIGHT_FOR_WIDTH; }

void PageFrame::measure_vfunc(Gtk::Orientation orientation, int forSize, int& minimum, int& natural,
                              int& minimumBaseline, int& naturalBaseline) const {
  minimumBaseline = naturalBaseline = -1;
  int childMinimum = 0, childNatural = 0, ignored = 0;
  if (orientation == Gtk::Orientation::HORIZONTAL) {
    column_.measure(orientation, -1, childMinimum, childNatural, ignored, ignored);
    minimum = childMinimum + sides;
    natural = std::min(std::max(childNatural, childMinimum), std::max(maximumColumn, childMinimum)) + sides;
    return;
  }
  const int columnWidth = forSize < 0 ? -1 : static_cast<int>(std::floor(PageFrameLayout::column(forSize).width));
  column_.measure(orientation, columnWidth, childMinimum, childNatural, ignored, ignored);
  const int padding = topPadding() + bottom;
  minimum = childMinimum + padding;
  natural = childNatural + padding;
}

void PageFrame::size_allocate_vfunc(int width, int height, int) {
  const auto layout = PageFrameLayout::column(width);
  int columnMinimum = 0, ignored = 0;
  column_.measure(Gtk::Orientation::HORIZONTAL, -1, columnMinimum, ignored, ignored, ignored);
  const int columnWidth = std::max(static_cast<int>(std::floor(layout.width)), columnMinimum);
  const int top = topPadding();
  column_.size_allocate(
      Gtk::Allocation(static_cast<int>(std::lround(layout.x)), top, columnWidth, std::max(0, height - top - bottom)),
      -1);
}

}  // namespace vesk::ui

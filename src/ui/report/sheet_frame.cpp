#include "ui/report/sheet_frame.h"

namespace vesk::ui {

SheetFrame::SheetFrame(int width, std::optional<int> height, int margin, int spacing)
    : width_(width), height_(height), stack_(Gtk::Orientation::VERTICAL, spacing) {
  stack_.set_margin(margin);
  stack_.set_parent(*this);
}

SheetFrame::~SheetFrame() { stack_.unparent(); }

Gtk::SizeRequestMode SheetFrame::get_request_mode_vfunc() const { return Gtk::SizeRequestMode::HEIGHT_FOR_WIDTH; }

void SheetFrame::measure_vfunc(Gtk::Orientation orientation, int, int& minimum, int& natural, int& minimumBaseline,
                               int& naturalBaseline) const {
  minimumBaseline = naturalBaseline = -1;
  if (orientation == Gtk::Orientation::HORIZONTAL) {
    minimum = natural = width_;
  } else if (height_) {
    minimum = natural = *height_;
  } else {
    int ignored = 0;
    stack_.measure(Gtk::Orientation::VERTICAL, width_, minimum, natural, ignored, ignored);
  }
}

void SheetFrame::size_allocate_vfunc(int width, int height, int baseline) {
  stack_.size_allocate(Gtk::Allocation(0, 0, width, height), baseline);
}

}  // namespace vesk::ui

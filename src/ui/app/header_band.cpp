#include "ui/app/header_band.h"

#include "ui/style/vesk_environment.h"

#include <gtkmm/windowcontrols.h>

namespace vesk::ui {

HeaderBand::HeaderBand(std::function<void()> dismissError)
    : stack_(Gtk::make_managed<Gtk::Box>(Gtk::Orientation::VERTICAL, 0)),
      row_(Gtk::make_managed<Gtk::Box>(Gtk::Orientation::HORIZONTAL, rowSpacing)),
      titleSlot_(Gtk::make_managed<Gtk::Box>(Gtk::Orientation::HORIZONTAL, 10)),
      toolbarSlot_(Gtk::make_managed<Gtk::Box>(Gtk::Orientation::HORIZONTAL, 0)),
      menuButton_(Gtk::make_managed<ShellMenuButton>()),
      banner_(Gtk::make_managed<ErrorBanner>(std::move(dismissError))) {
  set_valign(Gtk::Align::START);
  row_->set_size_request(-1, rowHeight);
  row_->set_margin_bottom(rowBottomPadding);
  auto* spacer = Gtk::make_managed<Gtk::Box>();
  spacer->set_hexpand(true);
  spacer->set_size_request(spacerMinimum, -1);
  auto* controls = Gtk::make_managed<Gtk::WindowControls>(Gtk::PackType::END);
  for (Gtk::Widget* item : {static_cast<Gtk::Widget*>(titleSlot_), static_cast<Gtk::Widget*>(spacer),
                            static_cast<Gtk::Widget*>(toolbarSlot_), static_cast<Gtk::Widget*>(menuButton_),
                            static_cast<Gtk::Widget*>(controls)}) {
    item->set_valign(Gtk::Align::CENTER);
    row_->append(*item);
  }
  stack_->append(*row_);
  stack_->append(*banner_);
  stack_->set_parent(*this);
  // GTK wants children gone before the widget finalizes; a managed widget's C++ side
  // only goes away after that, so let go of the child when GTK destroys the widget.
  signal_destroy().connect([this] { release(); });
}

HeaderBand::~HeaderBand() { release(); }

void HeaderBand::release() {
  if (!stack_) return;
  stack_->unparent();
  stack_ = nullptr;
}

Gtk::SizeRequestMode HeaderBand::get_request_mode_vfunc() const {
  return stack_ ? stack_->get_request_mode() : Gtk::SizeRequestMode::CONSTANT_SIZE;
}

void HeaderBand::measure_vfunc(Gtk::Orientation orientation, int forSize, int& minimum, int& natural,
                               int& minimumBaseline, int& naturalBaseline) const {
  minimum = natural = 0;
  minimumBaseline = naturalBaseline = -1;
  if (stack_) stack_->measure(orientation, forSize, minimum, natural, minimumBaseline, naturalBaseline);
}

void HeaderBand::size_allocate_vfunc(int width, int height, int baseline) {
  if (!stack_) return;
  stack_->size_allocate(Gtk::Allocation(0, 0, width, height), baseline);
  reportVeskChromeHeight(*this, height);
}

}  // namespace vesk::ui

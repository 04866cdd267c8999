#include "ui/app/header_band.h"

#include "ui/style/vesk_environment.h"

#include <gtkmm/windowcontrols.h>

namespace vesk::ui {

HeaderBand::HeaderBand(std::function<void()> dismissError)
    : Gtk::Box(Gtk::Orientation::VERTICAL, 0),
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
  append(*row_);
  append(*banner_);
}

void HeaderBand::size_allocate_vfunc(int width, int height, int baseline) {
  Gtk::Box::size_allocate_vfunc(width, height, baseline);
  reportVeskChromeHeight(*this, height);
}

}  // namespace vesk::ui

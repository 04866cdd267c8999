#include "ui/controls/primary_button.h"

#include "ui/controls/accessible_label.h"
#include "ui/controls/symbol_image.h"
#include "ui/controls/vesk_pill_style.h"

#include <gtkmm/box.h>
#include <gtkmm/label.h>

namespace vesk::ui {

PrimaryButton::PrimaryButton(const Glib::ustring& title, std::string symbol, bool disabled, VeskButtonRole role,
                             std::function<void()> action)
    : title_(title), symbol_(std::move(symbol)), role_(role) {
  auto* content = Gtk::make_managed<Gtk::Box>(Gtk::Orientation::HORIZONTAL, spacing);
  content->set_halign(Gtk::Align::CENTER);
  if (auto* image = makeSymbolImage(symbol_, symbolSize)) {
    image->set_valign(Gtk::Align::CENTER);
    content->append(*image);
  }
  content->append(*Gtk::make_managed<Gtk::Label>(title));
  set_child(*content);
  setAccessibleLabel(*this, title);
  VeskPillStyle(role, PillSize::regular).apply(*this);
  set_sensitive(!disabled);
  if (action) signal_clicked().connect(std::move(action));
}

}  // namespace vesk::ui

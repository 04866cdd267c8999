#include "ui/library/library_widgets.h"

#include "core/style/library_stylesheet.h"
#include "ui/controls/vesk_pill_style.h"
#include "ui/style/vesk_typography.h"

#include <gtkmm/box.h>

#include <string>

namespace vesk::ui {

Gtk::Label* libraryLabel(std::string_view text, const Pango::FontDescription& font, const char* colourClass) {
  auto* label = Gtk::make_managed<Gtk::Label>(Glib::ustring(std::string(text)));
  label->set_use_markup(false);
  label->set_xalign(0);
  label->set_halign(Gtk::Align::START);
  VeskTypography::apply(*label, font);
  if (colourClass) label->add_css_class(colourClass);
  return label;
}

Gtk::Label* wrappingLabel(std::string_view text, const Pango::FontDescription& font, const char* colourClass) {
  auto* label = libraryLabel(text, font, colourClass);
  label->set_halign(Gtk::Align::FILL);
  label->set_wrap(true);
  label->set_wrap_mode(Pango::WrapMode::WORD_CHAR);
  return label;
}

Gtk::Button* pillButton(std::string_view title, VeskButtonRole role, PillSize size, std::function<void()> action) {
  auto* button = Gtk::make_managed<Gtk::Button>(Glib::ustring(std::string(title)));
  VeskPillStyle(role, size).apply(*button);
  button->set_valign(Gtk::Align::CENTER);
  button->signal_clicked().connect(std::move(action));
  return button;
}

Gtk::Button* choiceChip(std::string_view title, bool selected, VeskChoicePillTreatment treatment,
                        std::function<void()> action) {
  auto* button = Gtk::make_managed<Gtk::Button>(Glib::ustring(std::string(title)));
  VeskChoicePillStyle(selected ? ChipSelection::selected : ChipSelection::unselected, treatment).apply(*button);
  button->set_valign(Gtk::Align::CENTER);
  button->signal_clicked().connect(std::move(action));
  return button;
}

Gtk::Button* plainButton(Gtk::Widget& content, std::function<void()> action) {
  auto* button = Gtk::make_managed<Gtk::Button>();
  button->set_child(content);
  button->add_css_class(LibraryClasses::plainButton);
  button->set_has_frame(false);
  button->signal_clicked().connect(std::move(action));
  return button;
}

Gtk::Widget* flexibleSpace() {
  auto* space = Gtk::make_managed<Gtk::Box>();
  space->set_hexpand(true);
  return space;
}

}  // namespace vesk::ui

#pragma once
// The gallery's own headings, captions and boxes.
#include "ui/style/vesk_typography.h"

#include <gtkmm/box.h>
#include <gtkmm/label.h>

#include <string>

namespace vesk::ui::gallery {

inline Gtk::Label& label(const std::string& text, const Pango::FontDescription& font) {
  auto* l = Gtk::make_managed<Gtk::Label>(text);
  VeskTypography::apply(*l, font);
  l->set_xalign(0);
  return *l;
}

inline Gtk::Label& heading(const std::string& text) {
  return label(text, VeskTypography::display(34, FontWeight::medium));
}
inline Gtk::Label& caption(const std::string& text) { return label(text, VeskTypography::body(13)); }

inline Gtk::Box& box(Gtk::Orientation orientation, int spacing) {
  return *Gtk::make_managed<Gtk::Box>(orientation, spacing);
}

}  // namespace vesk::ui::gallery

#pragma once
// The name assistive technologies read for a widget.
#include <glibmm/ustring.h>
#include <gtkmm/widget.h>

namespace vesk::ui {

void setAccessibleLabel(Gtk::Widget& widget, const Glib::ustring& label);

}  // namespace vesk::ui

#pragma once
// Escape for a widget wherever the window's focus is, or when nothing has it: `handle`
// runs on the key and says whether it took it (if not, the key goes on).
#include <gtkmm/widget.h>

#include <functional>

namespace vesk::ui {

void addGlobalEscape(Gtk::Widget& widget, std::function<bool()> handle);

}  // namespace vesk::ui

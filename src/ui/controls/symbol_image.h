#pragma once
// The picture for a platform symbol name: the symbolic icon the symbol table names (the
// desktop icon theme's, or one of the application's own, found through the same theme),
// or the application's glyph where the table says so. Either takes the foreground
// colour of where it is placed.
#include <gtkmm/widget.h>

#include <string_view>

namespace vesk::ui {

// A managed widget `size` px square, or null for a symbol the table does not hold.
Gtk::Widget* makeSymbolImage(std::string_view symbol, int size);

}  // namespace vesk::ui

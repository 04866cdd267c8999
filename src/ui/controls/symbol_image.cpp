#include "ui/controls/symbol_image.h"

#include "core/style/symbol_icons.h"
#include "ui/controls/vesk_glyph.h"

#include <gtkmm/image.h>

#include <string>

namespace vesk::ui {

Gtk::Widget* makeSymbolImage(std::string_view symbol, int size) {
  const auto icon = SymbolIcons::find(symbol);
  if (!icon) return nullptr;
  if (icon->glyph) return Gtk::make_managed<VeskGlyph>(*icon->glyph, size);
  auto* image = Gtk::make_managed<Gtk::Image>();
  image->set_from_icon_name(std::string(icon->iconName));
  image->set_pixel_size(size);
  return image;
}

}  // namespace vesk::ui

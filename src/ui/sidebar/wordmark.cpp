#include "ui/sidebar/wordmark.h"

#include "core/style/resource_bundle.h"
#include "core/style/sidebar_stylesheet.h"

#include <gdkmm/texture.h>
#include <giomm/file.h>
#include <gtkmm/label.h>
#include <gtkmm/picture.h>

#include <cmath>

namespace vesk::ui {

Gtk::Widget* makeWordmark(const std::optional<std::filesystem::path>& image) {
  if (image) {
    try {
      auto texture = Gdk::Texture::create_from_file(Gio::File::create_for_path(image->string()));
      auto* picture = Gtk::make_managed<Gtk::Picture>(texture);
      picture->set_keep_aspect_ratio(true);
      picture->set_can_shrink(true);
      picture->set_size_request(static_cast<int>(SidebarStylesheet::wordmarkWidth),
                                static_cast<int>(std::lround(SidebarStylesheet::wordmarkHeight)));
      return picture;
    } catch (const Glib::Error&) {
      // Unreadable or not an image: the text stands in, as for a missing file.
    }
  }
  auto* text = Gtk::make_managed<Gtk::Label>("Vesk");
  text->add_css_class(SidebarClasses::wordmarkText);
  text->set_xalign(0);
  return text;
}

std::optional<std::filesystem::path> bundledWordmark() {
  const auto bundle = ResourceBundle::locate();
  if (!bundle) return std::nullopt;
  return bundle->file("wordmark.png");
}

}  // namespace vesk::ui

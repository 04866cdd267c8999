#include "ui/style/bundled_icons.h"

#include <gtkmm/icontheme.h>

#include <algorithm>

namespace vesk::ui {

std::optional<std::filesystem::path> BundledIcons::addToIconTheme(const Glib::RefPtr<Gdk::Display>& display,
                                                                  const std::optional<ResourceBundle>& bundle) {
  if (!display || !bundle) return std::nullopt;
  const auto folder = bundle->folder(folderName);
  if (!folder) return std::nullopt;
  const auto theme = Gtk::IconTheme::get_for_display(display);
  const auto searched = theme->get_search_path();
  if (std::find(searched.begin(), searched.end(), folder->string()) == searched.end())
    theme->add_search_path(folder->string());
  return folder;
}

}  // namespace vesk::ui

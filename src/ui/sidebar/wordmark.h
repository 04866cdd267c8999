#pragma once
// The sidebar's wordmark: the bundle's image, or the text "Vesk" when the image is
// missing or does not load.
#include <gtkmm/widget.h>

#include <filesystem>
#include <optional>

namespace vesk::ui {

// A managed widget; `image` is the wordmark file, if the bundle has one.
Gtk::Widget* makeWordmark(const std::optional<std::filesystem::path>& image);

// The bundle's wordmark file, if any.
std::optional<std::filesystem::path> bundledWordmark();

}  // namespace vesk::ui

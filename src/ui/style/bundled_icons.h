#pragma once
// The application's own symbolic icons, drawn for symbols the desktop's icon theme has
// no icon of the same meaning for. Their folder in the resource bundle is added to the
// display's icon theme search path; inside it they lie in the fallback theme's layout
// (hicolor/scalable/actions), so they are looked up by name like any theme icon and,
// being named "*-symbolic", recoloured to the foreground colour as theme symbolics are.
#include "core/style/resource_bundle.h"

#include <gdkmm/display.h>

#include <filesystem>
#include <optional>
#include <string_view>

namespace vesk::ui {

struct BundledIcons {
  BundledIcons() = delete;

  static constexpr std::string_view folderName = "Icons";

  // Adds the bundle's icon folder to the icon theme of `display`, once however often it
  // is called, and returns the folder. Nothing without a bundle or its icon folder:
  // those symbols then show the theme's missing-image icon.
  static std::optional<std::filesystem::path> addToIconTheme(const Glib::RefPtr<Gdk::Display>& display,
                                                             const std::optional<ResourceBundle>& bundle);

  // Decodes one of the folder's icons on a worker thread and throws it away: the first
  // symbolic SVG drawn otherwise loads the image decoder, the SVG library and the
  // content-type database on the main loop, in the window's first frame.
  static void warmDecoder(const std::filesystem::path& folder);
};

}  // namespace vesk::ui

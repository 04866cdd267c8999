#pragma once
// What the window reaches outside itself: the browser for the Help menu's pages, the
// desktop's file-open panel and the bundled reader page. Tests stand in for the
// browser and the panel.
#include "ui/app/file_panel.h"

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace vesk::ui {

// The reader page inside the resource folder.
inline constexpr const char* readerPageFile = "reader/reader.html";

struct ShellServices {
  // Opens a web address in the user's browser.
  std::function<void(const std::string& address)> openLink;
  std::shared_ptr<FilePanel> filePanel;
  // The bundled reader page that shows reports; none when the resource folder lacks it.
  std::optional<std::filesystem::path> readerPage;

  // The user's default browser and the native file chooser.
  static ShellServices desktop();
};

}  // namespace vesk::ui

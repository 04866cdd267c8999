#pragma once
// What the window reaches outside itself: the browser for the Help menu's pages and the
// desktop's file-open panel. Tests stand in for both.
#include "ui/app/file_panel.h"

#include <functional>
#include <memory>
#include <string>

namespace vesk::ui {

struct ShellServices {
  // Opens a web address in the user's browser.
  std::function<void(const std::string& address)> openLink;
  std::shared_ptr<FilePanel> filePanel;

  // The user's default browser and the native file chooser.
  static ShellServices desktop();
};

}  // namespace vesk::ui

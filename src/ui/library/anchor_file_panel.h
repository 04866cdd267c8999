#pragma once
// The panel in which the user picks a project's anchor file: one PNG, JPEG, WebP, GIF or
// PDF file. The window shows the desktop's native chooser; tests answer with their own.
#include "core/async/task.h"

#include <gtkmm/window.h>

#include <optional>
#include <string>

namespace vesk::ui {

class AnchorFilePanel {
 public:
  virtual ~AnchorFilePanel() = default;
  // The chosen file's path; nothing when the user cancels. A failure throws its sentence.
  virtual async::Task<std::optional<std::string>> chooseAnchorFile(Gtk::Window* parent) = 0;
};

class NativeAnchorFilePanel : public AnchorFilePanel {
 public:
  static constexpr const char* title = "Choose an anchor file";
  static constexpr const char* filterName = "Images and PDF";

  async::Task<std::optional<std::string>> chooseAnchorFile(Gtk::Window* parent) override;
};

}  // namespace vesk::ui

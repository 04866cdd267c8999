#pragma once
// The panel in which the user picks files to attach to an audit: several at once, of the
// kinds the service reads (PNG, JPEG, WebP, GIF, PDF and plain text). The window shows
// the desktop's native chooser; tests answer with files of their own.
#include "core/async/task.h"

#include <gtkmm/window.h>

#include <optional>
#include <string>
#include <vector>

namespace vesk::ui {

class FilePanel {
 public:
  virtual ~FilePanel() = default;
  // The chosen files' paths, in the order the panel gives them; nothing when the user
  // cancels. A failure of the panel throws its sentence. `parent` may be nullptr.
  virtual async::Task<std::optional<std::vector<std::string>>> chooseAuditFiles(Gtk::Window* parent) = 0;
};

class NativeFilePanel : public FilePanel {
 public:
  // The panel's title and its filter's name.
  static constexpr const char* title = "Add files";
  static constexpr const char* filterName = "Images, PDF and text";
  // The sentence shown when a chosen file has no path on this computer.
  static constexpr const char* notLocalSentence = "Only files on this computer can be attached.";

  async::Task<std::optional<std::vector<std::string>>> chooseAuditFiles(Gtk::Window* parent) override;
};

}  // namespace vesk::ui

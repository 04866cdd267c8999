#pragma once
// Shows the file-open panel while the root's `importer` flag is set, and hands the chosen
// files to the workspace in one call, in the order chosen. Cancelling changes nothing; a
// failure of the panel becomes the workspace's error. The flag is cleared when the panel
// closes; clearing it withdraws the panel.
#include "core/async/spawn.h"
#include "core/shell/root_view_state.h"
#include "ui/app/file_panel.h"

#include <gtkmm/widget.h>
#include <sigc++/trackable.h>

#include <memory>

namespace vesk::ui {

class FileIntake : public sigc::trackable {
 public:
  // `owner` is the widget whose window the panel belongs to.
  FileIntake(Gtk::Widget& owner, RootViewState& state, std::shared_ptr<Workspace> workspace,
             std::shared_ptr<FilePanel> panel);
  ~FileIntake();
  FileIntake(const FileIntake&) = delete;
  FileIntake& operator=(const FileIntake&) = delete;

 private:
  void importerChanged();
  void finish(const std::optional<std::vector<std::string>>& chosen, const std::optional<std::string>& failure);
  static async::Task<void> run(FileIntake* self, std::shared_ptr<FilePanel> panel);

  Gtk::Widget& owner_;
  RootViewState& state_;
  std::shared_ptr<Workspace> workspace_;
  std::shared_ptr<FilePanel> panel_;
  // Cancelled when the intake goes, so a late answer never reaches it.
  async::TaskSlot task_;
};

}  // namespace vesk::ui

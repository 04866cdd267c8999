#include "ui/app/file_intake.h"

#include "core/async/sleep.h"

#include <gtkmm/window.h>

namespace vesk::ui {

FileIntake::FileIntake(Gtk::Widget& owner, RootViewState& state, std::shared_ptr<Workspace> workspace,
                       std::shared_ptr<FilePanel> panel)
    : owner_(owner), state_(state), workspace_(std::move(workspace)), panel_(std::move(panel)) {
  state_.importer.signalChanged().connect(sigc::mem_fun(*this, &FileIntake::importerChanged));
}

FileIntake::~FileIntake() { task_.cancel(); }

void FileIntake::importerChanged() {
  if (!*state_.importer) {
    task_.cancel();  // withdrawn: the panel closes
    return;
  }
  if (!panel_) {
    state_.importer = false;
    return;
  }
  task_.start(async::spawn(run(this, panel_)), async::PreviousTask::cancel);
}

// Written so that a cancelled task touches nothing of `self`, which may be gone.
async::Task<void> FileIntake::run(FileIntake* self, std::shared_ptr<FilePanel> panel) {
  std::optional<std::vector<std::string>> chosen;
  std::optional<std::string> failure;
  try {
    co_await async::checkCancellation();  // the intake may have gone before the task began
    chosen = co_await panel->chooseAuditFiles(dynamic_cast<Gtk::Window*>(self->owner_.get_root()));
  } catch (const async::Cancelled&) {
    co_return;
  } catch (const std::exception& error) {
    failure = error.what();
  }
  self->task_.clear();
  self->finish(chosen, failure);
}

void FileIntake::finish(const std::optional<std::vector<std::string>>& chosen,
                        const std::optional<std::string>& failure) {
  state_.importer = false;
  if (failure) {
    workspace_->error = *failure;
  } else if (chosen && !chosen->empty()) {
    workspace_->addFiles(*chosen);
  }
}

}  // namespace vesk::ui

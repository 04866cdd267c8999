#pragma once
// Awaits the answer of a file chooser: shows it, and resumes the task with the chosen
// files once the user answers (nothing when they cancel). Cancelling the task closes
// the chooser.
#include "core/async/errors.h"
#include "core/async/task.h"

#include <giomm/file.h>
#include <gtkmm/filechoosernative.h>

#include <optional>
#include <vector>

namespace vesk::ui {

class ChooserAnswer {
 public:
  explicit ChooserAnswer(Glib::RefPtr<Gtk::FileChooserNative> chooser) : chooser_(std::move(chooser)) {}

  bool await_ready() const noexcept { return false; }
  template <async::TaskPromise P>
  void await_suspend(std::coroutine_handle<P> self) {
    suspend(self, *self.promise().context);
  }
  std::optional<std::vector<Glib::RefPtr<Gio::File>>> await_resume() {
    if (cancelled_) throw async::Cancelled();
    return std::move(files_);
  }

 private:
  void suspend(std::coroutine_handle<> self, async::TaskContext& context);

  Glib::RefPtr<Gtk::FileChooserNative> chooser_;
  sigc::connection response_;
  std::optional<async::CancelHook> hook_;
  std::optional<std::vector<Glib::RefPtr<Gio::File>>> files_;
  bool cancelled_ = false;
};

}  // namespace vesk::ui

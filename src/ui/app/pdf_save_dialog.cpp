#include "ui/app/pdf_save_dialog.h"

#include "core/async/errors.h"
#include "core/async/main_loop.h"

#include <giomm/file.h>
#include <gtkmm/dialog.h>
#include <gtkmm/filechoosernative.h>
#include <gtkmm/filefilter.h>

namespace vesk::ui {

namespace {

// Shows the chooser and resumes the task with the chosen path once the user answers.
// Cancelling the task closes the panel.
class ChooserAnswer {
 public:
  explicit ChooserAnswer(Glib::RefPtr<Gtk::FileChooserNative> chooser) : chooser_(std::move(chooser)) {}

  bool await_ready() const noexcept { return false; }
  template <async::TaskPromise P>
  void await_suspend(std::coroutine_handle<P> self) {
    suspend(self, *self.promise().context);
  }
  std::optional<std::string> await_resume() {
    if (cancelled_) throw async::Cancelled();
    return std::move(path_);
  }

 private:
  void suspend(std::coroutine_handle<> self, async::TaskContext& context) {
    response_ = chooser_->signal_response().connect([this, self](int response) {
      response_.disconnect();
      hook_->disconnect();
      if (response == Gtk::ResponseType::ACCEPT) {
        if (const auto file = chooser_->get_file()) path_ = file->get_path();
      }
      async::post([self] { self.resume(); });
    });
    hook_.emplace(context.cancellable(), [this, self] {
      response_.disconnect();
      hook_->disconnect();
      chooser_->hide();
      cancelled_ = true;
      async::post([self] { self.resume(); });
    });
    chooser_->show();
  }

  Glib::RefPtr<Gtk::FileChooserNative> chooser_;
  sigc::connection response_;
  std::optional<async::CancelHook> hook_;
  std::optional<std::string> path_;
  bool cancelled_ = false;
};

}  // namespace

async::Task<std::optional<std::string>> PdfSaveDialog::choosePdfDestination(std::string suggestedName) {
  auto chooser = Gtk::FileChooserNative::create("Export PDF", Gtk::FileChooser::Action::SAVE);
  if (auto* parent = parent_()) chooser->set_transient_for(*parent);
  chooser->set_modal(true);
  auto filter = Gtk::FileFilter::create();
  filter->set_name("PDF document");
  filter->add_mime_type("application/pdf");
  filter->add_suffix("pdf");
  chooser->add_filter(filter);
  chooser->set_current_name(suggestedName);
  co_return co_await ChooserAnswer(chooser);
}

async::Task<std::optional<std::string>> PdfSaveDialog::chooseDestination(std::string suggestedName,
                                                                         SavedFileKind kind) {
  auto chooser = Gtk::FileChooserNative::create("Save", Gtk::FileChooser::Action::SAVE);
  if (auto* parent = parent_()) chooser->set_transient_for(*parent);
  chooser->set_modal(true);
  if (kind == SavedFileKind::plainText) {
    auto filter = Gtk::FileFilter::create();
    filter->set_name("Text");
    filter->add_mime_type("text/plain");
    chooser->add_filter(filter);
  }
  chooser->set_current_name(suggestedName);
  co_return co_await ChooserAnswer(chooser);
}

}  // namespace vesk::ui

#include "ui/report/reader/print_job.h"

#include "core/async/errors.h"
#include "core/async/main_loop.h"

#include <memory>

namespace vesk::ui {

namespace {

// Waits for the print operation's "finished" or "failed"; connected before the job starts
// so an end reported early is not missed. Cancelling the task ends the wait.
class PrintJobEnd {
 public:
  explicit PrintJobEnd(WebKitPrintOperation* operation)
      : operation_(glib::ObjectPtr<WebKitPrintOperation>::retain(operation)) {
    g_signal_connect(operation, "finished", G_CALLBACK(&PrintJobEnd::finished), this);
    g_signal_connect(operation, "failed", G_CALLBACK(&PrintJobEnd::failed), this);
  }
  ~PrintJobEnd() { g_signal_handlers_disconnect_by_data(operation_.get(), this); }
  PrintJobEnd(const PrintJobEnd&) = delete;
  PrintJobEnd& operator=(const PrintJobEnd&) = delete;

  bool await_ready() const noexcept { return ended_; }
  template <async::TaskPromise P>
  void await_suspend(std::coroutine_handle<P> self) {
    waiter_ = self;
    context_ = self.promise().context;
    cancelHook_ = std::make_unique<async::CancelHook>(context_->cancellable(), [this] { end(); });
  }
  void await_resume() {
    cancelHook_.reset();
    if (context_ && context_->isCancelled()) throw async::Cancelled();
  }

 private:
  static void finished(WebKitPrintOperation*, gpointer self) { static_cast<PrintJobEnd*>(self)->end(); }
  static void failed(WebKitPrintOperation*, GError*, gpointer self) { static_cast<PrintJobEnd*>(self)->end(); }

  // Resumes the waiting task once, from the main loop.
  void end() {
    if (std::exchange(ended_, true) || !waiter_) return;
    async::post([waiter = waiter_] { waiter.resume(); });
  }

  glib::ObjectPtr<WebKitPrintOperation> operation_;
  bool ended_ = false;
  std::coroutine_handle<> waiter_;
  std::shared_ptr<async::TaskContext> context_;
  std::unique_ptr<async::CancelHook> cancelHook_;
};

glib::ObjectPtr<GtkPrintSettings> fileSettings(const std::filesystem::path& file) {
  auto settings = glib::ObjectPtr<GtkPrintSettings>::adopt(gtk_print_settings_new());
  gtk_print_settings_set_printer(settings.get(), "Print to File");
  gtk_print_settings_set(settings.get(), GTK_PRINT_SETTINGS_OUTPUT_FILE_FORMAT, "pdf");
  glib::GFreePtr<char> uri(g_filename_to_uri(file.c_str(), nullptr, nullptr));
  if (uri) gtk_print_settings_set(settings.get(), GTK_PRINT_SETTINGS_OUTPUT_URI, uri.get());
  return settings;
}

}  // namespace

async::Task<void> runPrintJob(glib::ObjectPtr<WebKitWebView> view, glib::ObjectPtr<GtkWindow> parent,
                              std::optional<std::filesystem::path> file) {
  auto operation = glib::ObjectPtr<WebKitPrintOperation>::adopt(webkit_print_operation_new(view.get()));
  PrintJobEnd end(operation.get());
  if (file) {
    webkit_print_operation_set_print_settings(operation.get(), fileSettings(*file).get());
    webkit_print_operation_print(operation.get());
  } else if (webkit_print_operation_run_dialog(operation.get(), parent.get()) ==
             WEBKIT_PRINT_OPERATION_RESPONSE_CANCEL) {
    co_return;
  }
  co_await end;
}

}  // namespace vesk::ui

#include "core/async/sleep.h"

namespace vesk::async {

guint addTimeout(std::chrono::milliseconds delay, GSourceFunc callback, gpointer data) {
  const auto ms = delay.count() < 0 ? 0u : static_cast<guint>(delay.count());
  GSource* source = g_timeout_source_new(ms);
  g_source_set_callback(source, callback, data, nullptr);
  GMainContext* context = g_main_context_ref_thread_default();
  const guint id = g_source_attach(source, context);
  g_main_context_unref(context);
  g_source_unref(source);
  return id;
}

void SleepAwaiter::suspend(std::coroutine_handle<> self, TaskContext& context) {
  self_ = self;
  if (context.isCancelled()) {
    cancelled_ = true;
    post([self] { self.resume(); });
    return;
  }
  timer_ = glib::SourceId(addTimeout(
      delay_,
      [](gpointer data) -> gboolean {
        auto* awaiter = static_cast<SleepAwaiter*>(data);
        awaiter->timer_.release();  // this source ends as the callback returns
        awaiter->hook_->disconnect();
        awaiter->self_.resume();  // may destroy the awaiter: touch nothing after
        return G_SOURCE_REMOVE;
      },
      this));
  hook_.emplace(context.cancellable(), [this] {
    timer_.remove();
    hook_->disconnect();
    cancelled_ = true;
    post([self = self_] { self.resume(); });
  });
}

Task<void> checkCancellation() {
  const auto context = co_await currentContext();
  if (context->isCancelled()) throw Cancelled();
}

}  // namespace vesk::async

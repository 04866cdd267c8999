#include "core/async/task_context.h"

namespace vesk::async {

CancelHook::CancelHook(GCancellable* cancellable, std::function<void()> onCancel)
    : cancellable_(glib::ObjectPtr<GCancellable>::retain(cancellable)),
      onCancel_(std::make_unique<std::function<void()>>(std::move(onCancel))) {
  handler_ = g_signal_connect_swapped(
      cancellable, "cancelled", G_CALLBACK(+[](std::function<void()>* callback) { (*callback)(); }), onCancel_.get());
}

void CancelHook::disconnect() {
  if (handler_ != 0) {
    g_signal_handler_disconnect(cancellable_.get(), handler_);
    handler_ = 0;
  }
}

}  // namespace vesk::async

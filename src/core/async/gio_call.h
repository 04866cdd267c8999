#pragma once
// Awaiting a GIO-style asynchronous operation with the running task's cancellable:
//
//   auto result = co_await gioCall([&](GCancellable* c, GAsyncReadyCallback cb, gpointer d) {
//     soup_session_send_async(session, message, G_PRIORITY_DEFAULT, c, cb, d);
//   });
//   ... soup_session_send_finish(session, result.get(), &error) ...
//
// GIO completes every operation from the main loop, cancelled ones included, so the task
// resumes there with the result to finish.
#include "core/async/task.h"
#include "core/platform/object_ptr.h"

namespace vesk::async {

template <class Start>
class GioAwaiter {
 public:
  explicit GioAwaiter(Start start) : start_(std::move(start)) {}

  bool await_ready() const noexcept { return false; }
  template <TaskPromise P>
  void await_suspend(std::coroutine_handle<P> self) {
    self_ = self;
    start_(self.promise().context->cancellable(), &GioAwaiter::completed, this);
  }
  glib::ObjectPtr<GAsyncResult> await_resume() { return std::move(result_); }

 private:
  static void completed(GObject*, GAsyncResult* result, gpointer data) {
    auto* awaiter = static_cast<GioAwaiter*>(data);
    awaiter->result_ = glib::ObjectPtr<GAsyncResult>::retain(result);
    awaiter->self_.resume();
  }

  Start start_;
  std::coroutine_handle<> self_;
  glib::ObjectPtr<GAsyncResult> result_;
};

template <class Start>
GioAwaiter<Start> gioCall(Start start) {
  return GioAwaiter<Start>(std::move(start));
}

}  // namespace vesk::async

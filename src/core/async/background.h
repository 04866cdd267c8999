#pragma once
// Running a piece of blocking work (a large decode, a file read) on a worker thread and
// delivering its result back to the main loop:
//
//   auto records = co_await inBackground([bytes] { return decode(bytes); });
//
// The work gets a copy of what it needs and touches no state object. It is not
// interrupted: when the task is cancelled meanwhile, the awaiter still waits for the
// work to end (so nothing refers to freed memory) and then throws Cancelled.
//
// GCC 12 destroys the move-captures of a lambda written inside the co_await expression
// twice. Capture by reference to a local that outlives the await, or name the awaiter
// first (`auto work = inBackground(...); co_await std::move(work);`).
#include "core/async/errors.h"
#include "core/async/task.h"

#include <gio/gio.h>

#include <exception>
#include <optional>
#include <type_traits>

namespace vesk::async {

template <class Work>
class BackgroundAwaiter {
 public:
  using Result = std::invoke_result_t<Work&>;

  explicit BackgroundAwaiter(Work work) : work_(std::move(work)) {}

  bool await_ready() const noexcept { return false; }
  template <TaskPromise P>
  void await_suspend(std::coroutine_handle<P> self) {
    self_ = self;
    GTask* task = g_task_new(nullptr, self.promise().context->cancellable(), &BackgroundAwaiter::completed, this);
    g_task_set_task_data(task, this, nullptr);
    g_task_set_return_on_cancel(task, FALSE);
    g_task_run_in_thread(task, &BackgroundAwaiter::runOnWorker);
    g_object_unref(task);
  }
  Result await_resume() {
    if (cancelled_) throw Cancelled();
    if (error_) std::rethrow_exception(error_);
    if constexpr (!std::is_void_v<Result>) return std::move(*result_);
  }

 private:
  using Stored = std::conditional_t<std::is_void_v<Result>, bool, Result>;

  static void runOnWorker(GTask* task, gpointer, gpointer data, GCancellable*) {
    auto* awaiter = static_cast<BackgroundAwaiter*>(data);
    try {
      if constexpr (std::is_void_v<Result>) {
        awaiter->work_();
      } else {
        awaiter->result_.emplace(awaiter->work_());
      }
    } catch (...) {
      awaiter->error_ = std::current_exception();
    }
    g_task_return_boolean(task, TRUE);
  }

  static void completed(GObject*, GAsyncResult* result, gpointer data) {
    auto* awaiter = static_cast<BackgroundAwaiter*>(data);
    awaiter->cancelled_ = g_cancellable_is_cancelled(g_task_get_cancellable(G_TASK(result)));
    awaiter->self_.resume();
  }

  Work work_;
  std::coroutine_handle<> self_;
  std::optional<Stored> result_;
  std::exception_ptr error_;
  bool cancelled_ = false;
};

template <class Work>
BackgroundAwaiter<Work> inBackground(Work work) {
  return BackgroundAwaiter<Work>(std::move(work));
}

}  // namespace vesk::async

#pragma once
// A cancellable sleep: `co_await sleep(2500ms);` throws Cancelled when the task is
// cancelled before or during the wait.
#include "core/async/errors.h"
#include "core/async/main_loop.h"
#include "core/async/task.h"
#include "core/async/timing.h"
#include "core/platform/object_ptr.h"

#include <chrono>
#include <optional>

namespace vesk::async {

// Attaches a one-shot timer to the thread's main context; the callback's source ends
// after it returns.
guint addTimeout(std::chrono::milliseconds delay, GSourceFunc callback, gpointer data);

class SleepAwaiter {
 public:
  // `delay` is nominal; the Timing scale applies.
  explicit SleepAwaiter(std::chrono::milliseconds delay) : delay_(Timing::scaled(delay)) {}
  SleepAwaiter(SleepAwaiter&&) = delete;  // resumed through its own address

  bool await_ready() const noexcept { return false; }
  template <TaskPromise P>
  void await_suspend(std::coroutine_handle<P> self) {
    suspend(self, *self.promise().context);
  }
  void await_resume() const {
    if (cancelled_) throw Cancelled();
  }

 private:
  void suspend(std::coroutine_handle<> self, TaskContext& context);

  std::chrono::milliseconds delay_;
  std::coroutine_handle<> self_;
  glib::SourceId timer_;
  std::optional<CancelHook> hook_;
  bool cancelled_ = false;
};

template <class Rep, class Period>
SleepAwaiter sleep(std::chrono::duration<Rep, Period> delay) {
  return SleepAwaiter(std::chrono::duration_cast<std::chrono::milliseconds>(delay));
}

// Throws Cancelled if the running task has been cancelled; never suspends.
Task<void> checkCancellation();

}  // namespace vesk::async

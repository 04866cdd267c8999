#pragma once
// Starting top-level tasks, their handles, and the slot a state object keeps one in.
#include "core/async/errors.h"
#include "core/async/main_loop.h"
#include "core/async/task.h"

#include <functional>
#include <map>
#include <optional>

namespace vesk::async {

// What a handle shares with the running task: its context and, once done, its outcome.
class TaskControl {
 public:
  std::shared_ptr<TaskContext> context = std::make_shared<TaskContext>();

  bool isDone() const { return done_; }
  int addDoneCallback(std::function<void()> callback) {
    callbacks_.emplace(nextCallback_, std::move(callback));
    return nextCallback_++;
  }
  void removeDoneCallback(int id) { callbacks_.erase(id); }
  void markDone() {
    done_ = true;
    auto callbacks = std::exchange(callbacks_, {});
    for (auto& [id, callback] : callbacks) callback();
  }

 private:
  bool done_ = false;
  int nextCallback_ = 0;
  std::map<int, std::function<void()>> callbacks_;
};

template <class T>
class TypedTaskControl : public TaskControl, public detail::Outcome<T> {};

// A handle to a spawned task of any result type: enough to cancel it and ask if it ended.
class TaskRef {
 public:
  TaskRef() = default;
  explicit TaskRef(std::shared_ptr<TaskControl> control) : control_(std::move(control)) {}

  void cancel() const {
    if (control_) control_->context->cancel();
  }
  bool isEmpty() const { return !control_; }
  bool isDone() const { return !control_ || control_->isDone(); }
  bool isCancelled() const { return control_ && control_->context->isCancelled(); }
  bool operator==(const TaskRef& other) const { return control_ == other.control_; }

  // Waits for the task to end, without taking its result; the waiter's own cancellation
  // stops the wait (not the task).
  class JoinAwaiter join() const;

 protected:
  std::shared_ptr<TaskControl> control_;
};

template <class T>
class TaskHandle : public TaskRef {
 public:
  explicit TaskHandle(std::shared_ptr<TypedTaskControl<T>> control) : TaskRef(control), typed_(std::move(control)) {}

  // The task's result, or its error rethrown. Only once isDone().
  T result() const { return typed_->take(); }

 private:
  std::shared_ptr<TypedTaskControl<T>> typed_;
};

namespace detail {

// The frame that drives a spawned task: started from the main loop, destroyed at its end.
struct Driver {
  struct promise_type : PromiseBase {
    template <class Control, class... Rest>
    explicit promise_type(const std::shared_ptr<Control>& control, Rest&...) : PromiseBase{control->context} {}

    Driver get_return_object() noexcept { return {}; }
    auto initial_suspend() noexcept {
      struct StartFromMainLoop {
        bool await_ready() noexcept { return false; }
        void await_suspend(std::coroutine_handle<> self) noexcept {
          post([self] { self.resume(); });
        }
        void await_resume() noexcept {}
      };
      return StartFromMainLoop{};
    }
    std::suspend_never final_suspend() noexcept { return {}; }
    void return_void() noexcept {}
    void unhandled_exception() noexcept { std::terminate(); }
  };
};

template <class T>
Driver drive(std::shared_ptr<TypedTaskControl<T>> control, Task<T> task) {
  try {
    if constexpr (std::is_void_v<T>) {
      co_await std::move(task);
      control->return_void();
    } else {
      control->return_value(co_await std::move(task));
    }
  } catch (...) {
    control->fail(std::current_exception());
  }
  control->markDone();
}

}  // namespace detail

// Starts `task` on the main loop (never inside this call) and returns its handle. The
// task runs to its end whether or not the handle is kept: it owns what it needs, so a
// task that needs its owner takes a std::shared_ptr to it as a parameter (not a lambda
// capture, which the coroutine frame does not keep).
template <class T>
TaskHandle<T> spawn(Task<T> task) {
  auto control = std::make_shared<TypedTaskControl<T>>();
  detail::drive<T>(control, std::move(task));
  return TaskHandle<T>(std::move(control));
}

class JoinAwaiter {
 public:
  explicit JoinAwaiter(std::shared_ptr<TaskControl> target) : target_(std::move(target)) {}

  bool await_ready() noexcept { return false; }
  template <TaskPromise P>
  void await_suspend(std::coroutine_handle<P> waiter) {
    suspend(waiter, *waiter.promise().context);
  }
  void await_resume() const {
    if (cancelled_) throw Cancelled();
  }

 private:
  void suspend(std::coroutine_handle<> waiter, TaskContext& context) {
    if (!target_ || target_->isDone() || context.isCancelled()) {
      cancelled_ = context.isCancelled();
      post([waiter] { waiter.resume(); });
      return;
    }
    callbackId_ = target_->addDoneCallback([this, waiter] {
      hook_->disconnect();
      post([waiter] { waiter.resume(); });
    });
    hook_.emplace(context.cancellable(), [this, waiter] {
      hook_->disconnect();
      target_->removeDoneCallback(callbackId_);
      cancelled_ = true;
      post([waiter] { waiter.resume(); });
    });
  }

  std::shared_ptr<TaskControl> target_;
  std::optional<CancelHook> hook_;
  int callbackId_ = -1;
  bool cancelled_ = false;
};

inline JoinAwaiter TaskRef::join() const { return JoinAwaiter(control_); }

// What TaskSlot::start does with the task the slot held.
enum class PreviousTask { leave, cancel };

// The one task a state object keeps for a purpose (its operation, its watcher).
class TaskSlot {
 public:
  // Puts `task` in the slot; the previous one is cancelled first or left to run on its own.
  void start(TaskRef task, PreviousTask previous) {
    if (previous == PreviousTask::cancel) cancel();
    current_ = std::move(task);
  }
  void cancel() {
    current_.cancel();
    current_ = TaskRef();
  }
  // Forgets the task without cancelling it.
  void clear() { current_ = TaskRef(); }
  bool isEmpty() const { return current_.isEmpty(); }
  bool holds(const TaskRef& task) const { return !isEmpty() && current_ == task; }
  const TaskRef& current() const { return current_; }

 private:
  TaskRef current_;
};

}  // namespace vesk::async

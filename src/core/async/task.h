#pragma once
// Task<T>: a coroutine that runs on the main loop and is cancelled through the
// context of the task that awaits it.
//
// A Task does nothing until it is awaited (as a child of another task) or spawned
// (see spawn.h). A child shares its parent's TaskContext, so cancelling the parent
// makes whatever the child awaits fail with Cancelled at once.
#include "core/async/task_context.h"

#include <concepts>
#include <coroutine>
#include <exception>
#include <memory>
#include <utility>
#include <variant>

namespace vesk::async {

// Every promise of this runtime carries the context of the task that runs it, so an
// awaiter can reach the cancellable of whoever awaits it.
struct PromiseBase {
  std::shared_ptr<TaskContext> context;
};

template <class P>
concept TaskPromise = std::derived_from<P, PromiseBase>;

namespace detail {

template <class T>
class Outcome {
 public:
  template <class U>
  void return_value(U&& value) {
    state_.template emplace<1>(std::forward<U>(value));
  }
  void fail(std::exception_ptr error) { state_.template emplace<2>(std::move(error)); }
  T take() {
    if (auto* error = std::get_if<2>(&state_)) std::rethrow_exception(*error);
    return std::move(std::get<1>(state_));
  }

 private:
  std::variant<std::monostate, T, std::exception_ptr> state_;
};

template <>
class Outcome<void> {
 public:
  void return_void() {}
  void fail(std::exception_ptr error) { error_ = std::move(error); }
  void take() {
    if (error_) std::rethrow_exception(error_);
  }

 private:
  std::exception_ptr error_;
};

}  // namespace detail

template <class T = void>
class [[nodiscard]] Task {
 public:
  struct promise_type : PromiseBase, detail::Outcome<T> {
    std::coroutine_handle<> continuation;

    Task get_return_object() { return Task(Handle::from_promise(*this)); }
    std::suspend_always initial_suspend() noexcept { return {}; }
    auto final_suspend() noexcept {
      struct ResumeAwaiter {
        bool await_ready() noexcept { return false; }
        std::coroutine_handle<> await_suspend(std::coroutine_handle<promise_type> self) noexcept {
          auto next = self.promise().continuation;
          return next ? next : std::noop_coroutine();
        }
        void await_resume() noexcept {}
      };
      return ResumeAwaiter{};
    }
    void unhandled_exception() { this->fail(std::current_exception()); }
  };
  using Handle = std::coroutine_handle<promise_type>;

  struct ChildAwaiter {
    Handle child;
    bool await_ready() noexcept { return false; }
    template <TaskPromise P>
    std::coroutine_handle<> await_suspend(std::coroutine_handle<P> parent) noexcept {
      child.promise().context = parent.promise().context;
      child.promise().continuation = parent;
      return child;
    }
    T await_resume() { return child.promise().take(); }
  };

  Task(Task&& other) noexcept : handle_(std::exchange(other.handle_, {})) {}
  Task& operator=(Task&& other) noexcept {
    if (this != &other) {
      if (handle_) handle_.destroy();
      handle_ = std::exchange(other.handle_, {});
    }
    return *this;
  }
  Task(const Task&) = delete;
  Task& operator=(const Task&) = delete;
  ~Task() {
    if (handle_) handle_.destroy();
  }

  // Runs the task as a child of the awaiting task: same context, and the awaiter
  // continues when the child returns or throws.
  auto operator co_await() && noexcept { return ChildAwaiter{handle_}; }

 private:
  explicit Task(Handle handle) : handle_(handle) {}
  Handle handle_;
};

struct ContextAwaiter {
  std::shared_ptr<TaskContext> context;
  bool await_ready() noexcept { return false; }
  template <TaskPromise P>
  bool await_suspend(std::coroutine_handle<P> self) noexcept {
    context = self.promise().context;
    return false;
  }
  std::shared_ptr<TaskContext> await_resume() noexcept { return std::move(context); }
};

// Gives the running task its own context: `auto context = co_await currentContext();`.
// Does not suspend.
inline ContextAwaiter currentContext() { return {}; }

}  // namespace vesk::async

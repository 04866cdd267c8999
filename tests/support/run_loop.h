#pragma once
// Drives the GLib main loop in tests until a condition holds or a deadline passes, so a
// hung task fails its test instead of hanging the run. Every deadline is scaled for the
// machine (see wait_scale.h).
#include "core/async/spawn.h"

#include <chrono>
#include <functional>

namespace vesk::testing {

using namespace std::chrono_literals;

// Iterates the thread's main context until `done()` or `deadline`; returns done().
bool runUntil(const std::function<bool()>& done, std::chrono::milliseconds deadline = 10s);

// The same until the moment `end`, which is not scaled again.
bool runUntilAt(const std::function<bool()>& done, std::chrono::steady_clock::time_point end);

// Runs the loop until the work already queued on it down to `priority` has run, and what
// that makes ready in turn (by default down to idle priority: a model's changes of this turn
// and the view's update they schedule). False when it is still busy at the deadline.
bool runPending(std::chrono::milliseconds deadline = 10s, int priority = G_PRIORITY_DEFAULT_IDLE);

// Spins the loop for a while (lets queued sources run).
void runFor(std::chrono::milliseconds duration);

// Runs the loop until the task ends; throws std::runtime_error if the deadline passes.
void waitFor(const async::TaskRef& task, std::chrono::milliseconds deadline = 10s);

// Spawns `task`, runs it to its end and returns its result (or rethrows its error).
template <class T>
T runTask(async::Task<T> task, std::chrono::milliseconds deadline = 10s) {
  auto handle = async::spawn(std::move(task));
  waitFor(handle, deadline);
  return handle.result();
}

}  // namespace vesk::testing

#pragma once
// Drives the GLib main loop in tests until a condition holds or a deadline passes, so a
// hung task fails its test instead of hanging the run.
#include "core/async/spawn.h"

#include <chrono>
#include <functional>

namespace vesk::testing {

using namespace std::chrono_literals;

// Iterates the thread's main context until `done()` or `deadline`; returns done().
bool runUntil(const std::function<bool()>& done, std::chrono::milliseconds deadline = 10s);

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

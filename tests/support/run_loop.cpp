#include "support/run_loop.h"

#include "core/platform/object_ptr.h"
#include "support/wait_scale.h"

#include <glib.h>

#include <stdexcept>

namespace vesk::testing {

bool runUntil(const std::function<bool()>& done, std::chrono::milliseconds deadline) {
  return runUntilAt(done, std::chrono::steady_clock::now() + scaled(deadline));
}

bool runUntilAt(const std::function<bool()>& done, std::chrono::steady_clock::time_point end) {
  GMainContext* context = g_main_context_default();
  // A wake-up every few milliseconds so the deadline is checked even when no source fires.
  const guint tick = g_timeout_add(
      5, [](gpointer) -> gboolean { return G_SOURCE_CONTINUE; }, nullptr);
  while (!done() && std::chrono::steady_clock::now() < end) g_main_context_iteration(context, TRUE);
  g_source_remove(tick);
  return done();
}

// A marker at that priority runs only once nothing of a higher priority is ready, and after
// the sources of its own priority queued before it.
bool runPending(std::chrono::milliseconds deadline, int priority) {
  bool reached = false;
  glib::SourceId marker(g_idle_add_full(
      priority,
      [](gpointer data) -> gboolean {
        *static_cast<bool*>(data) = true;
        return G_SOURCE_REMOVE;
      },
      &reached, nullptr));
  if (!runUntil([&] { return reached; }, deadline)) return false;
  marker.release();  // it ended as it ran
  return true;
}

void runFor(std::chrono::milliseconds duration) {
  const auto end = std::chrono::steady_clock::now() + duration;
  runUntil([&] { return std::chrono::steady_clock::now() >= end; }, duration + 1s);
}

void waitFor(const async::TaskRef& task, std::chrono::milliseconds deadline) {
  if (!runUntil([&] { return task.isDone(); }, deadline))
    throw std::runtime_error("task did not finish before the test's deadline");
}

}  // namespace vesk::testing

#include "support/run_loop.h"

#include <glib.h>

#include <stdexcept>

namespace vesk::testing {

bool runUntil(const std::function<bool()>& done, std::chrono::milliseconds deadline) {
  const auto end = std::chrono::steady_clock::now() + deadline;
  GMainContext* context = g_main_context_default();
  // A wake-up every few milliseconds so the deadline is checked even when no source fires.
  const guint tick = g_timeout_add(
      5, [](gpointer) -> gboolean { return G_SOURCE_CONTINUE; }, nullptr);
  while (!done() && std::chrono::steady_clock::now() < end) g_main_context_iteration(context, TRUE);
  g_source_remove(tick);
  return done();
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

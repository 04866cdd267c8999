#pragma once
// Scheduling onto the GLib main context of the running thread.
#include <functional>

namespace vesk::async {

// Runs `work` once from the main loop, at default priority, after everything already
// queued at that priority. Never runs it inside this call.
void post(std::function<void()> work);

}  // namespace vesk::async

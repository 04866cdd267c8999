#pragma once
// Gathers the change signals a presentation model follows and calls its flush once, from
// the main loop, after the burst of changes that scheduled it: a state object that writes
// several properties in one step (a run closed: `current` cleared, then `screen` moved)
// is seen by the model, and so by its views, only in its finished state.
//
// The flush runs at high idle priority: after the pending default-priority work (task
// resumptions, replies) and before the next frame is laid out and drawn.
#include "core/platform/object_ptr.h"

#include <sigc++/connection.h>
#include <sigc++/signal.h>

#include <functional>
#include <vector>

namespace vesk {

class ChangeCoalescer {
 public:
  explicit ChangeCoalescer(std::function<void()> flush);
  ~ChangeCoalescer();
  ChangeCoalescer(const ChangeCoalescer&) = delete;
  ChangeCoalescer& operator=(const ChangeCoalescer&) = delete;

  // Schedules a flush whenever `signal` fires; followed until this object goes.
  void follow(sigc::signal<void()>& signal);
  // Schedules a flush unless one is pending.
  void schedule();
  bool pending() const { return static_cast<bool>(source_); }

 private:
  static int dispatch(void* self);

  std::function<void()> flush_;
  glib::SourceId source_;
  std::vector<sigc::connection> connections_;
};

}  // namespace vesk

#pragma once
// The tasks a short-lived state object starts (a screen's report or library state): all
// of them are cancelled when the owner is destroyed, so none outlives the visit.
#include "core/async/spawn.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace vesk::async {

class OwnedTasks {
 public:
  OwnedTasks() = default;
  OwnedTasks(const OwnedTasks&) = delete;
  OwnedTasks& operator=(const OwnedTasks&) = delete;
  ~OwnedTasks() { cancelAll(); }

  // Keeps `task` until it ends or the set is destroyed; returns it for the caller.
  template <class Ref>
  Ref add(Ref task) {
    std::erase_if(tasks_, [](const TaskRef& held) { return held.isDone(); });
    tasks_.push_back(task);
    return task;
  }

  void cancelAll() {
    for (const auto& task : std::exchange(tasks_, {})) task.cancel();
  }

  // How many of the held tasks have not ended yet.
  std::size_t running() const {
    return static_cast<std::size_t>(
        std::count_if(tasks_.begin(), tasks_.end(), [](const TaskRef& task) { return !task.isDone(); }));
  }

 private:
  std::vector<TaskRef> tasks_;
};

}  // namespace vesk::async

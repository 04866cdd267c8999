#pragma once
// Bounds a blocking GIO call: the cancellable is cancelled from a watcher thread once the
// limit passes, so a service that never answers cannot hold the caller for long.
//
//   CancelAfter bound(4s);
//   secret_service_search_sync(..., bound.cancellable(), &error);
#include "core/platform/object_ptr.h"

#include <gio/gio.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace vesk::glib {

class CancelAfter {
 public:
  explicit CancelAfter(std::chrono::milliseconds limit);
  ~CancelAfter();
  CancelAfter(const CancelAfter&) = delete;
  CancelAfter& operator=(const CancelAfter&) = delete;

  GCancellable* cancellable() const { return cancellable_.get(); }
  bool expired() const { return g_cancellable_is_cancelled(cancellable_.get()); }

 private:
  ObjectPtr<GCancellable> cancellable_;
  std::mutex mutex_;
  std::condition_variable wake_;
  bool finished_ = false;
  std::thread watcher_;
};

}  // namespace vesk::glib

#pragma once
// The cancellation scope of one task and of the child tasks it awaits.
#include "core/platform/object_ptr.h"

#include <gio/gio.h>

#include <functional>
#include <memory>

namespace vesk::async {

class TaskContext {
 public:
  TaskContext() : cancellable_(glib::ObjectPtr<GCancellable>::adopt(g_cancellable_new())) {}

  GCancellable* cancellable() const { return cancellable_.get(); }
  bool isCancelled() const { return g_cancellable_is_cancelled(cancellable_.get()); }
  void cancel() { g_cancellable_cancel(cancellable_.get()); }

 private:
  glib::ObjectPtr<GCancellable> cancellable_;
};

// Calls `onCancel` when the cancellable is cancelled, until this hook goes away.
// Everything runs on the main thread, so a plain signal connection suffices.
class CancelHook {
 public:
  CancelHook() = default;
  CancelHook(GCancellable* cancellable, std::function<void()> onCancel);
  CancelHook(const CancelHook&) = delete;
  CancelHook& operator=(const CancelHook&) = delete;
  ~CancelHook() { disconnect(); }
  void disconnect();

 private:
  glib::ObjectPtr<GCancellable> cancellable_;
  std::unique_ptr<std::function<void()>> onCancel_;
  gulong handler_ = 0;
};

}  // namespace vesk::async

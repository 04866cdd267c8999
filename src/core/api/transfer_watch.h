#pragma once
// Guards one network transfer: a cancellable that follows the awaiting task's own and
// also fires when the transfer has been idle for its time-out, or has run past its
// deadline. The idle time-out measures inactivity: every sign of progress (`touch()`)
// restarts it, so a large reply that keeps arriving is not cut short by it. The deadline
// bounds the whole transfer, so a reply that trickles a byte at a time still ends.
#include "core/async/task_context.h"
#include "core/platform/object_ptr.h"

#include <gio/gio.h>

#include <chrono>

namespace vesk {

class TransferWatch {
 public:
  // Both limits are nominal; the Timing scale applies. A zero deadline sets none. Both
  // clocks start at once.
  TransferWatch(GCancellable* taskCancellable, std::chrono::milliseconds idleLimit,
                std::chrono::milliseconds deadline = std::chrono::milliseconds(0));
  TransferWatch(const TransferWatch&) = delete;
  TransferWatch& operator=(const TransferWatch&) = delete;

  // Pass this to every GIO call of the transfer.
  GCancellable* cancellable() const { return cancellable_.get(); }
  // Progress was made: the idle clock starts over.
  void touch();
  // Throws the C++ form of an error that ended the transfer: a time-out of this watch
  // becomes a platform time-out error, a cancellation of the task Cancelled, anything
  // else the platform's own error.
  [[noreturn]] void fail(const GError* error) const;

  static constexpr const char* timedOutMessage = "The request timed out.";

 private:
  void arm();
  static int expire(void* self);

  glib::ObjectPtr<GCancellable> task_;
  glib::ObjectPtr<GCancellable> cancellable_;
  std::chrono::milliseconds idleLimit_;
  glib::SourceId timer_;
  glib::SourceId deadline_;
  async::CancelHook followTask_;
  bool timedOut_ = false;
};

}  // namespace vesk

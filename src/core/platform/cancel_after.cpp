#include "core/platform/cancel_after.h"

namespace vesk::glib {

CancelAfter::CancelAfter(std::chrono::milliseconds limit)
    : cancellable_(ObjectPtr<GCancellable>::adopt(g_cancellable_new())) {
  watcher_ = std::thread([this, limit] {
    std::unique_lock lock(mutex_);
    if (!wake_.wait_for(lock, limit, [this] { return finished_; })) g_cancellable_cancel(cancellable_.get());
  });
}

CancelAfter::~CancelAfter() {
  {
    std::lock_guard lock(mutex_);
    finished_ = true;
  }
  wake_.notify_one();
  watcher_.join();
}

}  // namespace vesk::glib

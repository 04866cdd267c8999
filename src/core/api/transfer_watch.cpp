#include "core/api/transfer_watch.h"

#include "core/async/errors.h"
#include "core/async/sleep.h"
#include "core/async/timing.h"

namespace vesk {

TransferWatch::TransferWatch(GCancellable* taskCancellable, std::chrono::milliseconds idleLimit,
                             std::chrono::milliseconds deadline)
    : task_(glib::ObjectPtr<GCancellable>::retain(taskCancellable)),
      cancellable_(glib::ObjectPtr<GCancellable>::adopt(g_cancellable_new())),
      idleLimit_(async::Timing::scaled(idleLimit)),
      followTask_(taskCancellable, [this] { g_cancellable_cancel(cancellable_.get()); }) {
  if (g_cancellable_is_cancelled(taskCancellable)) g_cancellable_cancel(cancellable_.get());
  arm();
  if (deadline.count() > 0)
    deadline_ = glib::SourceId(async::addTimeout(
        async::Timing::scaled(deadline),
        [](gpointer data) -> gboolean {
          static_cast<TransferWatch*>(data)->deadline_.release();  // this source ends as the callback returns
          return expire(data);
        },
        this));
}

void TransferWatch::touch() {
  if (!timedOut_) arm();
}

void TransferWatch::arm() {
  timer_ = glib::SourceId(async::addTimeout(
      idleLimit_,
      [](gpointer data) -> gboolean {
        static_cast<TransferWatch*>(data)->timer_.release();  // this source ends as the callback returns
        return expire(data);
      },
      this));
}

int TransferWatch::expire(void* self) {
  auto* watch = static_cast<TransferWatch*>(self);
  watch->timedOut_ = true;
  watch->timer_.remove();
  watch->deadline_.remove();
  g_cancellable_cancel(watch->cancellable_.get());
  return G_SOURCE_REMOVE;
}

void TransferWatch::fail(const GError* error) const {
  const bool taskCancelled = g_cancellable_is_cancelled(task_.get());
  if (timedOut_ && !taskCancelled && g_error_matches(error, G_IO_ERROR, G_IO_ERROR_CANCELLED))
    throw async::PlatformError(G_IO_ERROR, G_IO_ERROR_TIMED_OUT, timedOutMessage);
  async::throwError(error);
}

}  // namespace vesk

#include "ui/support/next_frame.h"

#include "core/platform/object_ptr.h"
#include "support/run_loop.h"
#include "support/wait_scale.h"

#include <gtest/gtest.h>
#include <gtk/gtk.h>

namespace vesk::testing {

namespace {

// Notes that its frame clock has painted a frame, for as long as it lives.
class AfterPaint {
 public:
  explicit AfterPaint(GdkFrameClock* clock) : clock_(glib::ObjectPtr<GdkFrameClock>::retain(clock)) {
    handler_ = g_signal_connect(clock_.get(), "after-paint", G_CALLBACK(&AfterPaint::painted), this);
  }
  ~AfterPaint() { g_signal_handler_disconnect(clock_.get(), handler_); }
  AfterPaint(const AfterPaint&) = delete;
  AfterPaint& operator=(const AfterPaint&) = delete;
  int count = 0;

 private:
  static void painted(GdkFrameClock*, gpointer self) { ++static_cast<AfterPaint*>(self)->count; }
  glib::ObjectPtr<GdkFrameClock> clock_;
  gulong handler_ = 0;
};

}  // namespace

bool waitForNextFrame(Gtk::Widget& widget, std::chrono::steady_clock::time_point end) {
  GdkFrameClock* clock = gtk_widget_get_frame_clock(widget.gobj());
  if (!clock) return false;
  const AfterPaint frame(clock);
  widget.queue_draw();
  return runUntilAt([&] { return frame.count > 0; }, end);
}

bool waitForNextFrame(Gtk::Widget& widget, std::chrono::milliseconds deadline) {
  return waitForNextFrame(widget, std::chrono::steady_clock::now() + scaled(deadline));
}

// While something animates (a spinner), frames follow each other without a pause and a
// slow build never gets down to idle priority: that many frames in a row stand for the rest.
constexpr int framesInARow = 3;

void settleFrame(Gtk::Widget& widget) {
  GdkFrameClock* clock = gtk_widget_get_frame_clock(widget.gobj());
  if (!clock) {
    EXPECT_TRUE(runPending()) << "the main loop never came to rest";
    return;
  }
  const auto end = std::chrono::steady_clock::now() + scaled(std::chrono::seconds(10));
  bool rest = false;
  glib::SourceId marker(g_idle_add_full(
      G_PRIORITY_DEFAULT_IDLE,
      [](gpointer data) -> gboolean {
        *static_cast<bool*>(data) = true;
        return G_SOURCE_REMOVE;
      },
      &rest, nullptr));
  {
    const AfterPaint frames(clock);
    widget.queue_draw();
    EXPECT_TRUE(runUntilAt([&] { return rest || frames.count >= framesInARow; }, end))
        << "the main loop never came to rest";
  }
  EXPECT_TRUE(waitForNextFrame(widget, end)) << "no frame was drawn";
  // What the frame's layout queued for the models runs too (never starved by frames).
  EXPECT_TRUE(runPending(std::chrono::seconds(10), G_PRIORITY_HIGH_IDLE + 10)) << "the main loop never came to rest";
  if (rest) marker.release();  // it ended as it ran
}

}  // namespace vesk::testing

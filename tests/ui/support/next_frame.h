#pragma once
// Waiting for a widget's window to draw: the next frame, or the work already queued and
// then the next frame, after which everything it changed is laid out and drawn.
#include <gtkmm/widget.h>

#include <chrono>

namespace vesk::testing {

// Queues a redraw of `widget` and runs the loop until its window has painted the frame
// after it, by the moment `end` (not scaled again) or within `deadline`; false when no
// frame came.
bool waitForNextFrame(Gtk::Widget& widget, std::chrono::steady_clock::time_point end);
bool waitForNextFrame(Gtk::Widget& widget, std::chrono::milliseconds deadline = std::chrono::seconds(10));

// Runs the work already queued on the loop (a model's changes of this turn and the view's
// update they schedule; while something animates, what runs between frames), then the next
// frame of `widget`'s window and the models' work its layout queued; fails the test when the
// loop stays busy or no frame is drawn.
void settleFrame(Gtk::Widget& widget);

}  // namespace vesk::testing

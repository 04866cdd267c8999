#pragma once
// The window's background: the ivory ground with three large, blurred, warm blooms that
// keep the window's proportions (a wide window gives wide blooms). It takes no pointer
// events and nothing reads it aloud.
#include <gtkmm/widget.h>

namespace vesk::ui {

class WorkspaceCanvas : public Gtk::Widget {
 public:
  WorkspaceCanvas();

 protected:
  void snapshot_vfunc(const Glib::RefPtr<Gtk::Snapshot>& snapshot) override;
};

}  // namespace vesk::ui

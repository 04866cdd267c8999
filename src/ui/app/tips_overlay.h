#pragma once
// The tips panel over the window: a faint backdrop over everything, which closes the
// panel when clicked without the click reaching what lies beneath, and the panel in the
// top trailing corner. Escape closes it too. It fades in and out unless motion is
// reduced, and takes no clicks while it fades out. The backdrop and the panel are built
// when the overlay first shows: the window's first frame does without them.
#include "ui/audit/tips_panel.h"

#include <gtkmm/box.h>
#include <gtkmm/revealer.h>

#include <functional>

namespace vesk::ui {

class TipsOverlay : public Gtk::Revealer {
 public:
  // `close` asks for the overlay to be hidden (the panel's button, the backdrop, Escape).
  explicit TipsOverlay(std::function<void()> close);

  void setShown(bool shown);
  bool shown() const { return shown_; }
  // A sheet over the overlay keeps focus and Escape from it.
  void setCovered(bool covered);

  // Built on first use.
  TipsPanel& panel();
  Gtk::Widget& backdrop();
  // Whether the backdrop and the panel have been built yet.
  bool built() const { return panel_ != nullptr; }

 private:
  void build();
  bool escape();
  void settled();

  std::function<void()> close_;
  bool shown_ = false;
  bool covered_ = false;
  // Managed, owned by the overlay; none until built.
  Gtk::Box* backdrop_ = nullptr;
  TipsPanel* panel_ = nullptr;
};

}  // namespace vesk::ui

#pragma once
// Keeps the style classes of a control's states that the toolkit does not track:
//   - "hovered": the pointer entered the control while it was enabled (HoverTracker),
//   - "inside-popup": the control sits in a sheet or popup,
//   - "reduce-motion": the user asked for reduced motion.
// Attached once per widget; it lives as long as the widget.
#include "core/style/hover_tracker.h"

#include <gtkmm/eventcontrollermotion.h>
#include <gtkmm/widget.h>
#include <sigc++/signal.h>
#include <sigc++/trackable.h>

namespace vesk::ui {

class ControlStateBinding : public sigc::trackable {
 public:
  // The widget's binding, made on first use.
  static ControlStateBinding& of(Gtk::Widget& widget);

  ControlStateBinding(const ControlStateBinding&) = delete;
  ControlStateBinding& operator=(const ControlStateBinding&) = delete;
  ~ControlStateBinding();

  bool hovered() const { return hover_.hovered(); }
  // Shows the hovered look without a pointer (galleries, pixel tests); the next real
  // enter or leave takes over again.
  void forceHovered(bool hovered);

  // Reads the inside-popup and Reduce Motion values afresh (done on every map and
  // whenever the desktop's settings change).
  void refreshEnvironment();

 private:
  explicit ControlStateBinding(Gtk::Widget& widget);
  void showHover();
  void trackPointer();

  Gtk::Widget& widget_;
  HoverTracker hover_;
  Glib::RefPtr<Gtk::EventControllerMotion> motion_;
  sigc::connection settingsConnection_;
};

}  // namespace vesk::ui

#pragma once
// The application's indeterminate spinner: the toolkit's spinner, turned by the
// application instead of by a style animation. It turns one step 30 times a second and
// redraws only itself, and only while it spins and is on screen (mapped), so a window
// that shows one spends little and a hidden one spends nothing.
#include <gtkmm/spinner.h>
#include <sigc++/connection.h>

namespace vesk::ui {

class VeskSpinner : public Gtk::Spinner {
 public:
  static constexpr int stepsPerSecond = 30;

  VeskSpinner();
  ~VeskSpinner() override;
  VeskSpinner(const VeskSpinner&) = delete;
  VeskSpinner& operator=(const VeskSpinner&) = delete;

  // Whether it is turning now: spinning and mapped.
  bool turning() const { return timer_.connected(); }
  // How many times it has drawn itself, so that a redraw can be noticed.
  int draws() const { return draws_; }

 protected:
  void on_map() override;
  void on_unmap() override;
  // Spinning is the checked state, so a change of state may start or stop it.
  void on_state_flags_changed(Gtk::StateFlags previous) override;
  void snapshot_vfunc(const Glib::RefPtr<Gtk::Snapshot>& snapshot) override;

 private:
  void follow();
  bool step();

  sigc::connection timer_;
  double turn_ = 0;  // of a full turn, 0...1
  int draws_ = 0;
};

}  // namespace vesk::ui

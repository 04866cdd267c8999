#include "ui/controls/vesk_spinner.h"

#include "core/style/control_stylesheet.h"

#include <glibmm/main.h>
#include <gtkmm/snapshot.h>

#include <cmath>

namespace vesk::ui {

VeskSpinner::VeskSpinner() {
  // The style sheet stops the toolkit's own animation for this class.
  add_css_class(ControlClasses::spinner);
}

VeskSpinner::~VeskSpinner() { timer_.disconnect(); }

void VeskSpinner::on_map() {
  Gtk::Spinner::on_map();
  follow();
}

void VeskSpinner::on_unmap() {
  Gtk::Spinner::on_unmap();
  follow();
}

void VeskSpinner::on_state_flags_changed(Gtk::StateFlags previous) {
  Gtk::Spinner::on_state_flags_changed(previous);
  follow();
}

void VeskSpinner::follow() {
  const bool turn = get_spinning() && get_mapped();
  if (turn == timer_.connected()) return;
  if (!turn) {
    timer_.disconnect();
    return;
  }
  step();
  timer_ = Glib::signal_timeout().connect(sigc::mem_fun(*this, &VeskSpinner::step), 1000 / stepsPerSecond);
}

// One turn a second, as the toolkit's spinner turns, from the clock rather than by counting
// steps, so a late step never slows it.
bool VeskSpinner::step() {
  constexpr double microsecondsPerTurn = 1e6;
  turn_ = std::fmod(static_cast<double>(g_get_monotonic_time()), microsecondsPerTurn) / microsecondsPerTurn;
  queue_draw();
  return true;
}

void VeskSpinner::snapshot_vfunc(const Glib::RefPtr<Gtk::Snapshot>& snapshot) {
  ++draws_;
  const float w = static_cast<float>(get_width());
  const float h = static_cast<float>(get_height());
  snapshot->save();
  const graphene_point_t centre = GRAPHENE_POINT_INIT(w / 2, h / 2);
  const graphene_point_t back = GRAPHENE_POINT_INIT(-w / 2, -h / 2);
  gtk_snapshot_translate(snapshot->gobj(), &centre);
  gtk_snapshot_rotate(snapshot->gobj(), static_cast<float>(turn_ * 360));
  gtk_snapshot_translate(snapshot->gobj(), &back);
  Gtk::Spinner::snapshot_vfunc(snapshot);
  snapshot->restore();
}

}  // namespace vesk::ui

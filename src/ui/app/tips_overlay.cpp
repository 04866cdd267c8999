#include "ui/app/tips_overlay.h"

#include "core/shell/tips_content.h"
#include "core/style/shell_stylesheet.h"
#include "ui/style/vesk_environment.h"

#include "ui/controls/global_escape.h"

#include <gtkmm/gestureclick.h>
#include <gtkmm/overlay.h>
#include <gtkmm/shortcut.h>
#include <gtkmm/shortcutaction.h>
#include <gtkmm/shortcuttrigger.h>

#include <cmath>

namespace vesk::ui {

TipsOverlay::TipsOverlay(std::function<void()> close) : close_(std::move(close)) {
  set_transition_type(Gtk::RevealerTransitionType::CROSSFADE);
  set_visible(false);

  // The hidden "Close tips" binding.
  addGlobalEscape(*this, [this] { return escape(); });
  property_child_revealed().signal_changed().connect(sigc::mem_fun(*this, &TipsOverlay::settled));
}

TipsPanel& TipsOverlay::panel() {
  build();
  return *panel_;
}

Gtk::Widget& TipsOverlay::backdrop() {
  build();
  return *backdrop_;
}

void TipsOverlay::build() {
  if (panel_) return;
  backdrop_ = Gtk::make_managed<Gtk::Box>();
  backdrop_->add_css_class(ShellClasses::tipsBackdrop);
  auto click = Gtk::GestureClick::create();
  // The backdrop keeps the click: nothing beneath it sees the press or the release.
  click->signal_pressed().connect(
      [gesture = click.get()](int, double, double) { gesture->set_state(Gtk::EventSequenceState::CLAIMED); });
  click->signal_released().connect([this](int, double, double) { close_(); });
  backdrop_->add_controller(click);

  panel_ = Gtk::make_managed<TipsPanel>([this] { close_(); });
  panel_->set_halign(Gtk::Align::END);
  panel_->set_valign(Gtk::Align::START);
  panel_->set_margin_top(static_cast<int>(TipsContent::panelTop));
  panel_->set_margin_end(static_cast<int>(TipsContent::panelTrailing));

  auto* layers = Gtk::make_managed<Gtk::Overlay>();
  layers->set_child(*backdrop_);
  layers->add_overlay(*panel_);
  set_child(*layers);
}

void TipsOverlay::setShown(bool shown) {
  if (shown == shown_) return;
  shown_ = shown;
  const bool reduceMotion = veskAccessibility(*this).reduceMotion;
  set_transition_duration(reduceMotion ? 0 : static_cast<guint>(std::lround(ShellStylesheet::tipsFadeSeconds * 1000)));
  set_can_target(shown);  // fading out, it already lets clicks through
  if (shown) {
    build();
    set_visible(true);
  }
  set_reveal_child(shown);
  if (shown) panel_->focusClose();
}

// Once faded out, the overlay leaves the window's layout and its focus chain.
void TipsOverlay::settled() {
  if (!shown_ && !get_child_revealed()) set_visible(false);
}

void TipsOverlay::setCovered(bool covered) {
  covered_ = covered;
  set_can_focus(!covered);
  if (covered) {
    gtk_accessible_update_state(GTK_ACCESSIBLE(gobj()), GTK_ACCESSIBLE_STATE_HIDDEN, TRUE, -1);
  } else {
    gtk_accessible_reset_state(GTK_ACCESSIBLE(gobj()), GTK_ACCESSIBLE_STATE_HIDDEN);
  }
}

bool TipsOverlay::escape() {
  if (!shown_ || covered_) return false;
  close_();
  return true;
}

}  // namespace vesk::ui

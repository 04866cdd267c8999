#include "ui/app/screen_slot.h"

#include "ui/app/screen_pages.h"

#include <gdkmm/frameclock.h>
#include <glibmm/main.h>

#include <utility>

namespace vesk::ui {

ScreenSlot::ScreenSlot(ScreenContext context) : context_(std::move(context)) {
  set_hexpand(true);
  set_vexpand(true);
  set_overflow(Gtk::Overflow::HIDDEN);
}

ScreenSlot::~ScreenSlot() {
  unset_child();
  disposeRetired();
}

void ScreenSlot::show(Screen screen) {
  if (screen_ == screen) return;
  screen_ = screen;
  auto page = makeScreenPage(screen, context_);
  set_child(*page);
  entry_.arm(*page);
  // A view still waiting from an earlier switch goes now, then the one just replaced
  // waits in its place: never more than one.
  disposeRetired();
  retire(std::exchange(page_, std::move(page)));
}

void ScreenSlot::retire(std::unique_ptr<Gtk::Widget> page) {
  retired_ = std::move(page);
  // Handlers of "paint" run after the window's own, which draws the frame.
  const auto clock = get_frame_clock();
  if (!retired_ || !clock) {
    disposeRetired();
    return;
  }
  afterPaint_ = clock->signal_paint().connect([this] {
    afterPaint_.disconnect();
    disposal_ = Glib::signal_idle().connect([this] {
      disposeRetired();
      return false;
    });
  });
}

void ScreenSlot::disposeRetired() {
  afterPaint_.disconnect();
  disposal_.disconnect();
  retired_.reset();
}

}  // namespace vesk::ui

#include "ui/app/screen_slot.h"

#include "ui/app/screen_pages.h"

namespace vesk::ui {

ScreenSlot::ScreenSlot(ScreenContext context) : context_(std::move(context)) {
  set_hexpand(true);
  set_vexpand(true);
  set_overflow(Gtk::Overflow::HIDDEN);
}

ScreenSlot::~ScreenSlot() { unset_child(); }

void ScreenSlot::show(Screen screen) {
  if (screen_ == screen) return;
  screen_ = screen;
  auto page = makeScreenPage(screen, context_);
  set_child(*page);
  page_ = std::move(page);  // the old view goes once the new one is in its place
}

}  // namespace vesk::ui

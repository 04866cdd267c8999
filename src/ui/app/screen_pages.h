#pragma once
// The one registry of the screens' views, built afresh on every visit. A page screen
// (the composer on home and on input, discovery, review, progress) gives only its
// content column, which the switch wraps in the page frame, the scroll view and the
// bottom veil (FramedPage); the report, account and library screens bring their own
// scrolling and top padding.
#include "core/workspace/screen.h"
#include "ui/app/screen_context.h"

#include <gtkmm/widget.h>

#include <memory>

namespace vesk::ui {

std::unique_ptr<Gtk::Widget> makeScreenPage(Screen screen, const ScreenContext& context);

}  // namespace vesk::ui

#pragma once
// The view of each screen, built afresh on every visit.
#include "core/workspace/screen.h"
#include "ui/app/screen_context.h"

#include <gtkmm/widget.h>

#include <memory>

namespace vesk::ui {

std::unique_ptr<Gtk::Widget> makeScreenPage(Screen screen, const ScreenContext& context);

}  // namespace vesk::ui

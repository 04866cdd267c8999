#pragma once
// The composer as a screen: its view in the page column (at most 790 wide, 40 from the
// sides, centred in wide windows, starting 20 below the header inset and never above
// 132), in a vertical scroll view with the 32 px bottom veil.
#include "ui/app/screen_context.h"

#include <gtkmm/widget.h>

#include <memory>

namespace vesk::ui {

class ComposerView;

// The page for home or input (each a page of its own: moving between them builds anew).
std::unique_ptr<Gtk::Widget> makeComposerPage(const ScreenContext& context);

// The composer view inside a page shown by the screen slot, or null.
ComposerView* composerViewIn(Gtk::Widget& page);

}  // namespace vesk::ui

#pragma once
// The composer as a screen: its content column, which the screen switch puts in the page
// frame.
#include "ui/app/screen_context.h"

#include <gtkmm/widget.h>

#include <memory>

namespace vesk::ui {

class ComposerView;

// The content for home or input (each a page of its own: moving between them builds anew).
std::unique_ptr<Gtk::Widget> makeComposerPage(const ScreenContext& context);

// The composer view inside a page shown by the screen slot, or null.
ComposerView* composerViewIn(Gtk::Widget& page);

}  // namespace vesk::ui

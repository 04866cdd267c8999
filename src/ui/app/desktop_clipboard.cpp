#include "ui/app/desktop_clipboard.h"

#include <gdkmm/display.h>

namespace vesk::ui {

DesktopClipboard::DesktopClipboard() : clipboard_(Gdk::Display::get_default()->get_clipboard()) {}

void DesktopClipboard::setText(const std::string& text) { clipboard_->set_text(text); }

}  // namespace vesk::ui

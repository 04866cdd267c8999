#include "ui/app/vesk_window.h"

#include "core/style/vesk_stylesheet.h"

namespace vesk::ui {

VeskWindow::VeskWindow() {
  set_title("Vesk");
  set_default_size(defaultWidth, defaultHeight);
  set_size_request(minimumWidth, minimumHeight);
  add_css_class(VeskStylesheet::canvasClass);
}

}  // namespace vesk::ui

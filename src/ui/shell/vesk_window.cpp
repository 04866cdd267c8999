#include "ui/shell/vesk_window.h"

namespace vesk::ui {

VeskWindow::VeskWindow() {
  set_title("Vesk");
  set_default_size(defaultWidth, defaultHeight);
  set_size_request(minimumWidth, minimumHeight);
}

}  // namespace vesk::ui

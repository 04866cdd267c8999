#include "ui/controls/lazy_tooltip.h"

#include <gtkmm/tooltip.h>

namespace vesk::ui {

LazyTooltip::LazyTooltip(Gtk::Widget& widget) {
  widget.set_has_tooltip(true);
  widget.signal_query_tooltip().connect(
      [this](int, int, bool, const Glib::RefPtr<Gtk::Tooltip>& tooltip) {
        if (text_.empty()) return false;
        tooltip->set_text(text_);
        return true;
      },
      false);
}

}  // namespace vesk::ui

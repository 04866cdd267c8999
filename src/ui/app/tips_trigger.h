#pragma once
// Makes `trigger` the control that takes keyboard focus back when the tips panel closes
// (the composer's Tips button). The binding ends with the control.
#include "core/shell/root_view_state.h"

#include <gtkmm/widget.h>

namespace vesk::ui {

void bindTipsTrigger(Gtk::Widget& trigger, RootViewState& state);

}  // namespace vesk::ui

#include "ui/app/tips_trigger.h"

#include <sigc++/adaptors/hide.h>

namespace vesk::ui {

void bindTipsTrigger(Gtk::Widget& trigger, RootViewState& state) {
  // Gtk::Widget is trackable: the connection goes when the control does.
  state.signalTipsTriggerFocusRequested().connect(sigc::hide_return(sigc::mem_fun(trigger, &Gtk::Widget::grab_focus)));
}

}  // namespace vesk::ui

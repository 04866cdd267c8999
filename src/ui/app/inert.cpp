#include "ui/app/inert.h"

namespace vesk::ui {

void setInteraction(Gtk::Widget& widget, Interaction interaction) {
  const bool live = interaction == Interaction::live;
  widget.set_can_target(live);
  widget.set_can_focus(live);  // neither the widget nor anything inside it
  if (live) {
    gtk_accessible_reset_state(GTK_ACCESSIBLE(widget.gobj()), GTK_ACCESSIBLE_STATE_HIDDEN);
  } else {
    gtk_accessible_update_state(GTK_ACCESSIBLE(widget.gobj()), GTK_ACCESSIBLE_STATE_HIDDEN, TRUE, -1);
  }
}

bool isInert(const Gtk::Widget& widget) { return !widget.get_can_target() && !widget.get_can_focus(); }

bool isWithin(const Gtk::Widget* widget, const Gtk::Widget& ancestor) {
  return widget && (widget == &ancestor || widget->is_ancestor(const_cast<Gtk::Widget&>(ancestor)));
}

}  // namespace vesk::ui

#include "ui/controls/accessible_label.h"

namespace vesk::ui {

void setAccessibleLabel(Gtk::Widget& widget, const Glib::ustring& label) {
  gtk_accessible_update_property(GTK_ACCESSIBLE(widget.gobj()), GTK_ACCESSIBLE_PROPERTY_LABEL, label.c_str(), -1);
}

}  // namespace vesk::ui

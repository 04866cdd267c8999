#include "ui/app/weak_widget.h"

namespace vesk::ui {

WeakWidget::WeakWidget(Gtk::Widget* widget) { g_weak_ref_init(&ref_, widget ? widget->gobj() : nullptr); }

WeakWidget::~WeakWidget() { g_weak_ref_clear(&ref_); }

Gtk::Widget* WeakWidget::get() const {
  auto* object = static_cast<GtkWidget*>(g_weak_ref_get(&ref_));
  if (!object) return nullptr;
  g_object_unref(object);  // the widget stays alive: its parent or window holds it
  return Glib::wrap(object);
}

}  // namespace vesk::ui

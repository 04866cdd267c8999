#include "ui/base/layout_container.h"

namespace vesk::ui {

LayoutContainer::LayoutContainer(const Glib::RefPtr<Gtk::LayoutManager>& layout) {
  set_layout_manager(layout);
  // GTK wants children gone before the widget finalizes; a managed widget's C++ side
  // only goes away after that, so let go of them when GTK destroys the widget.
  signal_destroy().connect(sigc::mem_fun(*this, &LayoutContainer::removeAll));
}

LayoutContainer::~LayoutContainer() {
  if (!released_) removeAll();
}

void LayoutContainer::append(Gtk::Widget& child) { child.set_parent(*this); }

void LayoutContainer::remove(Gtk::Widget& child) {
  if (child.get_parent() == this) child.unparent();
}

void LayoutContainer::removeAll() {
  while (auto* child = get_first_child()) child->unparent();
  released_ = true;
}

}  // namespace vesk::ui

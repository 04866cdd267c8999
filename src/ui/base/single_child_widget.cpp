#include "ui/base/single_child_widget.h"

#include <gtkmm/binlayout.h>

namespace vesk::ui {

SingleChildWidget::SingleChildWidget() {
  set_layout_manager(Gtk::BinLayout::create());
  // GTK wants children gone before the widget finalizes; a managed widget's C++ side
  // only goes away after that, so let go of the child when GTK destroys the widget.
  signal_destroy().connect(sigc::mem_fun(*this, &SingleChildWidget::unset_child));
}

SingleChildWidget::~SingleChildWidget() { unset_child(); }

void SingleChildWidget::set_child(Gtk::Widget& child) {
  if (child_ == &child) return;
  unset_child();
  child_ = &child;
  child_->set_parent(*this);
}

void SingleChildWidget::unset_child() {
  if (!child_) return;
  child_->unparent();
  child_ = nullptr;
}

}  // namespace vesk::ui

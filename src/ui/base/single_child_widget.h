#pragma once
// A widget that holds one child filling its bounds and draws something of its own
// around or behind it.
#include <gtkmm/widget.h>

namespace vesk::ui {

class SingleChildWidget : public Gtk::Widget {
 public:
  ~SingleChildWidget() override;

  // The child stays owned by the caller (or managed); this widget only parents it.
  void set_child(Gtk::Widget& child);
  void unset_child();
  Gtk::Widget* get_child() { return child_; }
  const Gtk::Widget* get_child() const { return child_; }

 protected:
  SingleChildWidget();

 private:
  Gtk::Widget* child_ = nullptr;
};

}  // namespace vesk::ui

#pragma once
// Refers to a widget without keeping it alive: get() gives nothing once it is gone.
#include <gtkmm/widget.h>

namespace vesk::ui {

class WeakWidget {
 public:
  explicit WeakWidget(Gtk::Widget* widget = nullptr);
  ~WeakWidget();
  WeakWidget(const WeakWidget&) = delete;
  WeakWidget& operator=(const WeakWidget&) = delete;

  Gtk::Widget* get() const;

 private:
  mutable GWeakRef ref_;
};

}  // namespace vesk::ui

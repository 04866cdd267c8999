#pragma once
// A plain widget whose children are placed by the layout manager it is given, for
// layouts such as ChoicePillLayout.
#include <gtkmm/layoutmanager.h>
#include <gtkmm/widget.h>

namespace vesk::ui {

class LayoutContainer : public Gtk::Widget {
 public:
  explicit LayoutContainer(const Glib::RefPtr<Gtk::LayoutManager>& layout);
  ~LayoutContainer() override;

  // Children stay owned by the caller (or managed); the container only parents them.
  void append(Gtk::Widget& child);
  void remove(Gtk::Widget& child);

 private:
  void removeAll();

  bool released_ = false;  // the children were let go when GTK destroyed the widget
};

}  // namespace vesk::ui

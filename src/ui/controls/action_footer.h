#pragma once
// A screen's row of actions under a hairline: a 1 px rule in ink at 0.1 across the
// whole width, 20 px of space, then the content.
#include <gtkmm/box.h>

namespace vesk::ui {

class ActionFooter : public Gtk::Box {
 public:
  // `content` becomes a child of the footer (make it managed or keep it alive).
  explicit ActionFooter(Gtk::Widget& content);

  Gtk::Widget& hairline() { return *hairline_; }
  Gtk::Widget& content() { return content_; }

 private:
  Gtk::Widget* hairline_;  // managed, owned by the footer
  Gtk::Widget& content_;
};

}  // namespace vesk::ui

#pragma once
// After a change of screen the keyboard starts in the new screen: the first Tab moves the
// focus to the first control of its content, not to the header or the sidebar control next
// to wherever the focus happened to be. Once the focus has been inside the screen (by that
// Tab, a click or a control taking it), Tab follows the window's order again.
#include <gtkmm/widget.h>
#include <sigc++/connection.h>

namespace vesk::ui {

class ScreenEntry {
 public:
  // Listens for Tab over the whole window of `slot`, the widget the screens are shown in.
  explicit ScreenEntry(Gtk::Widget& slot);
  ~ScreenEntry();
  ScreenEntry(const ScreenEntry&) = delete;
  ScreenEntry& operator=(const ScreenEntry&) = delete;

  // `page` is the screen now shown.
  void arm(Gtk::Widget& page);

 private:
  bool tab();
  void focusMoved();
  void watchFocus();

  Gtk::Widget& slot_;
  Gtk::Widget* page_ = nullptr;
  bool armed_ = false;
  sigc::connection rooted_;
  sigc::connection unrooted_;
  sigc::connection focusWatch_;
};

}  // namespace vesk::ui

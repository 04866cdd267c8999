#pragma once
// Real pointer and keyboard events, sent through the X server's XTest extension, so the
// controls see exactly what a user's mouse and keyboard would produce (crossing events,
// keyboard focus that shows its ring, typing). Only on an X11 display.
//
// Input waits for its target as a user would: a click until the widget shows, can be used
// and has been drawn where it is (see widget_readiness.h), typing until the field also has
// the keyboard focus. Each call returns once GTK has dispatched what it sent. A target that
// never gets ready ends the test with a failure at the caller's line naming what it lacked.
#include <gtkmm/widget.h>

#include <source_location>
#include <string>
#include <vector>

namespace vesk::testing {

class SyntheticInput {
 public:
  using Where = std::source_location;

  // Whether the default display is X11 with XTest; tests skip otherwise.
  static bool available();

  // Moves the pointer to (x, y) in `widget`'s coordinates once it shows.
  static void moveTo(Gtk::Widget& widget, double x, double y, const Where& where = Where::current());
  // Moves the pointer into a corner of the screen, away from every test window.
  static void moveAway(const Where& where = Where::current());
  // Clicks (x, y) in `widget`'s coordinates, or its centre, once it can be used.
  static void click(Gtk::Widget& widget, double x, double y, const Where& where = Where::current());
  static void clickCentre(Gtk::Widget& widget, const Where& where = Where::current());
  // Clicks (x, y) in `widget`'s coordinates with the middle button, once it can be used.
  static void middleClick(Gtk::Widget& widget, double x, double y, const Where& where = Where::current());
  // Clicks a widget the test expects to show disabled (at a point, or its centre), once it
  // does.
  static void clickDisabled(Gtk::Widget& widget, double x, double y, const Where& where = Where::current());
  static void clickDisabled(Gtk::Widget& widget, const Where& where = Where::current());
  // Clicks the item of the open menu `menu` (a popover) that reads `label`, once it shows
  // and can be used.
  static void clickMenuItem(Gtk::Widget& menu, const std::string& label, const Where& where = Where::current());
  // Turns the mouse wheel by `steps` notches with the pointer at (x, y) in `widget`:
  // positive steps scroll the content up (towards its end), negative ones back.
  static void scroll(Gtk::Widget& widget, double x, double y, int steps, const Where& where = Where::current());
  // Presses and releases a key by its X keysym name ("Tab", "a", "space"), for whatever
  // has the keyboard.
  static void pressKey(const std::string& keysymName, const Where& where = Where::current());
  // Holds the keys down in order and lets them go in reverse: {"Control_L", "n"}.
  static void pressChord(const std::vector<std::string>& keysymNames, const Where& where = Where::current());
  // Types lower-case ASCII letters, digits, spaces, periods, hyphens and slashes into
  // `field` once it can be used and has the keyboard focus (it or a widget inside it).
  static void typeInto(Gtk::Widget& field, const std::string& text, const Where& where = Where::current());
};

// The item of the open menu `menu` that reads `label`, or nullptr.
Gtk::Widget* menuItem(Gtk::Widget& menu, const std::string& label);

}  // namespace vesk::testing

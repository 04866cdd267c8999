#pragma once
// Real pointer and keyboard events, sent through the X server's XTest extension, so the
// controls see exactly what a user's mouse and keyboard would produce (crossing events,
// keyboard focus that shows its ring, typing). Only on an X11 display.
#include <gtkmm/widget.h>

#include <string>
#include <vector>

namespace vesk::testing {

class SyntheticInput {
 public:
  // Whether the default display is X11 with XTest; tests skip otherwise.
  static bool available();

  // Moves the pointer to (x, y) in `widget`'s coordinates and lets the events arrive.
  static void moveTo(Gtk::Widget& widget, double x, double y);
  // Moves the pointer into a corner of the screen, away from every test window.
  static void moveAway();
  static void click(Gtk::Widget& widget, double x, double y);
  // Turns the mouse wheel by `steps` notches with the pointer at (x, y) in `widget`:
  // positive steps scroll the content up (towards its end), negative ones back.
  static void scroll(Gtk::Widget& widget, double x, double y, int steps);
  // Presses and releases a key by its X keysym name ("Tab", "a", "space").
  static void pressKey(const std::string& keysymName);
  // Holds the keys down in order and lets them go in reverse: {"Control_L", "n"}.
  static void pressChord(const std::vector<std::string>& keysymNames);
  // Types lower-case ASCII letters, digits, spaces, periods, hyphens and slashes.
  static void type(const std::string& text);
};

}  // namespace vesk::testing

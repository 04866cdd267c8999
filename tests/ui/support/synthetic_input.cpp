#include "ui/support/synthetic_input.h"

#include "support/run_loop.h"

#include <gtest/gtest.h>
#include <gtk/gtk.h>
#include <gtkmm/native.h>
// Xlib's macros (None, Status, ...) must come after everything else.
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <gdk/x11/gdkx.h>

#include <chrono>
#include <cstdlib>

namespace vesk::testing {

namespace {

Display* xDisplay() {
  GdkDisplay* display = gdk_display_get_default();
  if (!display || !GDK_IS_X11_DISPLAY(display)) return nullptr;
  return gdk_x11_display_get_xdisplay(display);
}

// Lets the X server deliver the events and GTK handle them.
void settle() {
  XFlush(xDisplay());
  runFor(std::chrono::milliseconds(80));
}

}  // namespace

bool SyntheticInput::available() {
  Display* display = xDisplay();
  int event = 0, error = 0, major = 0, minor = 0;
  return display && XTestQueryExtension(display, &event, &error, &major, &minor);
}

void SyntheticInput::moveTo(Gtk::Widget& widget, double x, double y) {
  Gtk::Native* native = widget.get_native();
  ASSERT_TRUE(native) << "the widget is not shown";
  graphene_point_t point = GRAPHENE_POINT_INIT(static_cast<float>(x), static_cast<float>(y));
  graphene_point_t inNative;
  ASSERT_TRUE(gtk_widget_compute_point(widget.gobj(), GTK_WIDGET(native->gobj()), &point, &inNative));
  double surfaceX = 0, surfaceY = 0;
  gtk_native_get_surface_transform(native->gobj(), &surfaceX, &surfaceY);
  Display* display = xDisplay();
  const Window surface = gdk_x11_surface_get_xid(gtk_native_get_surface(native->gobj()));
  int rootX = 0, rootY = 0;
  Window child = 0;
  XTranslateCoordinates(display, surface, DefaultRootWindow(display), static_cast<int>(inNative.x + surfaceX),
                        static_cast<int>(inNative.y + surfaceY), &rootX, &rootY, &child);
  XTestFakeMotionEvent(display, -1, rootX, rootY, CurrentTime);
  settle();
}

void SyntheticInput::moveAway() {
  Display* display = xDisplay();
  XTestFakeMotionEvent(display, -1, DisplayWidth(display, DefaultScreen(display)) - 1,
                       DisplayHeight(display, DefaultScreen(display)) - 1, CurrentTime);
  settle();
}

void SyntheticInput::click(Gtk::Widget& widget, double x, double y) {
  moveTo(widget, x, y);
  XTestFakeButtonEvent(xDisplay(), 1, True, CurrentTime);
  XTestFakeButtonEvent(xDisplay(), 1, False, CurrentTime);
  settle();
}

// X reports the wheel as buttons 4 (up) and 5 (down), one press and release a notch.
void SyntheticInput::scroll(Gtk::Widget& widget, double x, double y, int steps) {
  moveTo(widget, x, y);
  const unsigned int button = steps > 0 ? 5 : 4;
  for (int i = 0; i < std::abs(steps); ++i) {
    XTestFakeButtonEvent(xDisplay(), button, True, CurrentTime);
    XTestFakeButtonEvent(xDisplay(), button, False, CurrentTime);
    settle();
  }
}

void SyntheticInput::pressKey(const std::string& keysymName) {
  Display* display = xDisplay();
  const KeyCode code = XKeysymToKeycode(display, XStringToKeysym(keysymName.c_str()));
  ASSERT_NE(code, 0) << keysymName;
  XTestFakeKeyEvent(display, code, True, CurrentTime);
  XTestFakeKeyEvent(display, code, False, CurrentTime);
  settle();
}

void SyntheticInput::pressChord(const std::vector<std::string>& keysymNames) {
  Display* display = xDisplay();
  std::vector<KeyCode> codes;
  for (const auto& name : keysymNames) {
    const KeyCode code = XKeysymToKeycode(display, XStringToKeysym(name.c_str()));
    ASSERT_NE(code, 0) << name;
    codes.push_back(code);
  }
  for (const KeyCode code : codes) XTestFakeKeyEvent(display, code, True, CurrentTime);
  for (auto code = codes.rbegin(); code != codes.rend(); ++code) XTestFakeKeyEvent(display, *code, False, CurrentTime);
  settle();
}

void SyntheticInput::type(const std::string& text) {
  for (const char c : text) {
    switch (c) {
      case ' ': pressKey("space"); break;
      case '.': pressKey("period"); break;
      case '-': pressKey("minus"); break;
      case '/': pressKey("slash"); break;
      default: pressKey(std::string(1, c));
    }
  }
}

}  // namespace vesk::testing

#include "ui/support/synthetic_input.h"

#include "core/platform/object_ptr.h"
#include "support/run_loop.h"
#include "support/wait_scale.h"
#include "ui/support/event_witness.h"
#include "ui/support/widget_readiness.h"

#include <gtk/gtk.h>
#include <gtkmm/native.h>
#include <gtkmm/root.h>
// Xlib's macros (None, Status, ...) must come after everything else.
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <gdk/x11/gdkx.h>

#include <chrono>
#include <cstdlib>
#include <functional>

namespace vesk::testing {

namespace {

constexpr auto dispatchDeadline = std::chrono::seconds(10);

Display* xDisplay() {
  GdkDisplay* display = gdk_display_get_default();
  if (!display || !GDK_IS_X11_DISPLAY(display)) return nullptr;
  return gdk_x11_display_get_xdisplay(display);
}

// Where the pointer is on the screen, and the X window of the screen it rests on.
struct Pointer {
  int x = 0, y = 0;
  Window window = 0;
};

Pointer pointer() {
  Display* display = xDisplay();
  Pointer at;
  Window root = 0;
  int windowX = 0, windowY = 0;
  unsigned int buttons = 0;
  XQueryPointer(display, DefaultRootWindow(display), &root, &at.window, &at.x, &at.y, &windowX, &windowY, &buttons);
  return at;
}

// The test's window or popover on that X window, or nullptr.
GtkWidget* nativeOn(Window window) {
  if (!window) return nullptr;
  GdkSurface* surface = gdk_x11_surface_lookup_for_display(gdk_display_get_default(), window);
  GtkNative* native = surface ? gtk_native_get_for_surface(surface) : nullptr;
  return native ? GTK_WIDGET(native) : nullptr;
}

Window windowOf(Gtk::Widget& widget) {
  Gtk::Native* native = widget.get_native();
  return native ? gdk_x11_surface_get_xid(gtk_native_get_surface(native->gobj())) : 0;
}

// Sends what `send` sends and runs the loop until `count` events of `types` have been
// dispatched to the test's windows.
void dispatch(std::initializer_list<Gdk::Event::Type> types, int count, const std::function<void()>& send,
              const std::string& what, const SyntheticInput::Where& where) {
  EventWitness witness(types);
  send();
  XFlush(xDisplay());
  if (!runUntil([&] { return witness.count() >= count; }, dispatchDeadline))
    failStep(where, what + " never reached a window of the test");
}

// Moves the pointer to (x, y) in a widget that shows and waits until its window has seen it.
void movePointer(Gtk::Widget& widget, double x, double y, const SyntheticInput::Where& where) {
  Gtk::Native* native = widget.get_native();
  graphene_point_t point = GRAPHENE_POINT_INIT(static_cast<float>(x), static_cast<float>(y));
  graphene_point_t inNative;
  if (!native || !gtk_widget_compute_point(widget.gobj(), GTK_WIDGET(native->gobj()), &point, &inNative))
    failStep(where, describe(widget) + " has no place in a window");
  double surfaceX = 0, surfaceY = 0;
  gtk_native_get_surface_transform(native->gobj(), &surfaceX, &surfaceY);
  Display* display = xDisplay();
  const Window surface = windowOf(widget);
  int rootX = 0, rootY = 0;
  Window child = 0;
  XTranslateCoordinates(display, surface, DefaultRootWindow(display), static_cast<int>(inNative.x + surfaceX),
                        static_cast<int>(inNative.y + surfaceY), &rootX, &rootY, &child);
  // GTK sends a press to the widget it found under the pointer as it last moved. The move
  // has arrived once that is the widget under the point (hovered); a pointer that rests
  // there already (where a widget has just become usable, or a menu has just gone) moves
  // off by a pixel and back, as a hand would, until GTK sees it there.
  GtkWidget* window = GTK_WIDGET(native->gobj());
  const auto arrived = [&] {
    GtkWidget* under = gtk_widget_pick(window, inNative.x, inNative.y, GTK_PICK_DEFAULT);
    return under && (gtk_widget_get_state_flags(under) & GTK_STATE_FLAG_PRELIGHT);
  };
  const auto end = std::chrono::steady_clock::now() + scaled(dispatchDeadline);
  for (bool moved = false; !moved || !arrived(); moved = true) {
    if (std::chrono::steady_clock::now() > end) failStep(where, "GTK never saw the pointer over " + describe(widget));
    const Pointer before = pointer();
    dispatch(
        {Gdk::Event::Type::MOTION_NOTIFY}, 1,
        [&] {
          if (before.x == rootX && before.y == rootY) XTestFakeMotionEvent(display, -1, rootX + 1, rootY, CurrentTime);
          XTestFakeMotionEvent(display, -1, rootX, rootY, CurrentTime);
        },
        "the pointer's move to " + describe(widget), where);
  }
  if (pointer().window != surface) failStep(where, "another window lies over " + describe(widget));
}

void pressButton(unsigned int button, const std::string& what, const SyntheticInput::Where& where) {
  // A wheel notch (buttons 4 to 7) arrives as a scroll event; a button's release ends its
  // click.
  const auto ending = button <= 3 ? Gdk::Event::Type::BUTTON_RELEASE : Gdk::Event::Type::SCROLL;
  dispatch(
      {ending}, 1,
      [&] {
        XTestFakeButtonEvent(xDisplay(), button, True, CurrentTime);
        XTestFakeButtonEvent(xDisplay(), button, False, CurrentTime);
      },
      what, where);
}

void resetClickGestures(GtkWidget* widget) {
  auto controllers = glib::ObjectPtr<GListModel>::adopt(gtk_widget_observe_controllers(widget));
  for (guint i = 0; i < g_list_model_get_n_items(controllers.get()); ++i) {
    auto controller = glib::ObjectPtr<GObject>::adopt(G_OBJECT(g_list_model_get_item(controllers.get(), i)));
    if (GTK_IS_GESTURE_CLICK(controller.get())) gtk_event_controller_reset(GTK_EVENT_CONTROLLER(controller.get()));
  }
}

void resetClickGesturesWithin(GtkWidget* widget) {
  resetClickGestures(widget);
  for (GtkWidget* child = gtk_widget_get_first_child(widget); child; child = gtk_widget_get_next_sibling(child))
    resetClickGesturesWithin(child);
}

// GTK counts a press near the last one on a widget as the second of a double click until a
// timer of its own runs out, however long ago that was on the test's clock; a test's clicks
// are single ones, so the click gestures under the target start counting afresh.
void forgetEarlierClicks(Gtk::Widget& widget) {
  resetClickGesturesWithin(widget.gobj());
  for (GtkWidget* above = gtk_widget_get_parent(widget.gobj()); above; above = gtk_widget_get_parent(above))
    resetClickGestures(above);
}

void clickAt(Gtk::Widget& widget, double x, double y, const SyntheticInput::Where& where, unsigned int button = 1) {
  movePointer(widget, x, y, where);
  if (!getenv("NORESET")) forgetEarlierClicks(widget);
  pressButton(button, (button == 2 ? "the middle click on " : "the click on ") + describe(widget), where);
}

bool holdsFocus(Gtk::Widget& field) {
  auto* root = field.get_root();
  if (!root) return false;
  GtkWidget* focus = gtk_root_get_focus(root->gobj());
  const bool inside = focus && (focus == field.gobj() || gtk_widget_is_ancestor(focus, field.gobj()));
  return inside && (!GTK_IS_WINDOW(root->gobj()) || gtk_window_is_active(GTK_WINDOW(root->gobj())));
}

}  // namespace

bool SyntheticInput::available() {
  Display* display = xDisplay();
  int event = 0, error = 0, major = 0, minor = 0;
  return display && XTestQueryExtension(display, &event, &error, &major, &minor);
}

void SyntheticInput::moveTo(Gtk::Widget& widget, double x, double y, const Where& where) {
  requireReady(widget, Readiness::shown, "the pointer", where);
  movePointer(widget, x, y, where);
}

// The window the pointer leaves takes the hover off its widgets once it has seen it go.
void SyntheticInput::moveAway(const Where& where) {
  Display* display = xDisplay();
  const auto left = glib::ObjectPtr<GtkWidget>::retain(nativeOn(pointer().window));
  XTestFakeMotionEvent(display, -1, DisplayWidth(display, DefaultScreen(display)) - 1,
                       DisplayHeight(display, DefaultScreen(display)) - 1, CurrentTime);
  XFlush(display);
  if (!left) return;
  const bool gone = runUntil(
      [&] {
        return !gtk_widget_get_mapped(left.get()) ||
               !(gtk_widget_get_state_flags(left.get()) & GTK_STATE_FLAG_PRELIGHT);
      },
      dispatchDeadline);
  if (!gone) failStep(where, "the window under the pointer never saw it leave");
}

void SyntheticInput::click(Gtk::Widget& widget, double x, double y, const Where& where) {
  requireReady(widget, Readiness::usable, "a click", where);
  clickAt(widget, x, y, where);
}

void SyntheticInput::middleClick(Gtk::Widget& widget, double x, double y, const Where& where) {
  requireReady(widget, Readiness::usable, "a middle click", where);
  clickAt(widget, x, y, where, 2);
}

void SyntheticInput::clickCentre(Gtk::Widget& widget, const Where& where) {
  requireReady(widget, Readiness::usable, "a click", where);
  clickAt(widget, widget.get_width() / 2.0, widget.get_height() / 2.0, where);
}

void SyntheticInput::clickDisabled(Gtk::Widget& widget, double x, double y, const Where& where) {
  requireReady(widget, Readiness::disabled, "a click that it ignores", where);
  clickAt(widget, x, y, where);
}

void SyntheticInput::clickDisabled(Gtk::Widget& widget, const Where& where) {
  requireReady(widget, Readiness::disabled, "a click that it ignores", where);
  clickAt(widget, widget.get_width() / 2.0, widget.get_height() / 2.0, where);
}

void SyntheticInput::clickMenuItem(Gtk::Widget& menu, const std::string& label, const Where& where) {
  Gtk::Widget* item = nullptr;
  if (!runUntil([&] { return (item = menuItem(menu, label)) != nullptr; }))
    failStep(where, "the menu never showed an item \"" + label + "\"");
  clickCentre(*item, where);
}

// X reports the wheel as buttons 4 (up) and 5 (down), one press and release a notch.
void SyntheticInput::scroll(Gtk::Widget& widget, double x, double y, int steps, const Where& where) {
  requireReady(widget, Readiness::usable, "the wheel", where);
  movePointer(widget, x, y, where);
  for (int i = 0; i < std::abs(steps); ++i) pressButton(steps > 0 ? 5 : 4, "the wheel over " + describe(widget), where);
}

void SyntheticInput::pressKey(const std::string& keysymName, const Where& where) { pressChord({keysymName}, where); }

void SyntheticInput::pressChord(const std::vector<std::string>& keysymNames, const Where& where) {
  Display* display = xDisplay();
  std::vector<KeyCode> codes;
  for (const auto& name : keysymNames) {
    const KeyCode code = XKeysymToKeycode(display, XStringToKeysym(name.c_str()));
    if (code == 0) failStep(where, "no key makes \"" + name + "\"");
    codes.push_back(code);
  }
  std::string named;
  for (const auto& name : keysymNames) named += (named.empty() ? "" : "+") + name;
  dispatch(
      {Gdk::Event::Type::KEY_PRESS}, static_cast<int>(codes.size()),
      [&] {
        for (const KeyCode code : codes) XTestFakeKeyEvent(display, code, True, CurrentTime);
        for (auto code = codes.rbegin(); code != codes.rend(); ++code)
          XTestFakeKeyEvent(display, *code, False, CurrentTime);
      },
      "the key " + named, where);
}

void SyntheticInput::typeInto(Gtk::Widget& field, const std::string& text, const Where& where) {
  requireReady(field, Readiness::usable, "typing", where);
  if (!runUntil([&] { return holdsFocus(field); }, dispatchDeadline))
    failStep(where, describe(field) + " never had the keyboard focus for typing");
  for (const char c : text) {
    switch (c) {
      case ' ': pressKey("space", where); break;
      case '.': pressKey("period", where); break;
      case '-': pressKey("minus", where); break;
      case '/': pressKey("slash", where); break;
      default: pressKey(std::string(1, c), where);
    }
  }
}

Gtk::Widget* menuItem(Gtk::Widget& menu, const std::string& label) {
  std::function<Gtk::Widget*(Gtk::Widget&)> find = [&](Gtk::Widget& widget) -> Gtk::Widget* {
    for (Gtk::Widget* child = widget.get_first_child(); child; child = child->get_next_sibling()) {
      if (std::string(G_OBJECT_TYPE_NAME(child->gobj())) == "GtkModelButton") {
        gchar* text = nullptr;
        g_object_get(child->gobj(), "text", &text, nullptr);
        const bool same = text && label == text;
        g_free(text);
        if (same) return child;
      }
      if (Gtk::Widget* inner = find(*child)) return inner;
    }
    return nullptr;
  };
  return find(menu);
}

}  // namespace vesk::testing

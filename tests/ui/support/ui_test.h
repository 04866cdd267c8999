#pragma once
// Shared pieces of the screen tests: a fixture that fails on GLib warnings, a window
// that shows a widget until it is laid out, and pixel reads from rendered widgets.
#include "core/style/resource_bundle.h"

#include <gdkmm/texture.h>
#include <gtest/gtest.h>
#include <gtkmm/widget.h>
#include <gtkmm/window.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace vesk::testing {

// Installs a log writer that keeps warnings and criticals (and still prints them).
void recordGLibWarnings();
std::vector<std::string> takeGLibWarnings();

// The resource folder the build made next to the executables.
ResourceBundle testResources();

// Registers the bundled fonts and installs the stylesheet (once), and fails the test on
// any GLib warning or critical logged while it ran (CSS parsing errors among them).
class UiTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
};

// A window showing `content` at its natural size; constructed shown and laid out.
class ShownWindow {
 public:
  explicit ShownWindow(Gtk::Widget& content, int width = -1, int height = -1);
  ~ShownWindow();
  Gtk::Window& window() { return *window_; }

 private:
  std::unique_ptr<Gtk::Window> window_;
};

struct Pixel {
  int red, green, blue, alpha;  // 0...255, not premultiplied
  double luminance() const { return 0.2126 * red + 0.7152 * green + 0.0722 * blue; }
  // The largest difference of one colour component.
  int distance(const Pixel& other) const;
};

class Pixels {
 public:
  explicit Pixels(const Glib::RefPtr<Gdk::Texture>& texture);
  Pixel at(int x, int y) const;
  int width() const { return width_; }
  int height() const { return height_; }
  bool operator==(const Pixels&) const = default;

 private:
  int width_ = 0;
  int height_ = 0;
  std::vector<std::uint8_t> bytes_;
};

// Where `widget` lies inside `ancestor`, in whole pixels.
struct Box {
  int x, y, width, height;
};
Box boundsIn(const Gtk::Widget& widget, const Gtk::Widget& ancestor);

// Renders `widget` as the next frame draws it: right after that frame's paint, when
// nothing waits for layout.
Glib::RefPtr<Gdk::Texture> renderNextFrame(Gtk::Widget& widget);
inline Pixels render(Gtk::Widget& widget) { return Pixels(renderNextFrame(widget)); }

// Renders `widget` frame after frame until two in a row are the same: every transition has
// run its course, however slowly the frames come.
Pixels renderStill(Gtk::Widget& widget);

// Renders `widget` as above and, for people and CI, saves it as the named PNG in the
// artefact folder of the build.
Pixels renderAndKeep(Gtk::Widget& widget, const std::string& artefactName);

// The text on the desktop clipboard, as another program would paste it; nothing when
// there is none or it could not be read within a few seconds.
std::optional<std::string> clipboardText();

}  // namespace vesk::testing

#include "core/style/vesk_stylesheet.h"
#include "core/style/vesk_web_tokens.h"
#include "ui/base/widget_snapshot.h"
#include "ui/style/vesk_style_provider.h"
#include "ui/support/ui_test.h"

#include <gtkmm/box.h>
#include <gtkmm/stylecontext.h>

using vesk::testing::Pixels;
using vesk::testing::ShownWindow;
using vesk::ui::VeskStyleProvider;

class StyleSheet : public vesk::testing::UiTest {};

TEST_F(StyleSheet, GeneratedSheetParsesWithoutAnyError) {
  const auto loaded = VeskStyleProvider::load();
  for (const auto& error : loaded.errors) ADD_FAILURE() << error;

  // The error hook does catch a bad sheet.
  auto broken = Gtk::CssProvider::create();
  int errors = 0;
  broken->signal_parsing_error().connect([&](const auto&, const Glib::Error&) { ++errors; });
  broken->load_from_data("@define-color ivory nonsense;\n.x { color: @nowhere; }");
  EXPECT_GT(errors, 0);
}

TEST_F(StyleSheet, CanvasIsPaintedInIvoryWithInkText) {
  Gtk::Box canvas;
  canvas.add_css_class(vesk::VeskStylesheet::canvasClass);
  canvas.set_size_request(40, 40);
  ShownWindow shown(canvas);
  const Pixels pixels(vesk::testing::renderNextFrame(canvas));
  const auto pixel = pixels.at(20, 20);
  EXPECT_EQ(pixel.red, 0xF8);
  EXPECT_EQ(pixel.green, 0xF6);
  EXPECT_EQ(pixel.blue, 0xF1);
  EXPECT_EQ(pixel.alpha, 255);
  const auto ink = canvas.get_style_context()->get_color();
  EXPECT_NEAR(ink.get_red(), vesk::VeskWebTokens::ink.red, 1e-6);
  EXPECT_NEAR(ink.get_blue(), vesk::VeskWebTokens::ink.blue, 1e-6);
}

// Glyphs as drawn on screen, and the symbol table's icons in the installed icon theme.
#include "core/style/atelier.h"
#include "core/style/symbol_icons.h"
#include "support/run_loop.h"
#include "ui/controls/primary_button.h"
#include "ui/controls/symbol_image.h"
#include "ui/controls/vesk_glyph.h"
#include "ui/gallery/style_gallery.h"
#include "ui/support/ui_test.h"

#include <gtkmm/box.h>
#include <gtkmm/icontheme.h>
#include <gtkmm/image.h>

using vesk::VeskGlyphKind;
using vesk::testing::boundsIn;
using vesk::testing::Pixel;
using vesk::testing::Pixels;
using vesk::testing::ShownWindow;

namespace {

class GlyphAndSymbol : public vesk::testing::UiTest {};

// Pixels of a box with any ink at all.
int inkedPixels(const Pixels& pixels, const vesk::testing::Box& box) {
  int count = 0;
  for (int y = box.y; y < box.y + box.height; ++y)
    for (int x = box.x; x < box.x + box.width; ++x) count += pixels.at(x, y).alpha > 0;
  return count;
}

}  // namespace

TEST_F(GlyphAndSymbol, GlyphsStrokeTheirOutlineAtAnySizeInTheirColour) {
  vesk::ui::StyleGallery gallery;
  ShownWindow shown(gallery);
  auto& small = gallery.glyphSample(VeskGlyphKind::close, 0, 0);
  auto& large = gallery.glyphSample(VeskGlyphKind::close, 1, 0);
  auto& red = gallery.glyphSample(VeskGlyphKind::close, 1, 1);
  EXPECT_EQ(small.get_width(), 21);
  EXPECT_EQ(large.get_width(), 42);
  const Pixels pixels = vesk::testing::renderAndKeep(gallery, "glyphs-ui-test.png");

  // The X crosses at the centre; its arms end at a quarter from each corner (6 / 24).
  const auto box = boundsIn(large, gallery);
  const Pixel centre = pixels.at(box.x + 21, box.y + 21);
  EXPECT_LE(centre.distance({0x1A, 0x18, 0x14, 255}), 2);
  EXPECT_LE(pixels.at(box.x + 11, box.y + 11).distance(centre), 2);  // on the arm
  EXPECT_GT(pixels.at(box.x + 3, box.y + 3).luminance(), 240);       // beyond its end
  EXPECT_GT(pixels.at(box.x + 21, box.y + 10).luminance(), 240);     // between the arms
  const auto redBox = boundsIn(red, gallery);
  EXPECT_LE(pixels.at(redBox.x + 21, redBox.y + 21).distance({0xE8, 0x50, 0x3A, 255}), 2);

  // Lines are a 14.6th of the size: across the arm at the middle row, about 2.9 px of ink.
  int across = 0;
  for (int x = box.x; x < box.x + box.width; ++x) across += pixels.at(x, box.y + 15).luminance() < 140;
  EXPECT_NEAR(across, 2 * (42 / 14.6) * 1.414, 2.0);  // two arms, cut at 45 degrees

  // Every kind draws something inside its square, and the larger draws more.
  for (const auto kind : vesk::allGlyphKinds) {
    const int smallInk = inkedPixels(pixels, boundsIn(gallery.glyphSample(kind, 0, 0), gallery));
    const int largeInk = inkedPixels(pixels, boundsIn(gallery.glyphSample(kind, 1, 0), gallery));
    EXPECT_GT(smallInk, 20) << static_cast<int>(kind);
    EXPECT_GT(largeInk, 2 * smallInk) << static_cast<int>(kind);
  }
}

TEST_F(GlyphAndSymbol, EverySymbolHasItsIconInTheThemeOrAGlyph) {
  const auto theme = Gtk::IconTheme::get_for_display(Gdk::Display::get_default());
  for (const auto& symbol : vesk::SymbolIcons::all()) {
    if (symbol.glyph) continue;
    EXPECT_TRUE(theme->has_icon(std::string(symbol.iconName))) << symbol.symbol << " -> " << symbol.iconName;
  }
  EXPECT_NE(dynamic_cast<vesk::ui::VeskGlyph*>(vesk::ui::makeSymbolImage("sparkle", 16)), nullptr);
  EXPECT_NE(dynamic_cast<Gtk::Image*>(vesk::ui::makeSymbolImage("paperclip", 16)), nullptr);
  EXPECT_EQ(vesk::ui::makeSymbolImage("no.such.symbol", 16), nullptr);

  // A primary button: symbol, then title, in the pill of its role, disabled on request.
  bool ran = false;
  vesk::ui::PrimaryButton run("Audit & start", "arrow.right", true, vesk::VeskButtonRole::primary, [&] { ran = true; });
  EXPECT_FALSE(run.get_sensitive());
  EXPECT_TRUE(run.has_css_class("vesk-pill"));
  EXPECT_TRUE(run.has_css_class("primary"));
  EXPECT_FALSE(run.has_css_class("compact"));
  auto* content = run.get_child();
  ASSERT_NE(content, nullptr);
  EXPECT_NE(dynamic_cast<Gtk::Image*>(content->get_first_child()), nullptr);
  auto* title = dynamic_cast<Gtk::Label*>(content->get_last_child());
  ASSERT_NE(title, nullptr);
  EXPECT_EQ(title->get_text(), "Audit & start");
  run.set_sensitive(true);
  ShownWindow shown(run);
  run.activate();  // shows the press briefly, then clicks
  EXPECT_TRUE(vesk::testing::runUntil([&] { return ran; }));
}

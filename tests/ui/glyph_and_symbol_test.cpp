// Glyphs as drawn on screen, and the symbol table's icons in the installed icon theme.
#include "core/style/atelier.h"
#include "core/style/symbol_icons.h"
#include "support/run_loop.h"
#include "ui/controls/primary_button.h"
#include "ui/controls/symbol_image.h"
#include "ui/controls/vesk_glyph.h"
#include "ui/gallery/style_gallery.h"
#include "ui/style/bundled_icons.h"
#include "ui/support/ui_test.h"

#include <gtkmm/box.h>
#include <gtkmm/cssprovider.h>
#include <gtkmm/icontheme.h>
#include <gtkmm/image.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <filesystem>
#include <utility>
#include <vector>

using vesk::VeskGlyphKind;
using vesk::testing::boundsIn;
using vesk::testing::Pixel;
using vesk::testing::Pixels;
using vesk::testing::ShownWindow;

namespace {

class GlyphAndSymbol : public vesk::testing::UiTest {};

// The symbols the application draws its own icons for.
constexpr std::array ownIconSymbols{"arrow.right", "link", "checkmark.circle.fill", "circle", "slider.vertical.3"};

// Pixels of a box with any ink at all.
int inkedPixels(const Pixels& pixels, const vesk::testing::Box& box) {
  int count = 0;
  for (int y = box.y; y < box.y + box.height; ++y)
    for (int x = box.x; x < box.x + box.width; ++x) count += pixels.at(x, y).alpha > 0;
  return count;
}

// Whether some nearly opaque pixel of the box has the colour `colour`.
bool showsColour(const Pixels& pixels, const vesk::testing::Box& box, const Pixel& colour) {
  for (int y = box.y; y < box.y + box.height; ++y)
    for (int x = box.x; x < box.x + box.width; ++x) {
      const Pixel p = pixels.at(x, y);
      if (p.alpha > 240 && p.distance(colour) <= 2) return true;
    }
  return false;
}

Pixel pixelOf(const vesk::Rgba& colour) {
  return {static_cast<int>(std::lround(colour.red * 255)), static_cast<int>(std::lround(colour.green * 255)),
          static_cast<int>(std::lround(colour.blue * 255)), 255};
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

TEST_F(GlyphAndSymbol, OurOwnIconsStandInWhereTheThemeHasNoneAndTakeTheForegroundColour) {
  // Each of these symbols resolves to a symbolic icon of the resource folder.
  const auto theme = Gtk::IconTheme::get_for_display(Gdk::Display::get_default());
  const auto folder = vesk::testing::testResources().folder("Icons");
  ASSERT_TRUE(folder);
  for (const auto* symbol : ownIconSymbols) {
    const auto icon = vesk::SymbolIcons::find(symbol);
    ASSERT_TRUE(icon) << symbol;
    const auto found = theme->lookup_icon(std::string(icon->iconName), 32);
    ASSERT_TRUE(found) << symbol;
    const auto file = found->get_file();
    ASSERT_TRUE(file) << symbol;
    EXPECT_EQ(std::filesystem::path(file->get_path()).parent_path(), *folder / "hicolor/scalable/actions") << symbol;
    EXPECT_TRUE(found->is_symbolic()) << symbol;
  }

  // The folder is on the search path once, however often start-up adds it; without a
  // bundle or its icon folder nothing is added.
  const auto display = Gdk::Display::get_default();
  EXPECT_EQ(vesk::ui::BundledIcons::addToIconTheme(display, vesk::testing::testResources()), folder);
  const auto searched = theme->get_search_path();
  EXPECT_EQ(std::count(searched.begin(), searched.end(), folder->string()), 1);
  EXPECT_FALSE(vesk::ui::BundledIcons::addToIconTheme(display, std::nullopt));
  EXPECT_FALSE(vesk::ui::BundledIcons::addToIconTheme(display, vesk::ResourceBundle(folder->parent_path() / "none")));
  EXPECT_EQ(theme->get_search_path(), searched);

  // Drawn at 32 px (twice the drawing's 16 units), in ink and in red.
  auto css = Gtk::CssProvider::create();
  css->load_from_data(".symbol-ink { color: " + vesk::Atelier::ink.cssText() +
                      "; } .symbol-red { color: " + vesk::Atelier::red.cssText() + "; }");
  Gtk::StyleContext::add_provider_for_display(Gdk::Display::get_default(), css, GTK_STYLE_PROVIDER_PRIORITY_USER);
  Gtk::Box page(Gtk::Orientation::VERTICAL, 8);
  std::array<std::vector<Gtk::Widget*>, 2> rows;
  for (int row = 0; row < 2; ++row) {
    auto* line = Gtk::make_managed<Gtk::Box>(Gtk::Orientation::HORIZONTAL, 8);
    line->add_css_class(row == 0 ? "symbol-ink" : "symbol-red");
    for (const auto* symbol : ownIconSymbols) {
      auto* image = vesk::ui::makeSymbolImage(symbol, 32);
      ASSERT_NE(image, nullptr);
      line->append(*image);
      rows[row].push_back(image);
    }
    page.append(*line);
  }
  ShownWindow shown(page);
  const Pixels pixels = vesk::testing::renderAndKeep(page, "own-symbol-icons-ui-test.png");
  Gtk::StyleContext::remove_provider_for_display(Gdk::Display::get_default(), css);

  for (std::size_t i = 0; i < ownIconSymbols.size(); ++i) {
    const auto ink = boundsIn(*rows[0][i], page);
    const auto red = boundsIn(*rows[1][i], page);
    EXPECT_EQ(ink.width, 32);
    EXPECT_TRUE(showsColour(pixels, ink, pixelOf(vesk::Atelier::ink))) << ownIconSymbols[i];
    EXPECT_TRUE(showsColour(pixels, red, pixelOf(vesk::Atelier::red))) << ownIconSymbols[i];
  }

  // What each drawing shows, probed at points that tell it from the theme's stand-ins.
  const auto inked = [&](std::size_t symbol, int x, int y) {
    const auto box = boundsIn(*rows[0][symbol], page);
    return pixels.at(box.x + x, box.y + y).alpha > 200;
  };
  const auto blank = [&](std::size_t symbol, int x, int y) {
    const auto box = boundsIn(*rows[0][symbol], page);
    return pixels.at(box.x + x, box.y + y).alpha < 30;
  };
  // An arrow: a shaft along the middle from the left, a head at the right; not a chevron.
  EXPECT_TRUE(inked(0, 8, 16) && inked(0, 20, 16) && inked(0, 26, 16));
  EXPECT_TRUE(blank(0, 4, 4) && blank(0, 10, 10));
  // A chain link: two rings on the rising diagonal, open in the middle.
  EXPECT_TRUE(inked(1, 4, 27) && inked(1, 27, 4));
  EXPECT_TRUE(blank(1, 16, 16) && blank(1, 3, 3) && blank(1, 28, 28));
  // A filled disc with the check cut out of it.
  EXPECT_TRUE(inked(2, 16, 5) && inked(2, 8, 22) && inked(2, 24, 24));
  EXPECT_TRUE(blank(2, 14, 21) && blank(2, 0, 0));
  // A ring: ink round the edge, nothing inside.
  EXPECT_TRUE(inked(3, 16, 3) && inked(3, 3, 16) && inked(3, 28, 16));
  EXPECT_TRUE(blank(3, 16, 16) && blank(3, 10, 10));
  // Three upright tracks with knobs at their own heights: the middle knob is high.
  EXPECT_TRUE(inked(4, 6, 28) && inked(4, 16, 28) && inked(4, 26, 28) && inked(4, 19, 10));
  EXPECT_TRUE(blank(4, 11, 16) && blank(4, 19, 22));
}

TEST_F(GlyphAndSymbol, TheGalleryShowsOurOwnIconsInInk) {
  vesk::ui::StyleGallery gallery;
  ShownWindow shown(gallery);
  const Pixels pixels = vesk::testing::renderAndKeep(gallery, "symbols-ui-test.png");
  for (const auto* symbol : ownIconSymbols) {
    auto* image = dynamic_cast<Gtk::Image*>(&gallery.symbolSample(symbol));
    ASSERT_NE(image, nullptr) << symbol;
    EXPECT_EQ(image->get_icon_name().raw(), vesk::SymbolIcons::find(symbol)->iconName) << symbol;
    const auto box = boundsIn(*image, gallery);
    EXPECT_EQ(box.width, 20) << symbol;
    int dark = 0;  // against the ivory canvas
    for (int y = box.y; y < box.y + box.height; ++y)
      for (int x = box.x; x < box.x + box.width; ++x) dark += pixels.at(x, y).luminance() < 120;
    EXPECT_GT(dark, 30) << symbol;
    EXPECT_TRUE(showsColour(pixels, box, pixelOf(vesk::Atelier::ink))) << symbol;
  }
}

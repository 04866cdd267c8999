// Pixel checks on the style gallery: the glass over a striped backdrop, the rim with
// Increase Contrast, the outer shadow, and a capsule.
#include "core/style/vesk_web_tokens.h"
#include "ui/base/widget_snapshot.h"
#include "ui/gallery/gallery_samples.h"
#include "ui/gallery/style_gallery.h"
#include "ui/style/vesk_environment.h"
#include "ui/style/vesk_glass_surface.h"
#include "ui/support/ui_test.h"

#include <gtkmm/box.h>
#include <gtkmm/cssprovider.h>

#include <algorithm>
#include <cmath>

using vesk::VeskGlassRole;
using vesk::testing::boundsIn;
using vesk::testing::Pixel;
using vesk::testing::Pixels;
using vesk::testing::ShownWindow;
using vesk::ui::StyleGallery;
using Variant = vesk::ui::StyleGallery::GlassVariant;

namespace {

class GlassPixels : public vesk::testing::UiTest {};

// The largest colour change between two points one stripe apart along a row inside
// the box: large where the stripes show through, near zero where the fill is opaque.
int stripeShowThrough(const Pixels& pixels, const vesk::testing::Box& box, int y) {
  constexpr int stripe = vesk::ui::StripedBackdrop::stripeWidth;
  int largest = 0;
  for (int x = box.x + 12; x + stripe < box.x + box.width - 12; ++x)
    largest = std::max(largest, pixels.at(x, y).distance(pixels.at(x + stripe, y)));
  return largest;
}

double expectedOver(double under, double over, double alpha) { return under * (1 - alpha) + over * alpha; }

}  // namespace

TEST_F(GlassPixels, GallerySurfaces) {
  StyleGallery gallery;
  ShownWindow shown(gallery);
  const Pixels pixels = vesk::testing::renderAndKeep(gallery, "style-gallery-ui-test.png");

  // Reduce Transparency: the panel is opaque over the stripes; normally they show through.
  const auto opaquePanel = boundsIn(gallery.glassSample(VeskGlassRole::panel, Variant::reduceTransparency), gallery);
  const auto clearPanel = boundsIn(gallery.glassSample(VeskGlassRole::panel, Variant::standard), gallery);
  for (const double row : {0.25, 0.8}) {
    EXPECT_LE(stripeShowThrough(pixels, opaquePanel, opaquePanel.y + static_cast<int>(row * opaquePanel.height)), 2);
    EXPECT_GE(stripeShowThrough(pixels, clearPanel, clearPanel.y + static_cast<int>(row * clearPanel.height)), 60);
  }

  // Increase Contrast: the toolbar's rim is ink at 0.18, 1.5 px wide, instead of
  // controlEdge (ink at 0.14), 1 px wide. Compared at the bottom of the capsule, where
  // both rows lie over the same stripes.
  const auto standard = boundsIn(gallery.glassSample(VeskGlassRole::toolbar, Variant::standard), gallery);
  const auto contrast = boundsIn(gallery.glassSample(VeskGlassRole::toolbar, Variant::increaseContrast), gallery);
  ASSERT_EQ(standard.width, contrast.width);
  ASSERT_EQ(standard.height, contrast.height);
  const double ink = vesk::VeskWebTokens::ink.red * 255;
  for (int dx = -30; dx <= 30; dx += 5) {
    const int sx = standard.x + standard.width / 2 + dx;
    const int cx = contrast.x + contrast.width / 2 + dx;
    const Pixel outerStandard = pixels.at(sx, standard.y + standard.height - 1);
    const Pixel outerContrast = pixels.at(cx, contrast.y + contrast.height - 1);
    const double under = (outerStandard.red - 0.14 * ink) / 0.86;
    EXPECT_NEAR(outerContrast.red, expectedOver(under, ink, 0.18), 2.5) << dx;
    // The second row from the edge: no rim normally, half of the 1.5 px rim with contrast.
    const Pixel innerStandard = pixels.at(sx, standard.y + standard.height - 2);
    const Pixel innerContrast = pixels.at(cx, contrast.y + contrast.height - 2);
    EXPECT_NEAR(innerContrast.red, expectedOver(innerStandard.red, ink, 0.09), 2.5) << dx;
  }

  // The outer shadow darkens below its shape and never inside it.
  const auto shadow = boundsIn(gallery.shadowSample(), gallery);
  const Pixel canvas = pixels.at(shadow.x - 40, shadow.y - 40);
  EXPECT_EQ(canvas.distance({0xF8, 0xF6, 0xF1, 255}), 0);
  for (const auto& [fx, fy] : {std::pair{0.5, 0.5}, {0.5, 0.98}, {0.1, 0.9}, {0.95, 0.5}, {0.5, 0.02}}) {
    const Pixel inside =
        pixels.at(shadow.x + static_cast<int>(fx * shadow.width), shadow.y + static_cast<int>(fy * shadow.height));
    EXPECT_EQ(inside.distance(canvas), 0) << fx << ", " << fy;
  }
  const Pixel below = pixels.at(shadow.x + shadow.width / 2, shadow.y + shadow.height + 10);
  EXPECT_LT(below.luminance(), canvas.luminance() - 6);
}

TEST_F(GlassPixels, ACapsuleOfRadiusThousandDrawsClean) {
  // An opaque capsule (Reduce Transparency) on a black ground, so inside and outside
  // are told apart at every pixel.
  auto css = Gtk::CssProvider::create();
  css->load_from_data(".capsule-ground { background: black; }");
  Gtk::StyleContext::add_provider_for_display(Gdk::Display::get_default(), css, GTK_STYLE_PROVIDER_PRIORITY_USER);
  Gtk::Box ground;
  ground.add_css_class("capsule-ground");
  vesk::ui::VeskGlassSurface capsule(1000, VeskGlassRole::toolbar);
  vesk::ui::forceVeskAccessibility(capsule, {false, false, true});
  capsule.set_size_request(240, 44);
  capsule.set_margin(20);
  ground.append(capsule);
  ShownWindow shown(ground);
  const Pixels pixels = vesk::testing::renderAndKeep(ground, "capsule-ui-test.png");
  Gtk::StyleContext::remove_provider_for_display(Gdk::Display::get_default(), css);

  const auto box = boundsIn(capsule, ground);
  ASSERT_EQ(box.width, 240);
  ASSERT_EQ(box.height, 44);
  const double r = 22;
  int checked = 0;
  for (int y = 0; y < box.height; ++y) {
    const double dy = std::abs(y + 0.5 - r);
    const double reach = std::sqrt(std::max(0.0, r * r - dy * dy));  // half the chord at this row
    const double left = r - reach;
    for (int x = 0; x < box.width / 2; ++x) {
      const Pixel p = pixels.at(box.x + x, box.y + y);
      const Pixel mirrored = pixels.at(box.x + box.width - 1 - x, box.y + y);
      if (x + 1 <= left - 1.0) {
        EXPECT_LT(p.luminance(), 40) << "outside at " << x << ", " << y;
        EXPECT_LT(mirrored.luminance(), 40) << "outside at " << box.width - 1 - x << ", " << y;
        ++checked;
      } else if (x >= left + 1.5 && dy < r - 2) {
        EXPECT_GT(p.luminance(), 170) << "inside at " << x << ", " << y;
        EXPECT_GT(mirrored.luminance(), 170) << "inside at " << box.width - 1 - x << ", " << y;
        ++checked;
      }
    }
  }
  EXPECT_GT(checked, 4000);
}

// The capsule text button: its measured heights, and pixel probes on the style
// gallery's samples and on pills driven by a real pointer and keyboard.
#include "core/style/atelier.h"
#include "core/style/control_stylesheet.h"
#include "core/style/pill_recipe.h"
#include "support/run_loop.h"
#include "ui/base/widget_snapshot.h"
#include "ui/controls/control_state_binding.h"
#include "ui/controls/vesk_choice_pill_style.h"
#include "ui/controls/vesk_pill_style.h"
#include "ui/gallery/style_gallery.h"
#include "ui/style/vesk_environment.h"
#include "ui/support/next_frame.h"
#include "ui/support/synthetic_input.h"
#include "ui/support/ui_test.h"

#include <gtkmm/box.h>
#include <gtkmm/button.h>
#include <gtkmm/label.h>

#include <cmath>

using vesk::Atelier;
using vesk::PillRecipe;
using vesk::Rgba;
using vesk::testing::boundsIn;
using vesk::testing::Box;
using vesk::testing::Pixel;
using vesk::testing::Pixels;
using vesk::testing::ShownWindow;
using vesk::testing::SyntheticInput;
using vesk::ui::StyleGallery;
using Role = vesk::VeskButtonRole;
using Shown = StyleGallery::ControlState;

namespace {

class PillStyle : public vesk::testing::UiTest {};

Pixel expected(const Rgba& colour) {
  return {static_cast<int>(std::lround(colour.red * 255)), static_cast<int>(std::lround(colour.green * 255)),
          static_cast<int>(std::lround(colour.blue * 255)), 255};
}

// A point inside the capsule's left end, clear of the label and of any rim.
Pixel fillOf(const Pixels& pixels, const Box& pill) { return pixels.at(pill.x + 10, pill.y + pill.height / 2); }

// Just outside the top edge, where a focus ring 1 to 3 px outside the capsule lies.
Pixel ringOf(const Pixels& pixels, const Box& pill) { return pixels.at(pill.x + pill.width / 2, pill.y - 2); }

// The lightest opaque pixel along the top edge's middle: the light rim where there is one.
Pixel topEdge(const Pixels& pixels, const Box& pill) {
  Pixel lightest{0, 0, 0, 0};
  for (int y = pill.y - 1; y <= pill.y + 2; ++y) {
    const Pixel p = pixels.at(pill.x + pill.width / 2, y);
    if (p.alpha == 255 && p.red > lightest.red) lightest = p;
  }
  return lightest;
}

int naturalHeight(Gtk::Widget& widget, int forWidth = -1) {
  int minimum = 0, natural = 0, minimumBaseline = -1, naturalBaseline = -1;
  widget.measure(Gtk::Orientation::VERTICAL, forWidth, minimum, natural, minimumBaseline, naturalBaseline);
  return natural;
}

}  // namespace

TEST_F(PillStyle, HeightIsTheMinimumOrThePaddedLabel) {
  Gtk::Box page(Gtk::Orientation::VERTICAL, 8);
  struct Sample {
    Role role;
    vesk::PillSize size;
    Gtk::Button* button;
  };
  std::vector<Sample> samples;
  for (const auto role : vesk::allButtonRoles) {
    for (const auto size : vesk::allPillSizes) {
      for (const char* text : {"Audit", "Two\nlines"}) {
        auto* button = Gtk::make_managed<Gtk::Button>(text);
        vesk::ui::VeskPillStyle(role, size).apply(*button);
        button->set_halign(Gtk::Align::START);
        page.append(*button);
        samples.push_back({role, size, button});
      }
    }
  }
  ShownWindow shown(page);
  for (const auto& sample : samples) {
    const int text = naturalHeight(*sample.button->get_child());
    const int expectedHeight = static_cast<int>(PillRecipe::height(sample.role, sample.size, text));
    EXPECT_EQ(boundsIn(*sample.button, page).height, expectedHeight)
        << vesk::ControlClasses::role(sample.role) << (sample.size == vesk::PillSize::compact ? " compact" : "")
        << ", label " << text;
  }
  // One line of the pill's font is shorter than every minimum but the tertiary one.
  EXPECT_EQ(boundsIn(*samples[0].button, page).height, 44);
  EXPECT_EQ(boundsIn(*samples[2].button, page).height, 42);
}

TEST_F(PillStyle, GalleryFillsRingsAndOpacity) {
  StyleGallery gallery;
  ShownWindow shown(gallery);
  auto& window = gallery.pillSection(false);
  const Pixels pixels = vesk::testing::renderAndKeep(window, "pills-ui-test.png");
  const auto at = [&](Role role, Shown state, vesk::PillSize size = vesk::PillSize::regular) {
    return boundsIn(gallery.pillSample(role, size, state, false), window);
  };

  // The primary fill: ink, brightened by 0.014 while hovered, darkened by 0.035 pressed.
  EXPECT_LE(fillOf(pixels, at(Role::primary, Shown::rest)).distance(expected(Atelier::ink)), 1);
  EXPECT_LE(fillOf(pixels, at(Role::primary, Shown::hovered)).distance(expected(Atelier::ink.brightened(0.014))), 1);
  EXPECT_LE(fillOf(pixels, at(Role::primary, Shown::pressed)).distance(expected(Atelier::ink.brightened(-0.035))), 1);
  EXPECT_LE(fillOf(pixels, at(Role::accent, Shown::pressed)).distance(expected(Atelier::red.brightened(-0.035))), 1);
  // The section is rendered on its own, without the canvas behind it, so a translucent
  // fill shows as its colour and alpha. Secondary: white at 0.6, 0.82 while hovered.
  const Pixel secondary = fillOf(pixels, at(Role::secondary, Shown::rest));
  EXPECT_LE(secondary.distance(expected(Rgba::white())), 1);
  EXPECT_NEAR(secondary.alpha, 0.6 * 255, 1);
  EXPECT_NEAR(fillOf(pixels, at(Role::secondary, Shown::hovered)).alpha, 0.82 * 255, 1);

  // Disabled: the resting fill at 0.45; no ring although it has keyboard focus.
  const auto disabled = at(Role::primary, Shown::disabled);
  EXPECT_LE(fillOf(pixels, disabled).distance(expected(Atelier::ink)), 1);
  EXPECT_NEAR(fillOf(pixels, disabled).alpha, 0.45 * 255, 1);
  EXPECT_LE(ringOf(pixels, disabled).alpha, 1);

  // Keyboard focus: a gold ring 1 to 3 px outside the capsule, on every role.
  for (const auto role : vesk::allButtonRoles) {
    for (const auto size : vesk::allPillSizes) {
      EXPECT_LE(ringOf(pixels, at(role, Shown::focused, size)).distance(expected(Atelier::gold)), 1)
          << vesk::ControlClasses::role(role);
      EXPECT_GT(ringOf(pixels, at(role, Shown::rest, size)).distance(expected(Atelier::gold)), 40);
      EXPECT_EQ(ringOf(pixels, at(role, Shown::disabled, size)).alpha, 0);
    }
  }

  // The light rim: the top edge of a filled pill is lighter than its fill.
  const auto rest = at(Role::primary, Shown::rest);
  EXPECT_GT(topEdge(pixels, rest).red, fillOf(pixels, rest).red + 20);
}

TEST_F(PillStyle, InsideASheetAFilledPillHasNoRimAndNoShadow) {
  StyleGallery gallery;
  ShownWindow shown(gallery);
  for (const bool insidePopup : {false, true}) {
    auto& section = gallery.pillSection(insidePopup);
    auto& pill = gallery.pillSample(Role::primary, vesk::PillSize::regular, Shown::rest, insidePopup);
    ASSERT_EQ(vesk::ui::veskInsidePopup(pill), insidePopup);
    const auto box = boundsIn(pill, section);
    const Pixels with(vesk::testing::renderNextFrame(section));
    pill.set_opacity(0);  // the same section without the pill, shadow included
    const Pixels without(vesk::testing::renderNextFrame(section));
    pill.set_opacity(1);

    const Pixel topRow = topEdge(with, box);
    const Pixel fill = fillOf(with, box);
    // Below the pill, the shadow darkens what lies behind it in the window only. (The
    // window's section has nothing behind it: pixels are compared as if laid on white.)
    const auto onWhite = [](const Pixel& p) { return p.luminance() * p.alpha / 255 + 255.0 - p.alpha; };
    int darkest = 0;
    for (int dy = 2; dy <= 10; ++dy) {
      const int x = box.x + box.width / 2, y = box.y + box.height + dy;
      darkest = std::max(darkest, static_cast<int>(std::lround(onWhite(without.at(x, y)) - onWhite(with.at(x, y)))));
    }
    if (insidePopup) {
      EXPECT_LE(topRow.distance(fill), 1);
      EXPECT_EQ(darkest, 0);
    } else {
      EXPECT_GT(topRow.red, fill.red + 20);
      EXPECT_GE(darkest, 6);
    }
  }
}

TEST_F(PillStyle, TheRingShowsOnlyAfterKeyboardFocus) {
  if (!SyntheticInput::available()) GTEST_SKIP() << "needs an X11 display with XTest";
  Gtk::Box page;
  Gtk::Box row(Gtk::Orientation::HORIZONTAL, 30);
  row.set_margin(30);  // room for the rings inside what is rendered
  Gtk::Button first("First");
  Gtk::Button second("Second");
  vesk::ui::VeskPillStyle(Role::secondary, vesk::PillSize::regular).apply(first);
  vesk::ui::VeskPillStyle(Role::primary, vesk::PillSize::regular).apply(second);
  row.append(first);
  row.append(second);
  page.append(row);
  ShownWindow shown(page);

  // A click focuses the pill but draws no ring.
  SyntheticInput::click(first, 20, first.get_height() / 2.0);
  SyntheticInput::moveTo(page, 5, 5);  // off the pill, so no hover either
  ASSERT_TRUE(first.has_focus());
  Pixels pixels = vesk::testing::renderAndKeep(page, "pill-focus-click-ui-test.png");
  EXPECT_GT(ringOf(pixels, boundsIn(first, page)).distance(expected(Atelier::gold)), 40);

  // Tab moves keyboard focus to the next pill, which shows its ring.
  SyntheticInput::pressKey("Tab");
  ASSERT_TRUE(second.has_focus());
  vesk::testing::renderStill(page);  // past any transition
  pixels = vesk::testing::renderAndKeep(page, "pill-focus-keyboard-ui-test.png");
  EXPECT_LE(ringOf(pixels, boundsIn(second, page)).distance(expected(Atelier::gold)), 1);
  EXPECT_GT(ringOf(pixels, boundsIn(first, page)).distance(expected(Atelier::gold)), 40);

  // Disabled while focused: no ring.
  second.set_sensitive(false);
  second.set_state_flags(Gtk::StateFlags::FOCUSED | Gtk::StateFlags::FOCUS_VISIBLE, false);
  pixels = vesk::testing::renderStill(page);
  EXPECT_GT(ringOf(pixels, boundsIn(second, page)).distance(expected(Atelier::gold)), 40);
  SyntheticInput::moveAway();
}

TEST_F(PillStyle, HoverFollowsThePointerOnlyWhileEnabled) {
  if (!SyntheticInput::available()) GTEST_SKIP() << "needs an X11 display with XTest";
  SyntheticInput::moveAway();
  Gtk::Box page;
  page.set_margin(20);
  Gtk::Button pill("Audit");
  vesk::ui::VeskPillStyle(Role::secondary, vesk::PillSize::regular).apply(pill);
  page.append(pill);
  ShownWindow shown(page);
  const auto hovered = [&] { return pill.has_css_class(vesk::ControlClasses::hovered); };

  SyntheticInput::moveTo(pill, 10, pill.get_height() / 2.0);
  EXPECT_TRUE(hovered());
  pill.set_sensitive(false);
  EXPECT_FALSE(hovered());
  pill.set_sensitive(true);  // the pointer rests on it: still not hovered
  vesk::testing::settleFrame(pill);
  EXPECT_FALSE(hovered());
  SyntheticInput::moveAway();
  SyntheticInput::moveTo(pill, 10, pill.get_height() / 2.0);
  EXPECT_TRUE(hovered());
  SyntheticInput::moveAway();
  EXPECT_FALSE(hovered());
}

TEST_F(PillStyle, ReduceMotionChangesAtOnceAndNeverScales) {
  for (const bool reduceMotion : {false, true}) {
    Gtk::Box page;
    page.set_margin(20);
    Gtk::Button pill("Reduce motion");
    vesk::ui::VeskPillStyle(Role::primary, vesk::PillSize::regular).apply(pill);
    vesk::ui::forceVeskAccessibility(page, {reduceMotion, false, false});
    page.append(pill);
    ShownWindow shown(page);
    ASSERT_EQ(pill.has_css_class(vesk::ControlClasses::reduceMotion), reduceMotion);
    const auto box = boundsIn(pill, page);

    // Hovered: with motion the fill eases towards the hovered colour; without, it is
    // there in the very next frame.
    // The first frame after the change starts any transition, however late it comes.
    vesk::ui::ControlStateBinding::of(pill).forceHovered(true);
    Pixel fill = fillOf(vesk::testing::render(page), box);
    const Pixel hoveredFill = expected(Atelier::ink.brightened(0.014));
    if (reduceMotion) {
      EXPECT_LE(fill.distance(hoveredFill), 1);
    } else {
      EXPECT_GE(fill.distance(hoveredFill), 1);
      EXPECT_LE(fillOf(vesk::testing::renderStill(page), box).distance(hoveredFill), 1);
    }

    // Pressed: darker either way, smaller only with motion.
    pill.set_state_flags(Gtk::StateFlags::ACTIVE, false);
    vesk::testing::renderStill(page);
    const Pixels pressed = vesk::testing::renderAndKeep(
        page, reduceMotion ? "pill-pressed-reduce-motion-ui-test.png" : "pill-pressed-ui-test.png");
    EXPECT_LE(fillOf(pressed, box).distance(expected(Atelier::ink.brightened(-0.035))), 1);
    // The capsule's left end at mid-height: the scale moves it inwards by 1.25 % of the width.
    int left = 0;
    while (left < box.width / 2 && pressed.at(box.x + left, box.y + box.height / 2).alpha < 128) ++left;
    if (reduceMotion) {
      EXPECT_LE(left, 1);
    } else {
      EXPECT_NEAR(left, box.width * (1 - PillRecipe::pressedScale) / 2, 1.0);
    }
  }
}

TEST_F(PillStyle, ChoiceChipsFillDimAndTakeTheirInk) {
  StyleGallery gallery;
  ShownWindow shown(gallery);
  using Treatment = vesk::VeskChoicePillTreatment;
  auto& grid = *gallery.choiceSample(Treatment::answer, false, false).get_parent();
  const Pixels pixels(vesk::testing::renderNextFrame(grid));
  const auto chip = [&](Treatment treatment, bool selected, bool dimmed) {
    return fillOf(pixels, boundsIn(gallery.choiceSample(treatment, selected, dimmed), grid));
  };
  // A selected answer: ink at 0.85; dimmed, the whole chip at 0.75 on top of that.
  const Pixel selected = chip(Treatment::answer, true, false);
  EXPECT_LE(selected.distance(expected(Atelier::ink)), 2);
  EXPECT_NEAR(selected.alpha, 0.85 * 255, 1);
  EXPECT_NEAR(chip(Treatment::answer, true, true).alpha, 0.85 * 0.75 * 255, 1);
  EXPECT_NEAR(chip(Treatment::filter, true, false).alpha, 0.75 * 255, 1);
  EXPECT_NEAR(chip(Treatment::filter, false, false).alpha, 0.4 * 255, 1);
  const Pixel project = chip(Treatment::project, false, false);
  EXPECT_LE(project.distance(expected(Atelier::ivory)), 2);
  EXPECT_NEAR(project.alpha, 0.7 * 255, 1);

  // Another ink colours the selected fill.
  const Rgba blue = Rgba::fromHex(0x2040A0);
  Gtk::Box page;
  Gtk::Button inked("Inked");
  vesk::ui::VeskChoicePillStyle(vesk::ui::ChipSelection::selected, Treatment::answer, vesk::ui::ChipEmphasis::normal,
                                blue)
      .apply(inked);
  page.append(inked);
  ShownWindow second(page);
  const Pixel fill = fillOf(vesk::testing::render(page), boundsIn(inked, page));
  EXPECT_LE(fill.distance(expected(blue)), 2);
  EXPECT_NEAR(fill.alpha, 0.85 * 255, 1);
}

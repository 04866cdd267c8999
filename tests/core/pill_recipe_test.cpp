// What the pixel tests of the pills cannot see at once: how the looks of all roles and
// states relate to each other.
#include "core/style/pill_recipe.h"
#include "core/style/atelier.h"
#include "core/style/choice_pill_recipe.h"

#include <gtest/gtest.h>

using vesk::Atelier;
using vesk::ChoicePillRecipe;
using vesk::FocusRing;
using vesk::PillLook;
using vesk::PillRecipe;
using vesk::PillRim;
using vesk::PillState;
using vesk::Rgba;
using Role = vesk::VeskButtonRole;
using Treatment = vesk::VeskChoicePillTreatment;

namespace {

bool same(const PillLook& a, const PillLook& b) {
  return a.text == b.text && a.fill == b.fill && a.rim == b.rim && a.rimColour == b.rimColour && a.shadow == b.shadow &&
         a.focusRing == b.focusRing && a.brightness == b.brightness && a.scale == b.scale && a.opacity == b.opacity;
}

PillLook look(Role role, const PillState& state) { return PillRecipe::look(role, state); }

}  // namespace

TEST(PillRecipe, HeightIsTheMinimumOrThePaddedLabel) {
  for (const auto role : vesk::allButtonRoles) {
    for (const auto size : vesk::allPillSizes) {
      const auto m = PillRecipe::metrics(role, size);
      const double fits = m.minimumHeight - 2 * m.verticalPadding;  // the tallest label the minimum holds
      EXPECT_EQ(PillRecipe::height(role, size, fits), m.minimumHeight);
      EXPECT_EQ(PillRecipe::height(role, size, fits + 10), m.minimumHeight + 10);
    }
    EXPECT_LE(PillRecipe::metrics(role, vesk::PillSize::compact).minimumHeight,
              PillRecipe::metrics(role, vesk::PillSize::regular).minimumHeight);
  }
  EXPECT_EQ(PillRecipe::height(Role::tertiary, vesk::PillSize::compact, 0), 30);  // the pixel tests hold 44 and 42
}

TEST(PillRecipe, FilledRolesShareEverythingButTheFill) {
  for (const PillState& state : {PillState{},
                                 {.hovered = true},
                                 {.hovered = true, .pressed = true},
                                 {.focused = true},
                                 {.enabled = false},
                                 {.insidePopup = true}}) {
    const auto primary = look(Role::primary, state);
    EXPECT_EQ(primary.fill, Atelier::ink);
    for (const auto role : {Role::accent, Role::destructive}) {
      auto other = look(role, state);
      EXPECT_EQ(other.fill, Atelier::red);
      other.fill = primary.fill;
      EXPECT_TRUE(same(other, primary));
    }
  }
}

TEST(PillRecipe, HoverLiftsPressSinksAndDisabledIgnoresBoth) {
  for (const auto role : vesk::allButtonRoles) {
    const auto rest = look(role, {});
    const auto hovered = look(role, {.hovered = true});
    EXPECT_GT(hovered.brightness, 0);
    EXPECT_LT(look(role, {.hovered = true, .pressed = true}).brightness, 0) << "pressing replaces the hover";
    EXPECT_LT(look(role, {.pressed = true}).scale, 1);
    EXPECT_EQ(look(role, {.pressed = true, .reduceMotion = true}).scale, 1);
    EXPECT_EQ(rest.shadow.has_value(), PillRecipe::filled(role)) << "only filled pills are raised";
    if (rest.shadow) {
      EXPECT_GT(hovered.shadow->blurRadius, rest.shadow->blurRadius);
      EXPECT_GT(hovered.shadow->offsetY, rest.shadow->offsetY);
    }
    // Disabled: the resting look without shadow, faded, whatever else holds.
    auto disabled = look(role, {.enabled = false, .hovered = true, .pressed = true, .focused = true});
    EXPECT_FALSE(disabled.shadow);
    EXPECT_LT(disabled.opacity, 1);
    disabled.shadow = rest.shadow;
    disabled.opacity = 1;
    EXPECT_TRUE(same(disabled, rest));
  }
  EXPECT_EQ(look(Role::tertiary, {}).text, Atelier::secondaryInk);
  EXPECT_EQ(look(Role::tertiary, {.hovered = true}).text, Atelier::ink);
  EXPECT_GT(PillRecipe::hoverAnimation({}), PillRecipe::pressAnimation({}));
  EXPECT_GT(PillRecipe::pressAnimation({}), 0);
  EXPECT_EQ(PillRecipe::hoverAnimation({.reduceMotion = true}), 0);
  EXPECT_EQ(PillRecipe::pressAnimation({.enabled = false}), 0);
}

TEST(PillRecipe, InsideAPopupAFilledPillLosesOnlyItsRimAndShadow) {
  for (const auto role : vesk::allButtonRoles) {
    auto popup = look(role, {.hovered = true, .insidePopup = true});
    const auto window = look(role, {.hovered = true});
    EXPECT_FALSE(popup.shadow);
    EXPECT_NE(popup.rim, PillRim::gradient) << "no light rim";
    EXPECT_EQ(window.rim == PillRim::gradient, PillRecipe::filled(role));
    popup.rim = window.rim;
    popup.shadow = window.shadow;
    EXPECT_TRUE(same(popup, window));
  }
}

TEST(ChoicePillRecipe, SelectedStandsOutDimmedFadesAndTheInkColoursIt) {
  for (const auto treatment : vesk::allChoicePillTreatments) {
    const auto off = ChoicePillRecipe::look(treatment, Atelier::ink, {});
    const auto on = ChoicePillRecipe::look(treatment, Atelier::ink, {.selected = true});
    EXPECT_GT(on.fill.alpha, off.fill.alpha);
    EXPECT_GT(on.rim.alpha, off.rim.alpha);
    EXPECT_EQ(off.weight, vesk::FontWeight::regular);
    EXPECT_EQ(on.weight, vesk::FontWeight::medium);
    EXPECT_EQ(ChoicePillRecipe::look(treatment, Atelier::ink, {.dimmed = true}).text, Atelier::muted);
    const auto dimmedOn = ChoicePillRecipe::look(treatment, Atelier::ink, {.selected = true, .dimmed = true});
    EXPECT_EQ(dimmedOn.text, on.text);
    EXPECT_EQ(dimmedOn.opacity, 0.75);
  }
  const Rgba blue = Rgba::fromHex(0x2040A0);
  const auto focused =
      ChoicePillRecipe::look(Treatment::filter, blue, {.selected = true, .pressed = true, .focused = true});
  EXPECT_EQ(focused.text, blue);
  EXPECT_EQ(focused.rim, blue.faded(0.3));
  EXPECT_EQ(focused.focusRing, (FocusRing{blue.faded(0.85), 2, 3}));
  EXPECT_LT(focused.brightness, 0);
  EXPECT_EQ(ChoicePillRecipe::look(Treatment::answer, blue, {.selected = true}).text, Atelier::ivory.faded(0.96));
}

#include "core/style/pill_recipe.h"
#include "core/style/atelier.h"
#include "core/style/choice_pill_recipe.h"

#include <gtest/gtest.h>

using vesk::Atelier;
using vesk::ChoicePillRecipe;
using vesk::ChoicePillState;
using vesk::FocusRing;
using vesk::PillMetrics;
using vesk::PillRecipe;
using vesk::PillRim;
using vesk::PillState;
using vesk::Rgba;
using vesk::ShadowLayer;
using Role = vesk::VeskButtonRole;
using Treatment = vesk::VeskChoicePillTreatment;

TEST(PillRecipe, MetricsAndHeights) {
  EXPECT_EQ(PillRecipe::metrics(Role::primary, false), (PillMetrics{21, 12, 44}));
  EXPECT_EQ(PillRecipe::metrics(Role::secondary, true), (PillMetrics{12, 10, 42}));
  EXPECT_EQ(PillRecipe::metrics(Role::tertiary, false), (PillMetrics{4, 6, 30}));
  EXPECT_EQ(PillRecipe::metrics(Role::tertiary, true), (PillMetrics{4, 6, 30}));
  // The minimum wins for a short label, the padded label for a tall one.
  EXPECT_EQ(PillRecipe::height(Role::accent, false, 19), 44);
  EXPECT_EQ(PillRecipe::height(Role::accent, false, 25), 49);
  EXPECT_EQ(PillRecipe::height(Role::destructive, true, 19), 42);
  EXPECT_EQ(PillRecipe::height(Role::destructive, true, 30), 50);
  EXPECT_EQ(PillRecipe::height(Role::tertiary, true, 19), 31);
  EXPECT_EQ(PillRecipe::height(Role::tertiary, false, 10), 30);
}

TEST(PillRecipe, RestingLooksPerRole) {
  const PillState rest;
  const auto primary = PillRecipe::look(Role::primary, rest);
  EXPECT_EQ(primary.text, Atelier::ivory);
  EXPECT_EQ(primary.fill, Atelier::ink);
  EXPECT_EQ(primary.rim, PillRim::gradient);
  EXPECT_EQ(primary.shadow, (ShadowLayer{Atelier::ink.faded(0.14), 8, 0, 2}));
  for (const auto role : {Role::accent, Role::destructive}) {
    const auto look = PillRecipe::look(role, rest);
    EXPECT_EQ(look.fill, Atelier::red);
    EXPECT_EQ(look.text, Atelier::ivory);
    EXPECT_EQ(look.rim, PillRim::gradient);
  }
  const auto secondary = PillRecipe::look(Role::secondary, rest);
  EXPECT_EQ(secondary.text, Atelier::ink);
  EXPECT_EQ(secondary.fill, Rgba::white(0.6));
  EXPECT_EQ(secondary.rim, PillRim::solid);
  EXPECT_EQ(secondary.rimColour, Atelier::ink.faded(0.14));
  EXPECT_FALSE(secondary.shadow);
  const auto tertiary = PillRecipe::look(Role::tertiary, rest);
  EXPECT_EQ(tertiary.text, Atelier::secondaryInk);
  EXPECT_EQ(tertiary.fill.alpha, 0);
  EXPECT_EQ(tertiary.rim, PillRim::none);
  EXPECT_EQ(PillRecipe::gradientRim[0].colour, Rgba::white(0.2));
  EXPECT_EQ(PillRecipe::gradientRim[1].colour.alpha, 0);
}

TEST(PillRecipe, HoverPressFocusAndMotion) {
  const auto hovered = PillRecipe::look(Role::primary, {.hovered = true});
  EXPECT_EQ(hovered.brightness, 0.014);
  EXPECT_EQ(hovered.shadow, (ShadowLayer{Atelier::ink.faded(0.18), 10, 0, 4}));
  EXPECT_EQ(hovered.scale, 1);
  const auto secondary = PillRecipe::look(Role::secondary, {.hovered = true});
  EXPECT_EQ(secondary.fill, Rgba::white(0.82));
  EXPECT_EQ(secondary.rimColour, Atelier::ink.faded(0.22));
  EXPECT_EQ(PillRecipe::look(Role::tertiary, {.hovered = true}).text, Atelier::ink);

  // Pressing replaces the hover brightness and scales, unless motion is reduced.
  const auto pressed = PillRecipe::look(Role::primary, {.hovered = true, .pressed = true});
  EXPECT_EQ(pressed.brightness, -0.035);
  EXPECT_EQ(pressed.scale, 0.975);
  const auto still = PillRecipe::look(Role::primary, {.hovered = true, .pressed = true, .reduceMotion = true});
  EXPECT_EQ(still.brightness, -0.035);
  EXPECT_EQ(still.scale, 1);
  EXPECT_EQ(PillRecipe::hoverAnimation({}), 0.18);
  EXPECT_EQ(PillRecipe::pressAnimation({}), 0.1);
  EXPECT_EQ(PillRecipe::hoverAnimation({.reduceMotion = true}), 0);
  EXPECT_EQ(PillRecipe::pressAnimation({.enabled = false}), 0);

  EXPECT_EQ(PillRecipe::look(Role::secondary, {.focused = true}).focusRing, (FocusRing{Atelier::gold, 2, 3}));
  EXPECT_FALSE(PillRecipe::look(Role::secondary, {}).focusRing);
}

TEST(PillRecipe, DisabledAndInsidePopup) {
  // Disabled: its resting colours and rim, no shadow, no ring, no hover or press effect.
  const PillState disabled{.enabled = false, .hovered = true, .pressed = true, .focused = true};
  const auto look = PillRecipe::look(Role::primary, disabled);
  EXPECT_EQ(look.text, Atelier::ivory);
  EXPECT_EQ(look.fill, Atelier::ink);
  EXPECT_EQ(look.rim, PillRim::gradient);
  EXPECT_FALSE(look.shadow);
  EXPECT_FALSE(look.focusRing);
  EXPECT_EQ(look.brightness, 0);
  EXPECT_EQ(look.scale, 1);
  EXPECT_EQ(look.opacity, 0.45);
  EXPECT_EQ(PillRecipe::look(Role::tertiary, disabled).text, Atelier::secondaryInk);
  EXPECT_EQ(PillRecipe::look(Role::secondary, disabled).fill, Rgba::white(0.6));

  // Inside a popup: no light rim and no shadow; hover and press work as elsewhere.
  const auto popup = PillRecipe::look(Role::accent, {.hovered = true, .pressed = true, .insidePopup = true});
  EXPECT_EQ(popup.rim, PillRim::none);
  EXPECT_FALSE(popup.shadow);
  EXPECT_EQ(popup.brightness, -0.035);
  EXPECT_EQ(popup.scale, 0.975);
  EXPECT_EQ(popup.fill, Atelier::red);
}

TEST(ChoicePillRecipe, LooksPerTreatment) {
  const Rgba ink = Atelier::ink;
  struct Case {
    Treatment treatment;
    bool selected;
    Rgba fill;
    double rim;
    Rgba text;
  };
  const Case cases[] = {
      {Treatment::answer, true, ink.faded(0.85), 0.85, Atelier::ivory.faded(0.96)},
      {Treatment::answer, false, Rgba::white(0.6), 0.16, Atelier::secondaryInk},
      {Treatment::filter, true, Rgba::white(0.75), 0.3, ink},
      {Treatment::filter, false, Rgba::white(0.4), 0.12, Atelier::secondaryInk},
      {Treatment::project, true, ink.faded(0.85), 0.85, Atelier::ivory.faded(0.96)},
      {Treatment::project, false, Atelier::ivory.faded(0.7), 0.14, Atelier::secondaryInk},
  };
  for (const auto& c : cases) {
    const auto look = ChoicePillRecipe::look(c.treatment, ink, {.selected = c.selected});
    EXPECT_EQ(look.fill, c.fill) << static_cast<int>(c.treatment) << c.selected;
    EXPECT_EQ(look.rim, ink.faded(c.rim)) << static_cast<int>(c.treatment) << c.selected;
    EXPECT_EQ(look.text, c.text) << static_cast<int>(c.treatment) << c.selected;
    EXPECT_EQ(look.weight, c.selected ? vesk::FontWeight::medium : vesk::FontWeight::regular);
    EXPECT_EQ(look.opacity, 1);
  }
  // A dimmed chip: muted text unless selected, which keeps its selected look.
  const auto dimmed = ChoicePillRecipe::look(Treatment::answer, ink, {.dimmed = true});
  EXPECT_EQ(dimmed.text, Atelier::muted);
  EXPECT_EQ(dimmed.opacity, 0.75);
  const auto dimmedSelected = ChoicePillRecipe::look(Treatment::answer, ink, {.selected = true, .dimmed = true});
  EXPECT_EQ(dimmedSelected.text, Atelier::ivory.faded(0.96));
  EXPECT_EQ(dimmedSelected.fill, ink.faded(0.85));
  EXPECT_EQ(dimmedSelected.opacity, 0.75);

  // Another ink colours the rim, the ring, the selected fill and a selected filter's text.
  const Rgba blue = Rgba::fromHex(0x2040A0);
  const auto focused =
      ChoicePillRecipe::look(Treatment::filter, blue, {.selected = true, .pressed = true, .focused = true});
  EXPECT_EQ(focused.text, blue);
  EXPECT_EQ(focused.rim, blue.faded(0.3));
  EXPECT_EQ(focused.focusRing, (FocusRing{blue.faded(0.85), 2, 3}));
  EXPECT_EQ(focused.brightness, -0.035);
  EXPECT_EQ(ChoicePillRecipe::look(Treatment::project, blue, {.selected = true}).fill, blue.faded(0.85));
}

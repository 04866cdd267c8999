// The choice chip: one rule per treatment, selection, dimming and press, each matching
// that combination alone, with the brightness already added to each colour.
#include "core/style/control_stylesheet.h"
#include "core/style/css_rule.h"

namespace vesk {

namespace {

std::string flag(bool on, const std::string& when, const std::string& otherwise) { return on ? when : otherwise; }
std::string hasClass(const std::string& name) { return "." + name; }
std::string lacksClass(const std::string& name) { return ":not(." + name + ")"; }

std::string baseSelector(const Rgba& ink) {
  const std::string inkClass = ControlClasses::ink(ink);
  return std::string("button.") + ControlClasses::choicePill + (inkClass.empty() ? "" : "." + inkClass);
}

std::string baseRules(const std::string& base) {
  const PillMetrics& m = ChoicePillRecipe::metrics;
  const double rim = ChoicePillRecipe::rimWidth;
  return CssRule(base)
             .font(Typeface::body, ChoicePillRecipe::fontSize, FontWeight::regular)
             .set("border-radius", "9999px")
             .set("border", cssPx(rim) + " solid transparent")
             .set("padding", cssPx(m.verticalPadding - rim) + " " + cssPx(m.horizontalPadding - rim))
             .set("min-height", cssPx(m.minimumHeight - 2 * m.verticalPadding))
             .set("min-width", "0")
             .set("background-image", "none")
             .set("box-shadow", "none")
             .set("text-shadow", "none")
             .set("-gtk-icon-shadow", "none")
             .set("outline", "0 solid transparent")
             .set("transform", "none")
             .set("transition", "none")
             .set("filter", "none")
             .text() +
         CssRule(base + hasClass(ControlClasses::selected))
             .font(Typeface::body, ChoicePillRecipe::fontSize, FontWeight::medium)
             .text();
}

std::string lookRule(const std::string& base, VeskChoicePillTreatment treatment, const Rgba& ink,
                     const ChoicePillState& state) {
  const ChoicePillLook look = ChoicePillRecipe::look(treatment, ink, state);
  const double b = look.brightness;
  return CssRule(base + hasClass(ControlClasses::treatment(treatment)) +
                 flag(state.selected, hasClass(ControlClasses::selected), lacksClass(ControlClasses::selected)) +
                 flag(state.dimmed, hasClass(ControlClasses::dimmed), lacksClass(ControlClasses::dimmed)) +
                 flag(state.pressed, ":active", ":not(:active)"))
      .set("color", look.text.brightened(b))
      .set("background-color", look.fill.brightened(b))
      .set("border-color", look.rim.brightened(b))
      .set("opacity", std::to_string(look.opacity))
      .text();
}

std::string focusRingRule(const std::string& base, const Rgba& ink, bool pressed) {
  const ChoicePillLook look =
      ChoicePillRecipe::look(VeskChoicePillTreatment::answer, ink, {false, false, pressed, true});
  const FocusRing& ring = *look.focusRing;
  return CssRule(base + ":focus-visible" + flag(pressed, ":active", ":not(:active)"))
      .set("outline", cssPx(ring.width) + " solid " + ring.colour.brightened(look.brightness).cssText())
      .set("outline-offset", cssPx(ring.outset - ring.width))
      .text();
}

}  // namespace

std::string ControlStylesheet::choicePillRules(const Rgba& ink) {
  const std::string base = baseSelector(ink);
  std::string css = baseRules(base);
  for (const auto treatment : allChoicePillTreatments)
    for (const bool selected : {false, true})
      for (const bool dimmed : {false, true})
        for (const bool pressed : {false, true})
          css += lookRule(base, treatment, ink, {selected, dimmed, pressed, false});
  for (const bool pressed : {false, true}) css += focusRingRule(base, ink, pressed);
  return css;
}

}  // namespace vesk

// The capsule text button. Every combination of the states that change its look gets a
// rule whose selector matches that combination alone, written from the recipe's look,
// with the look's brightness already added to each colour.
#include "core/style/control_stylesheet.h"
#include "core/style/css_rule.h"
#include "core/style/pill_recipe.h"

namespace vesk {

namespace {

const std::string base = std::string("button.") + ControlClasses::pill;

std::string flag(bool on, const std::string& when, const std::string& otherwise) { return on ? when : otherwise; }

std::string hasClass(const char* name) { return std::string(".") + name; }
std::string lacksClass(const char* name) { return std::string(":not(.") + name + ")"; }

std::string shadowText(const ShadowLayer& shadow, double brightness) {
  // A CSS blur length is twice the Gaussian's standard deviation.
  return cssPx(shadow.offsetX) + " " + cssPx(shadow.offsetY) + " " + cssPx(2 * shadow.blurRadius) + " " +
         shadow.colour.brightened(brightness).cssText();
}

std::string gradientRimImage(const Rgba& fill, double brightness) {
  std::string stops;
  for (const auto& stop : PillRecipe::gradientRim) {
    if (!stops.empty()) stops += ", ";
    stops += stop.colour.brightened(brightness).cssText();
  }
  // The fill covers the padding box; the light shows only in the rim around it.
  const std::string solid = fill.brightened(brightness).cssText();
  return "linear-gradient(" + solid + ", " + solid + "), linear-gradient(to bottom, " + stops + ")";
}

std::string baseRule() {
  return CssRule(base)
      .font(Typeface::body, PillRecipe::fontSize, PillRecipe::fontWeight)
      .set("border-radius", "9999px")
      .set("border-style", "solid")
      .set("border-color", "transparent")
      .set("background-color", "transparent")
      .set("background-image", "none")
      .set("box-shadow", "none")
      .set("text-shadow", "none")
      .set("-gtk-icon-shadow", "none")
      .set("outline", "0 solid transparent")
      .set("min-width", "0")
      .set("transform", "none")
      .set("transition", "none")
      .set("opacity", "1")
      .set("filter", "none")
      .text();
}

// Padding, height and rim width; the rim lies inside the padding, as a border drawn
// over the capsule would.
std::string metricsRule(VeskButtonRole role, PillSize size) {
  const PillMetrics m = PillRecipe::metrics(role, size);
  const bool compact = size == PillSize::compact;
  const double rim = PillRecipe::rimWidth(role);
  return CssRule(base + hasClass(ControlClasses::role(role)) +
                 flag(compact, hasClass(ControlClasses::compact), lacksClass(ControlClasses::compact)))
      .set("padding", cssPx(m.verticalPadding - rim) + " " + cssPx(m.horizontalPadding - rim))
      .set("min-height", cssPx(m.minimumHeight - 2 * m.verticalPadding))
      .set("border-width", cssPx(rim))
      .text();
}

std::string lookRule(VeskButtonRole role, const PillState& state) {
  std::string selector = base + hasClass(ControlClasses::role(role));
  if (state.enabled) {
    selector += ":not(:disabled)" +
                flag(state.hovered, hasClass(ControlClasses::hovered), lacksClass(ControlClasses::hovered)) +
                flag(state.pressed, ":active", ":not(:active)");
  } else {
    selector += ":disabled";
  }
  selector += flag(state.insidePopup, hasClass(ControlClasses::insidePopup), lacksClass(ControlClasses::insidePopup));

  const PillLook look = PillRecipe::look(role, state);
  const double b = look.brightness;
  CssRule rule(selector);
  rule.set("color", look.text.brightened(b)).set("background-color", look.fill.brightened(b));
  const bool lightRim = look.rim == PillRim::gradient;
  rule.set("background-image", lightRim ? gradientRimImage(look.fill, b) : "none");
  rule.set("background-clip", lightRim ? "padding-box, border-box" : "border-box");
  rule.set("background-origin", "border-box");
  rule.set("border-color", look.rim == PillRim::solid ? look.rimColour.brightened(b).cssText() : "transparent");
  rule.set("box-shadow", look.shadow ? shadowText(*look.shadow, b) : "none");
  rule.set("opacity", std::to_string(look.opacity));
  return rule.text();
}

// The ring is the same for every role; its colour follows the brightness.
std::string focusRingRule(bool hovered, bool pressed) {
  const PillState state{true, hovered, pressed, true, false, false};
  const PillLook look = PillRecipe::look(VeskButtonRole::primary, state);
  const FocusRing& ring = *look.focusRing;
  return CssRule(base + ":focus-visible:not(:disabled)" +
                 flag(hovered, hasClass(ControlClasses::hovered), lacksClass(ControlClasses::hovered)) +
                 flag(pressed, ":active", ":not(:active)"))
      .set("outline", cssPx(ring.width) + " solid " + ring.colour.brightened(look.brightness).cssText())
      .set("outline-offset", cssPx(ring.outset - ring.width))
      .text();
}

std::string motionRules() {
  const PillState animated{};
  const std::string hover = cssMs(PillRecipe::hoverAnimation(animated)) + " ease-out";
  const std::string press = cssMs(PillRecipe::pressAnimation(animated)) + " ease-out";
  std::string transitions;
  for (const char* property :
       {"color", "background-color", "background-image", "border-color", "box-shadow", "outline-color"})
    transitions += std::string(property) + " " + hover + ", ";
  transitions += "transform " + press;
  const std::string moving = ":not(:disabled)" + lacksClass(ControlClasses::reduceMotion);
  return CssRule(base + moving).set("transition", transitions).text() +
         CssRule(base + ":active" + moving)
             .set("transition", "all " + press)
             .set("transform", "scale(" + std::to_string(PillRecipe::pressedScale) + ")")
             .text();
}

}  // namespace

std::string ControlStylesheet::pillRules() {
  std::string css = baseRule();
  for (const auto role : allButtonRoles) {
    for (const auto size : allPillSizes) css += metricsRule(role, size);
    for (const bool popup : {false, true}) {
      for (const bool hovered : {false, true})
        for (const bool pressed : {false, true}) css += lookRule(role, {true, hovered, pressed, false, popup, false});
      css += lookRule(role, {false, false, false, false, popup, false});
    }
  }
  for (const bool hovered : {false, true})
    for (const bool pressed : {false, true}) css += focusRingRule(hovered, pressed);
  return css + motionRules();
}

}  // namespace vesk

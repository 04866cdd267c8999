// The header glyph button, the checkbox, the labelled text field, the action footer and
// the spinner.
#include "core/style/control_stylesheet.h"
#include "core/style/css_rule.h"
#include "core/style/shared_control_recipe.h"
#include "core/style/symbol_icons.h"

namespace vesk {

namespace {

std::string selector(const char* element, const char* styleClass, const std::string& rest = "") {
  return std::string(element) + "." + styleClass + rest;
}

std::string insetRing(double width, const Rgba& colour) {
  return "inset 0 0 0 " + cssPx(width) + " " + colour.cssText();
}

std::string chromeButtonRules() {
  using R = ChromeButtonRecipe;
  const char* c = ControlClasses::chromeButton;
  const std::string hovered = std::string(".") + ControlClasses::hovered;
  return CssRule(selector("button", c))
             .set("min-width", cssPx(R::frameSize))
             .set("min-height", cssPx(R::frameSize))
             .set("padding", "0")
             .set("border", "none")
             .set("border-radius", "9999px")
             .set("background-color", "transparent")
             .set("background-image", "none")
             .set("box-shadow", "none")
             .set("outline", "0 solid transparent")
             .set("color", R::ink)
             .set("transition", "none")
             .set("opacity", "1")
             .set("filter", "none")
             .text() +
         CssRule(selector("button", c, hovered + ":not(:disabled)")).set("background-color", R::hoverFill).text() +
         // Drawn over the hover circle, inside the outline.
         CssRule(selector("button", c, ":focus-visible:not(:disabled)"))
             .set("box-shadow", insetRing(R::focusRingWidth, R::focusRing))
             .text() +
         CssRule(selector("button", c, ":disabled")).set("opacity", std::to_string(R::disabledOpacity)).text();
}

std::string checkboxRules() {
  using R = CheckboxRecipe;
  const char* c = ControlClasses::checkbox;
  const double inner = R::boxSize - 2 * R::borderWidth;
  const auto checkmark = SymbolIcons::find("checkmark");
  return CssRule(selector("checkbutton", c)).set("padding", "0").set("min-height", "0").text() +
         CssRule(selector("checkbutton", c, " > check"))
             .set("min-width", cssPx(inner))
             .set("min-height", cssPx(inner))
             .set("margin", "0")
             .set("padding", "0")
             .set("border", cssPx(R::borderWidth) + " solid " + R::offBorder.cssText())
             .set("border-radius", cssPx(R::cornerRadius))
             .set("background-color", R::offFill)
             // The theme clips the fill to inside the border; the translucent border
             // lies over the fill, not over whatever is behind the box.
             .set("background-clip", "border-box")
             .set("background-image", "none")
             .set("box-shadow", "none")
             .set("color", R::checkmark)
             .set("-gtk-icon-source", "none")
             .set("-gtk-icon-size", cssPx(R::checkmarkSize))
             .set("-gtk-icon-shadow", "none")
             .set("transition", "none")
             .text() +
         CssRule(selector("checkbutton", c, ":checked > check"))
             .set("background-color", R::onFill)
             .set("border-color", R::onBorder)
             .set("-gtk-icon-source", "-gtk-icontheme(\"" + std::string(checkmark->iconName) + "\")")
             .text();
}

std::string textFieldRules() {
  using R = TextFieldRecipe;
  const std::string frame = std::string(".") + ControlClasses::textFieldFrame;
  std::string editable;
  const std::string prompt = std::string(" .") + ControlClasses::textFieldPrompt;
  for (const std::string part :
       {" text", " textview", " textview > text", " scrolledwindow", " viewport", prompt.c_str()})
    editable += (editable.empty() ? "" : ", ") + frame + part;
  return CssRule(std::string(".") + ControlClasses::textFieldCaption)
             .font(Typeface::body, R::captionSize, R::captionWeight)
             .set("color", R::captionColour)
             .text() +
         CssRule(frame)
             .set("background-color", R::fill)
             .set("border-radius", cssPx(R::cornerRadius))
             .set("padding", cssPx(R::verticalPadding) + " " + cssPx(R::horizontalPadding))
             .set("box-shadow", insetRing(R::borderWidth, R::border))
             .text() +
         CssRule(frame + ":focus-within").set("box-shadow", insetRing(R::focusedBorderWidth, R::focusedBorder)).text() +
         CssRule(frame + " placeholder, " + frame + prompt).set("color", R::prompt).text() +
         CssRule(frame + ":disabled > *").set("opacity", std::to_string(R::disabledOpacity)).text() +
         // A scrollbar's own minimum would otherwise hold the field above two lines.
         CssRule(frame + " scrollbar slider").set("min-height", cssPx(16)).text() +
         CssRule(editable)
             .font(Typeface::body, R::fieldSize, FontWeight::regular)
             .set("background", "none")
             .set("border", "none")
             .set("box-shadow", "none")
             .set("outline", "none")
             .set("margin", "0")
             .set("padding", "0")
             .set("min-height", "0")
             .text();
}

std::string actionFooterRules() {
  using R = ActionFooterRecipe;
  return CssRule(std::string(".") + ControlClasses::actionFooterHairline)
      .set("min-height", cssPx(R::hairlineHeight))
      .set("background-color", R::hairline)
      .text();
}

// The application turns its spinners itself, at a rate it chooses and only while they show.
std::string spinnerRules() {
  return CssRule(selector("spinner", ControlClasses::spinner, ":checked")).set("animation", "none").text();
}

}  // namespace

std::string ControlStylesheet::sharedControlRules() {
  return chromeButtonRules() + checkboxRules() + textFieldRules() + actionFooterRules() + spinnerRules();
}

}  // namespace vesk

#include "core/style/account_stylesheet.h"

#include "core/style/css_rule.h"
#include "core/style/plain_focus_ring.h"

namespace vesk {

namespace {

std::string insetRing(double width, const Rgba& colour) {
  return "inset 0 0 0 " + cssPx(width) + " " + colour.cssText();
}

// The parts of an editable inside a frame take none of the theme's own dress.
std::string bareEditable(const std::string& frame, double size) {
  std::string selector;
  for (const char* part : {" text", " textview", " textview > text", " scrolledwindow", " viewport"})
    selector += (selector.empty() ? "" : ", ") + frame + part;
  return CssRule(selector)
      .font(Typeface::body, size, FontWeight::regular)
      .set("background", "none")
      .set("border", "none")
      .set("box-shadow", "none")
      .set("outline", "none")
      .set("margin", "0")
      .set("padding", "0")
      .set("min-height", "0")
      .set("color", Atelier::ink)
      .text();
}

std::string fieldRules() {
  using R = AccountKitRecipe;
  const std::string frame = std::string(".") + AccountClasses::fieldFrame;
  return CssRule(frame)
             .set("background-color", VeskWebTokens::inputBackground)
             .set("border-radius", cssPx(R::fieldRadius))
             .set("padding", cssPx(R::fieldVerticalPadding) + " " + cssPx(R::fieldHorizontalPadding))
             .set("box-shadow", insetRing(R::fieldBorderWidth, R::fieldBorder))
             .text() +
         CssRule(frame + ":focus-within")
             .set("box-shadow", insetRing(R::fieldFocusedBorderWidth, R::fieldFocusedBorder))
             .text() +
         CssRule(frame + " placeholder").set("color", Atelier::muted).text() +
         CssRule(frame + ":disabled > *").set("opacity", "0.6").text() + bareEditable(frame, 15);
}

std::string noteRules() {
  using R = AccountKitRecipe;
  const std::string frame = std::string(".") + AccountClasses::noteFrame;
  return CssRule(frame)
             .set("background-color", Atelier::ivory)
             .set("border-radius", cssPx(R::fieldRadius))
             .set("padding", cssPx(R::notePadding))
             .set("box-shadow", insetRing(R::fieldBorderWidth, R::fieldBorder))
             .text() +
         CssRule(frame + " .account-note-prompt").set("color", Atelier::muted).text() +
         CssRule(frame + ":disabled > *").set("opacity", "0.6").text() + bareEditable(frame, 15);
}

// The track is the switch itself, the knob its slider; the on and off icons are not drawn.
std::string switchRules() {
  using R = AccountKitRecipe;
  const std::string toggle = std::string("switch.") + AccountClasses::toggle;
  return CssRule(toggle)
             .set("min-width", "0")
             .set("min-height", "0")
             .set("margin", "0")
             .set("padding", "0")
             .set("border", "none")
             .set("border-radius", "9999px")
             .set("background-color", VeskWebTokens::ivory3)
             .set("background-image", "none")
             .set("box-shadow", insetRing(1, Atelier::muted))
             .set("outline", "0 solid transparent")
             .set("transition", "none")
             .text() +
         CssRule(toggle + ":checked")
             .set("background-color", Atelier::ink)
             .set("box-shadow", insetRing(1, Atelier::ink))
             .text() +
         CssRule(toggle + ":focus-visible")
             .set("outline", "2px solid " + Atelier::gold.cssText())
             .set("outline-offset", "2px")
             .text() +
         CssRule(toggle + ":disabled").set("opacity", std::to_string(R::disabledOpacity)).text() +
         CssRule(toggle + " > slider")
             .set("min-width", cssPx(R::knobSize))
             .set("min-height", cssPx(R::knobSize))
             .set("margin", cssPx(R::knobInset))
             .set("padding", "0")
             .set("border", "none")
             .set("border-radius", "9999px")
             .set("background-color", Atelier::ivory)
             .set("background-image", "none")
             .set("box-shadow", "0 1px 1px " + R::knobShadow.cssText())
             .set("transition", "none")
             .text() +
         CssRule(toggle + " > image").set("opacity", "0").set("-gtk-icon-size", "8px").text();
}

std::string linkRules() {
  const std::string link = std::string("button.") + AccountClasses::link;
  return CssRule(link)
             .set("padding", "0")
             .set("min-height", "0")
             .set("min-width", "0")
             .set("border", "none")
             .set("background", "none")
             .set("box-shadow", "none")
             .text() +
         PlainFocusRing::outside(link + ":focus-visible").text() +
         // A link inside a sentence keeps the sentence's colour, underlined.
         CssRule(std::string("label.") + AccountClasses::sentenceLink + " > link")
             .set("color", "inherit")
             .set("text-decoration-line", "underline")
             .text();
}

}  // namespace

std::string AccountStylesheet::text() {
  const std::string divider = CssRule(std::string(".") + AccountClasses::divider)
                                  .set("min-height", "1px")
                                  .set("background-color", Atelier::border)
                                  .text();
  return "\n/* The account screen's kit. */\n" + fieldRules() + noteRules() + switchRules() + linkRules() + divider;
}

}  // namespace vesk

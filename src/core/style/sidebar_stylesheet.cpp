#include "core/style/sidebar_stylesheet.h"

#include "core/style/atelier.h"
#include "core/style/control_stylesheet.h"
#include "core/style/css_rule.h"
#include "core/style/plain_focus_ring.h"
#include "core/style/vesk_web_tokens.h"

#include <span>

namespace vesk {

namespace {

using S = SidebarClasses;
using T = VeskWebTokens;

std::string cls(const char* name) { return std::string(".") + name; }

// A plain button: no theme frame, fill or ring of its own.
CssRule plain(const std::string& selector) {
  return std::move(CssRule(selector)
                       .set("padding", "0")
                       .set("min-width", "0")
                       .set("min-height", "0")
                       .set("border", "none")
                       .set("border-radius", "0")
                       .set("background", "none")
                       .set("box-shadow", "none")
                       .set("outline", "0 solid transparent"));
}

std::string stops(std::span<const Rgba> colours, double brightness, bool rimLocations) {
  static constexpr double locations[] = {0, 42, 72, 100};
  std::string text;
  for (std::size_t i = 0; i < colours.size(); ++i) {
    if (i) text += ", ";
    text += colours[i].brightened(brightness).cssText();
    if (rimLocations) text += " " + std::to_string(static_cast<int>(locations[i])) + "%";
  }
  return text;
}

// The fill over the padding box and the rim gradient showing in the 1-point border.
std::string newAuditImage(bool highlighted, double brightness) {
  const auto& fill = highlighted ? T::sidebarActionHoverFill : T::sidebarActionFill;
  const auto& rim = highlighted ? T::sidebarActionHoverBorder : T::sidebarActionBorder;
  return "linear-gradient(to bottom right, " + stops(fill, brightness, false) + "), linear-gradient(to bottom right, " +
         stops(rim, brightness, true) + ")";
}

std::string newAuditRules() {
  const std::string base = "button" + cls(S::newAudit);
  const std::string enabled = base + ":not(:disabled)";
  const std::string hovered = cls(ControlClasses::hovered);
  const std::string shadow = "0 2px 16px " + Rgba::fromHex(0x745521, 0.09).cssText();
  std::string css =
      plain(base)
          .font(Typeface::body, 15, FontWeight::medium)
          .set("color", Atelier::ink)
          .set("padding", "5px 19px")
          .set("min-height", cssPx(36 - 12))
          .set("border", "1px solid transparent")
          .set("border-radius", "9999px")
          .set("background-image", newAuditImage(false, 0))
          .set("background-clip", "padding-box, border-box")
          .set("background-origin", "border-box")
          .set("transition", "background-image " + cssMs(SidebarStylesheet::hoverSeconds) + " ease-out, box-shadow " +
                                 cssMs(SidebarStylesheet::hoverSeconds) + " ease-out")
          .text();
  css += CssRule(enabled + hovered).set("background-image", newAuditImage(true, 0)).set("box-shadow", shadow).text();
  css += CssRule(enabled + ":active:not(" + hovered + ")")
             .set("background-image", newAuditImage(false, SidebarStylesheet::pressedBrightness))
             .text();
  css += CssRule(enabled + ":active" + hovered)
             .set("background-image", newAuditImage(true, SidebarStylesheet::pressedBrightness))
             .text();
  css += CssRule(enabled + ":focus-visible")
             .set("outline", "2px solid " + Atelier::gold.cssText())
             .set("outline-offset", "1px")
             .text();
  css += CssRule(base + ":disabled").set("opacity", std::to_string(SidebarStylesheet::disabledOpacity)).text();
  css += CssRule(base + cls(ControlClasses::reduceMotion)).set("transition", "none").text();
  return css;
}

std::string signInRules() {
  const std::string base = "button" + cls(S::signIn);
  return plain(base)
             .font(Typeface::body, 15, FontWeight::medium)
             .set("color", Atelier::ivory)
             .set("padding", "8px 18px")
             .set("min-height", cssPx(38 - 16))
             .set("border-radius", "9999px")
             .set("background-color", Atelier::ink)
             .text() +
         CssRule(base + ":not(:disabled):active")
             .set("background-color", Atelier::ink.brightened(SidebarStylesheet::pressedBrightness))
             .set("color", Atelier::ivory.brightened(SidebarStylesheet::pressedBrightness))
             .text() +
         CssRule(base + ":not(:disabled):focus-visible")
             .set("outline", "2px solid " + Atelier::gold.cssText())
             .set("outline-offset", "1px")
             .text() +
         CssRule(base + ":disabled").set("opacity", std::to_string(SidebarStylesheet::disabledOpacity)).text();
}

std::string listRules() {
  const std::string row = "button" + cls(S::row);
  const std::string dot = cls(S::dot);
  return plain("button" + cls(S::wordmark)).text() +
         CssRule(cls(S::wordmarkText))
             .font(Typeface::display, 30, FontWeight::regular)
             .set("color", Atelier::ink)
             .text() +
         CssRule(cls(S::heading))
             .font(Typeface::body, 13, FontWeight::medium)
             .set("letter-spacing", "1.3px")
             .set("color", Atelier::muted)
             .text() +
         plain(row).set("padding", "7px 12px").set("border-radius", "12px").set("color", Atelier::secondaryInk).text() +
         CssRule(row + cls(S::active))
             .set("color", Atelier::ink)
             .set("background-color", Atelier::ink.faded(0.045))
             .text() +
         CssRule(row + ":focus-visible").set("outline", "2px solid " + Atelier::gold.cssText()).text() +
         CssRule(row + ":disabled").set("opacity", "0.5").text() +
         CssRule(dot).set("min-width", "7px").set("min-height", "7px").set("border-radius", "9999px").text() +
         CssRule(dot + cls(S::dotFaint))
             .set("min-width", "6px")
             .set("min-height", "6px")
             .set("background-color", Atelier::muted.faded(0.35))
             .text() +
         CssRule(dot + cls(S::dotRing))
             .set("min-width", "4px")
             .set("min-height", "4px")
             .set("border", "1.5px solid " + Atelier::red.cssText())
             .text() +
         CssRule(dot + cls(S::dotMuted)).set("background-color", Atelier::muted).text() +
         CssRule(dot + cls(S::dotRed)).set("background-color", Atelier::red).text() +
         plain("button" + cls(S::more)).set("color", Atelier::muted).text() +
         CssRule("button" + cls(S::more) + ":disabled").set("opacity", "0.5").text();
}

std::string footerRules() {
  const std::string muted = cls(S::mutedText);
  return CssRule(cls(S::footer))
             .set("padding", "21px 24px 18px 24px")
             .set("background-color", T::sidebarFooter)
             .set("border-top", "1px solid " + Atelier::ink.faded(0.08).cssText())
             .text() +
         CssRule(cls(S::offerTitle) + ", " + cls(S::plan)).font(Typeface::body, 15, FontWeight::medium).text() +
         CssRule(muted).font(Typeface::body, 14, FontWeight::regular).set("color", Atelier::muted).text() +
         CssRule(cls(S::detail)).font(Typeface::body, 13, FontWeight::regular).set("color", Atelier::muted).text() +
         plain("button" + cls(S::retry))
             .font(Typeface::body, 14, FontWeight::regular)
             .set("color", Atelier::secondaryInk)
             .text() +
         plain("menubutton" + cls(S::accountToggle) + " > button")
             .font(Typeface::body, 15, FontWeight::medium)
             .set("color", Atelier::ink)
             .set("padding", "5px 0")
             .text() +
         CssRule(cls(S::chevron)).set("color", Atelier::muted).text() +
         plain("button" + cls(S::iconButton)).set("color", Atelier::muted).set("border-radius", "8px").text() +
         CssRule("button" + cls(S::iconButton) + ":disabled").set("opacity", "0.4").text() +
         PlainFocusRing::outside("menubutton" + cls(S::accountToggle) + " > button:focus-visible, button" +
                                 cls(S::iconButton) + ":focus-visible, button" + cls(S::retry) +
                                 ":focus-visible, button" + cls(S::more) + ":focus-visible, button" + cls(S::wordmark) +
                                 ":focus-visible")
             .text();
}

std::string menuRules() {
  const std::string popover = "popover" + cls(S::menuPopover);
  const std::string item = "button" + cls(S::menuItem);
  return CssRule(popover + " > contents")
             .set("padding", "0")
             .set("background-color", T::accountMenuSurface)
             .set("border", "1px solid " + T::accountMenuBorder.cssText())
             .set("border-radius", "12px")
             .set("box-shadow", "0 6px 18px " + T::shadowColor.faded(0.12).cssText())
             .text() +
         CssRule(popover + " > arrow")
             .set("background-color", T::accountMenuSurface)
             .set("border", "1px solid " + T::accountMenuBorder.cssText())
             .text() +
         CssRule(cls(S::menu)).set("padding", "6px").text() +
         plain(item)
             .font(Typeface::body, 15, FontWeight::regular)
             .set("color", Atelier::ink)
             .set("padding", "10px 12px")
             .set("min-height", cssPx(22.5))
             .set("border-radius", "6px")
             .text() +
         CssRule(item + ":hover, " + item + ":focus").set("background-color", T::accountMenuHighlight).text() +
         CssRule(item + ":disabled").set("color", Atelier::ink.faded(0.45)).text() +
         CssRule(cls(S::menuError))
             .font(Typeface::body, 15, FontWeight::regular)
             .set("color", Atelier::secondaryInk)
             .set("padding", "8px 12px")
             .text();
}

}  // namespace

std::string SidebarStylesheet::text() {
  return newAuditRules() + signInRules() + listRules() + footerRules() + menuRules();
}

}  // namespace vesk

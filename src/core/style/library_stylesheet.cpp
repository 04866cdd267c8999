#include "core/style/library_stylesheet.h"

#include "core/style/atelier.h"
#include "core/style/css_rule.h"
#include "core/style/plain_focus_ring.h"
#include "core/style/vesk_web_tokens.h"

namespace vesk {

namespace {

std::string cls(const char* name) { return std::string(".") + name; }

std::string hairline(double opacity) { return "1px solid " + Atelier::ink.faded(opacity).cssText(); }

}  // namespace

std::string LibraryStylesheet::text() {
  using C = LibraryClasses;
  const std::string plain = "button" + cls(C::plainButton);
  return CssRule(cls(C::mutedText)).set("color", Atelier::muted).text() +
         CssRule(cls(C::searchField))
             .set("padding", cssPx(10) + " " + cssPx(14))
             .set("min-height", "0")
             .set("background", "none")
             .set("background-color", VeskWebTokens::inputBackground)
             .set("border", hairline(searchRuleOpacity))
             .set("border-radius", cssPx(8))
             .set("box-shadow", "none")
             .set("outline", "none")
             .set("color", Atelier::ink)
             .text() +
         // Rows are plain buttons: the rule must outrank the plain button's missing border.
         CssRule(plain + cls(C::projectRow)).set("border-bottom", hairline(projectRowRuleOpacity)).text() +
         CssRule(cls(C::runRow)).set("border-bottom", hairline(runRowRuleOpacity)).text() +
         CssRule(plain)
             .set("padding", "0")
             .set("min-width", "0")
             .set("min-height", "0")
             .set("border", "none")
             .set("border-radius", "0")
             .set("background", "none")
             .set("box-shadow", "none")
             .set("color", "inherit")
             .text() +
         CssRule(plain + ":disabled").set("opacity", "0.5").text() +
         PlainFocusRing::outside(plain + ":focus-visible").text() +
         // The list draws no surface of its own: its entries sit on the page, apart by the
         // list's spacing, with the rows' own hairlines.
         CssRule("listview" + cls(C::list)).set("background", "none").set("padding", cssPx(4) + " 0").text() +
         CssRule("listview" + cls(C::list) + " > row")
             .set("padding", "0 0 " + cssPx(listSpacing) + " 0")
             .set("background", "none")
             .set("border", "none")
             .text() +
         CssRule("listview" + cls(C::list) + " > row:last-child").set("padding-bottom", "0").text() +
         CssRule(cls(C::link)).set("color", Atelier::secondaryInk).text() +
         CssRule(cls(C::errorBox))
             .set("padding", cssPx(10) + " " + cssPx(14))
             .set("background-color", VeskWebTokens::criticalBackground)
             .set("border", "1px solid " + VeskWebTokens::critical.faded(0.2).cssText())
             .set("border-radius", cssPx(8))
             .text() +
         CssRule(cls(C::errorBox) + " label").set("color", Atelier::secondaryInk).text();
}

}  // namespace vesk

#include "core/style/report_stylesheet.h"

#include "core/style/atelier.h"
#include "core/style/css_rule.h"
#include "core/style/plain_focus_ring.h"
#include "core/style/vesk_web_tokens.h"

namespace vesk {

namespace {

std::string cls(const char* name) { return std::string(".") + name; }

std::string plainButtonRules() {
  const std::string button = "button" + cls(ReportClasses::plainButton);
  return CssRule(button)
             .set("padding", "0")
             .set("min-width", "0")
             .set("min-height", "0")
             .set("border", "none")
             .set("background", "none")
             .set("box-shadow", "none")
             .set("color", Atelier::secondaryInk)
             .text() +
         CssRule(button + ":hover").set("color", Atelier::ink).text() +
         CssRule(button + ":disabled").set("color", Atelier::muted).text() +
         PlainFocusRing::outside(button + ":focus-visible").text() +
         CssRule(button + cls(ReportClasses::sourceLink) + " label").set("text-decoration", "underline").text();
}

std::string chooserRowRules() {
  const std::string row = "button" + cls(ReportClasses::chooserRow);
  return CssRule(row)
             .set("padding", cssPx(14))
             .set("border", "none")
             .set("border-bottom", "1px solid " + Atelier::border.cssText())
             .set("border-radius", "0")
             .set("background", "none")
             .set("box-shadow", "none")
             .set("color", Atelier::ink)
             .text() +
         CssRule(row + ":hover").set("background-color", Atelier::ink.faded(0.04)).text();
}

}  // namespace

std::string ReportStylesheet::text() {
  return CssRule(cls(ReportClasses::mutedText)).set("color", Atelier::muted).text() +
         CssRule(cls(ReportClasses::linkBox))
             .set("padding", "9px 12px")
             .set("background-color", VeskWebTokens::inputBackground)
             .set("border", "1px solid " + VeskWebTokens::controlEdge.cssText())
             .set("border-radius", cssPx(linkBoxRadius))
             .set("color", Atelier::secondaryInk)
             .text() +
         CssRule(cls(ReportClasses::discussionFrame))
             .set("padding", cssPx(14))
             .set("background-color", VeskWebTokens::inputBackground)
             .set("border", "1px solid " + Atelier::ink.faded(0.14).cssText())
             .set("border-radius", cssPx(discussionRadius))
             .text() +
         CssRule(cls(ReportClasses::discussionFrame) + " textview, " + cls(ReportClasses::discussionFrame) +
                 " textview text")
             .set("background", "none")
             .set("color", Atelier::ink)
             .text() +
         CssRule(cls(ReportClasses::discussionFrame) + " " + cls(ReportClasses::discussionPlaceholder))
             .set("color", VeskWebTokens::placeholder)
             .text() +
         plainButtonRules() + chooserRowRules();
}

}  // namespace vesk

#include "core/style/audit_stylesheet.h"

#include "core/style/atelier.h"
#include "core/style/css_rule.h"

namespace vesk {

namespace {

std::string cls(const char* name) { return std::string(".") + name; }

}  // namespace

std::string AuditStylesheet::text() {
  const std::string dot = cls(AuditClasses::lensDot);
  return CssRule(cls(AuditClasses::mutedText)).set("color", Atelier::muted).text() +
         CssRule(cls(AuditClasses::inkText)).set("color", Atelier::ink).text() +
         CssRule(cls(AuditClasses::redSpinner)).set("color", Atelier::red).text() +
         CssRule(cls(AuditClasses::redMark)).set("color", Atelier::red).text() +
         CssRule(cls(AuditClasses::rule)).set("min-height", cssPx(1)).set("background-color", Atelier::border).text() +
         CssRule(dot)
             .set("min-width", cssPx(lensDotSize))
             .set("min-height", cssPx(lensDotSize))
             .set("border-radius", cssPx(lensDotSize))
             .text() +
         CssRule(dot + cls(AuditClasses::lensComplete))
             .set("background-color", Atelier::red.faded(completeDotOpacity))
             .text() +
         CssRule(dot + cls(AuditClasses::lensSkipped))
             .set("background-color", Atelier::ink.faded(skippedDotOpacity))
             .text() +
         CssRule(dot + cls(AuditClasses::lensPending))
             .set("background-color", Atelier::red.faded(pendingDotOpacity))
             .text();
}

}  // namespace vesk

#include "core/style/composer_stylesheet.h"

#include "core/style/atelier.h"
#include "core/style/css_rule.h"
#include "core/style/plain_focus_ring.h"
#include "core/style/vesk_web_tokens.h"

namespace vesk {

namespace {

std::string cls(const char* name) { return std::string(".") + name; }

// No capsule, border, shadow or theme padding: only what the button holds.
CssRule bare(std::string selector) {
  return std::move(CssRule(std::move(selector))
                       .set("padding", "0")
                       .set("min-width", "0")
                       .set("min-height", "0")
                       .set("border", "none")
                       .set("background", "none")
                       .set("box-shadow", "none")
                       .set("outline", "none"));
}

std::string cardRules() {
  return CssRule(cls(ComposerClasses::card) + cls(ComposerClasses::targeted))
             .set("filter", "blur(" + cssPx(ComposerStylesheet::targetedBlur) + ")")
             .text() +
         CssRule(cls(ComposerClasses::dropOverlay))
             .set("background-color", Atelier::ink.faded(0.04))
             .set("border", "2px dashed " + Atelier::red.cssText())
             .set("border-radius", cssPx(24))
             .text() +
         CssRule(cls(ComposerClasses::hairline))
             .set("background-color", Atelier::ink.faded(0.08))
             .set("min-height", "1px")
             .text() +
         CssRule(cls(ComposerClasses::muted)).set("color", Atelier::muted).text() +
         CssRule(cls(ComposerClasses::inkText)).set("color", Atelier::ink).text() +
         CssRule(cls(ComposerClasses::notice)).font(Typeface::body, 13, FontWeight::regular).text() +
         CssRule(cls(ComposerClasses::notice) + " > link").set("color", Atelier::ink).text() +
         // The notice takes the focus for its link: the ring goes round the link alone.
         CssRule("label" + cls(ComposerClasses::notice) + ":focus-visible").set("outline", "none").text() +
         PlainFocusRing::outside("label" + cls(ComposerClasses::notice) + " > link:focus-visible", 1, 3).text();
}

std::string depthRules() {
  const std::string pill = "button" + cls(ComposerClasses::depthPill);
  return CssRule(cls(ComposerClasses::depthControl))
             .set("padding", cssPx(2))
             .set("background-color", Atelier::ink.faded(0.08))
             .set("border", "1px solid " + Atelier::ink.faded(0.16).cssText())
             .set("border-radius", "999px")
             .text() +
         bare(pill)
             .set("padding", cssPx(4) + " " + cssPx(12))
             .set("border-radius", "999px")
             .set("color", Atelier::secondaryInk)
             .font(Typeface::body, 14, FontWeight::medium)
             .text() +
         CssRule(pill + ".selected")
             .set("color", Atelier::ink)
             .set("background-color", Atelier::ivory)
             .set("box-shadow", "0 1px 1.5px " + Atelier::ink.faded(0.12).cssText() + ", inset 0 0 0 1px " +
                                    Atelier::ink.faded(0.08).cssText())
             .text() +
         CssRule(pill + ":disabled").set("color", Atelier::secondaryInk).text() +
         CssRule(pill + ".selected:disabled").set("color", Atelier::ink).text() +
         CssRule(pill + ":focus-visible").set("box-shadow", "inset 0 0 0 2px " + Atelier::gold.cssText()).text();
}

std::string sourceRules() {
  return CssRule(cls(ComposerClasses::chip))
             .set("padding", cssPx(4) + " " + cssPx(10) + " " + cssPx(4) + " " + cssPx(6))
             .set("border-radius", "999px")
             .set("background-color", Atelier::ink.faded(0.05))
             .set("box-shadow", "inset 0 0 0 1px " + Atelier::ink.faded(0.1).cssText())
             .text() +
         CssRule(cls(ComposerClasses::chipIcon)).set("color", Atelier::muted).text() +
         CssRule(cls(ComposerClasses::addressRow))
             .set("padding", cssPx(8) + " " + cssPx(12))
             .set("border-radius", cssPx(10))
             .set("background-color", Atelier::ink.faded(0.04))
             .set("box-shadow", "inset 0 0 0 1px " + Atelier::ink.faded(0.1).cssText())
             .text() +
         bare("entry" + cls(ComposerClasses::addressField))
             .set("color", Atelier::ink)
             .set("caret-color", Atelier::ink)
             .font(Typeface::body, 15, FontWeight::regular)
             .text() +
         CssRule("entry" + cls(ComposerClasses::addressField) + " > text > placeholder")
             .set("color", VeskWebTokens::placeholder)
             .text() +
         bare("button" + cls(ComposerClasses::plainButton)).set("color", Atelier::ink).text() +
         CssRule("button" + cls(ComposerClasses::plainButton) + cls(ComposerClasses::muted))
             .set("color", Atelier::muted)
             .text() +
         CssRule("button" + cls(ComposerClasses::plainButton) + ":disabled").set("opacity", "0.45").text() +
         PlainFocusRing::outside("button" + cls(ComposerClasses::plainButton) + ":focus-visible").text() +
         // A field of the row has no ring of its own: the row's edge turns gold around it.
         CssRule(cls(ComposerClasses::addressRow) + ":focus-within").set("box-shadow", PlainFocusRing::inset()).text();
}

std::string editorRules() {
  const std::string editor = "textview" + cls(ComposerClasses::editor);
  return CssRule(editor)
             .set("background", "none")
             .set("color", Atelier::ink)
             .set("caret-color", Atelier::ink)
             .font(Typeface::body, ComposerStylesheet::editorFontSize, FontWeight::regular)
             .text() +
         CssRule(editor + " > text").set("background", "none").text() +
         CssRule(editor + cls(ComposerClasses::placeholder)).set("color", VeskWebTokens::placeholder).text() +
         CssRule("scrolledwindow" + cls(ComposerClasses::editor)).set("background", "none").text() +
         // Within the editor's padding, clear of the text and of the card's edge.
         PlainFocusRing::outside(cls(ComposerClasses::editorFrame) + ":focus-within:focus-visible",
                                 ComposerStylesheet::editorRingGap, ComposerStylesheet::editorRingRadius)
             .text();
}

}  // namespace

std::string ComposerStylesheet::text() { return cardRules() + depthRules() + sourceRules() + editorRules(); }

}  // namespace vesk

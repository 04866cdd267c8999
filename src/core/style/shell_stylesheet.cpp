#include "core/style/shell_stylesheet.h"

#include "core/style/atelier.h"
#include "core/style/control_stylesheet.h"
#include "core/style/css_rule.h"
#include "core/style/shared_control_recipe.h"
#include "core/style/vesk_web_tokens.h"

namespace vesk {

namespace {

std::string cls(const char* name) { return std::string(".") + name; }

std::string rootRules() {
  // The theme dresses any title bar as a header bar; this one stays empty and flat.
  return CssRule(cls(ShellClasses::hiddenTitlebar))
             .set("min-height", "0")
             .set("margin", "0")
             .set("padding", "0")
             .set("border", "none")
             .set("background", "none")
             .set("box-shadow", "none")
             .text() +
         // Text defaults every screen, sheet and overlay inherits.
         CssRule(cls(ShellClasses::root))
             .set("color", Atelier::ink)
             .font(Typeface::body, 15, FontWeight::regular)
             .text() +
         CssRule(cls(ShellClasses::secondaryText)).set("color", Atelier::secondaryInk).text() +
         CssRule(cls(ShellClasses::mainRow) + ":not(." + ControlClasses::reduceMotion + ")")
             .set("transition", "filter " + cssMs(ShellStylesheet::tipsFadeSeconds) + " ease-out")
             .text() +
         CssRule(cls(ShellClasses::mainRow) + cls(ShellClasses::blurred))
             .set("filter", "blur(" + cssPx(ShellStylesheet::tipsBlurRadius) + ")")
             .text();
}

std::string bannerRules() {
  const std::string banner = cls(ShellClasses::errorBanner);
  return CssRule(banner)
             .set("padding", cssPx(16))
             .set("background-color", Atelier::ivory.faded(0.7))
             .set("border", "1px solid " + VeskWebTokens::runErrorBorder.cssText())
             .set("border-radius", cssPx(18))
             .text() +
         CssRule(banner + " label").set("color", Atelier::secondaryInk).text() +
         CssRule("button" + cls(ShellClasses::bannerDismiss))
             .set("padding", "0")
             .set("min-width", "0")
             .set("min-height", "0")
             .set("border", "none")
             .set("background", "none")
             .set("box-shadow", "none")
             .set("color", Atelier::ink)
             .text();
}

std::string overlayRules() {
  return CssRule(cls(ShellClasses::sheetBackdrop))
             .set("background-color", Atelier::ink.faded(ShellStylesheet::sheetBackdropOpacity))
             .text() +
         CssRule(cls(ShellClasses::tipsBackdrop))
             .set("background-color", Atelier::ink.faded(ShellStylesheet::tipsBackdropOpacity))
             .text() +
         // The close button is a fixed circle, whatever the pill's padding.
         CssRule("button" + cls(ControlClasses::pill) + cls(ShellClasses::tipsClose) + ":not(." +
                 ControlClasses::compact + ")")
             .set("padding", "0")
             .set("min-width", cssPx(ShellStylesheet::tipsCloseSize))
             .set("min-height", cssPx(ShellStylesheet::tipsCloseSize))
             .text() +
         CssRule("button" + cls(ShellClasses::tipsClose) + " > " + cls(ControlClasses::glyph))
             .set("color", Atelier::muted)
             .text();
}

// The primary menu's button wears the header buttons' look: a round glyph button that
// warms with gold while hovered or open.
std::string menuButtonRules() {
  using R = ChromeButtonRecipe;
  const std::string button = "menubutton" + cls(ShellClasses::menuButton) + " > button";
  return CssRule(button)
             .set("min-width", cssPx(R::frameSize))
             .set("min-height", cssPx(R::frameSize))
             .set("padding", "0")
             .set("border", "none")
             .set("border-radius", "9999px")
             .set("background", "none")
             .set("box-shadow", "none")
             .set("outline", "0 solid transparent")
             .set("color", R::ink)
             .text() +
         CssRule(button + ":hover, " + button + ":checked").set("background-color", R::hoverFill).text() +
         CssRule(button + ":focus-visible")
             .set("box-shadow", "inset 0 0 0 " + cssPx(R::focusRingWidth) + " " + R::focusRing.cssText())
             .text();
}

}  // namespace

// The tint of the desktop's own controls (selections, links, the chooser's buttons).
std::string tintColours() {
  return "@define-color accent_color " + Atelier::red.cssText() + ";\n@define-color accent_bg_color " +
         Atelier::red.cssText() + ";\n";
}

std::string ShellStylesheet::text() {
  return tintColours() + rootRules() + bannerRules() + overlayRules() + menuButtonRules();
}

}  // namespace vesk

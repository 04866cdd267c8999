#include "core/style/vesk_stylesheet.h"

#include "core/style/account_stylesheet.h"
#include "core/style/audit_stylesheet.h"
#include "core/style/composer_stylesheet.h"
#include "core/style/control_stylesheet.h"
#include "core/style/library_stylesheet.h"
#include "core/style/report_stylesheet.h"
#include "core/style/shell_stylesheet.h"
#include "core/style/sidebar_stylesheet.h"
#include "core/style/typeface.h"
#include "core/style/vesk_web_tokens.h"

#include <span>
#include <string_view>

namespace vesk {

namespace {

void defineColour(std::string& css, std::string_view name, const Rgba& colour) {
  css += "@define-color ";
  css += name;
  css += ' ';
  css += colour.cssText();
  css += ";\n";
}

void defineList(std::string& css, std::string_view name, std::span<const Rgba> stops) {
  for (std::size_t i = 0; i < stops.size(); ++i)
    defineColour(css, std::string(name) + "_" + std::to_string(i + 1), stops[i]);
}

}  // namespace

std::string VeskStylesheet::text() {
  std::string css = "/* Generated from the colour tokens. */\n";
  for (const auto& token : VeskWebTokens::colours()) defineColour(css, token.name, token.colour);
  defineList(css, "sidebarActionFill", VeskWebTokens::sidebarActionFill);
  defineList(css, "sidebarActionBorder", VeskWebTokens::sidebarActionBorder);
  defineList(css, "sidebarActionHoverFill", VeskWebTokens::sidebarActionHoverFill);
  defineList(css, "sidebarActionHoverBorder", VeskWebTokens::sidebarActionHoverBorder);

  const std::string canvas = std::string(".") + canvasClass;
  const std::string sheet = std::string(".") + sheetPresentationClass;
  css += "\n" + canvas + " {\n  background-color: @ivory;\n  color: @ink;\n  font-family: \"" +
         std::string(Typeface::body.family) + "\", sans-serif;\n}\n";
  // A sheet or popup draws its own glass; the presentation behind it stays clear.
  css += "window" + sheet + ", popover" + sheet + " > contents, popover" + sheet +
         " > arrow {\n  background: none;\n  border: none;\n  box-shadow: none;\n}\n";
  css += "popover" + sheet + " > contents {\n  padding: 0;\n}\n";
  css += std::string(".") + sheetUnderlayClass + " {\n  background-color: @ivory;\n  border-radius: 26px;\n}\n";
  // Wherever the theme draws its own keyboard-focus ring (a disclosure's title, a text's
  // link), it is drawn in the visual system's gold, never the toolkit's accent.
  css += "*:focus-visible {\n  outline-color: @gold;\n}\n";
  return css + ControlStylesheet::text() + ShellStylesheet::text() + SidebarStylesheet::text() +
         AuditStylesheet::text() + AccountStylesheet::text() + ComposerStylesheet::text() + ReportStylesheet::text() +
         LibraryStylesheet::text();
}

}  // namespace vesk

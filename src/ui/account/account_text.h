#pragma once
// The texts of the account side: plain labels (service and user text is never markup)
// set in one font and colour, wrapping, leading-aligned, with optional letter tracking
// and extra line spacing.
#include "core/style/rgba.h"

#include <gtkmm/label.h>
#include <pangomm/fontdescription.h>

#include <optional>

namespace vesk::ui {

struct AccountTextStyle {
  Pango::FontDescription font;
  std::optional<Rgba> colour;  // none: the surrounding colour
  double tracking = 0;         // extra space between letters, px
  double lineSpacing = 0;      // extra space between lines, px
};

// The account side's one error colour.
struct AccountColors {
  AccountColors() = delete;
  static const Rgba& critical();
};

// A new managed label showing `text` in `style`.
Gtk::Label* accountLabel(const Glib::ustring& text, const AccountTextStyle& style);
// A label for a sheet of fixed width: it wraps to the width it is given instead of
// asking for the width of its whole text.
Gtk::Label* sheetLabel(const Glib::ustring& text, const AccountTextStyle& style);
// Sets `style` on an existing label; its text is kept.
void applyAccountTextStyle(Gtk::Label& label, const AccountTextStyle& style);

// The usual styles: body 15 regular in a colour, the display face italic at a size.
AccountTextStyle bodyStyle(std::optional<Rgba> colour = std::nullopt, double lineSpacing = 0);
AccountTextStyle displayStyle(double size, std::optional<Rgba> colour = std::nullopt);

}  // namespace vesk::ui

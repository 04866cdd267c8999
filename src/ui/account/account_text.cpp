#include "ui/account/account_text.h"

#include "core/style/vesk_web_tokens.h"
#include "ui/style/vesk_typography.h"

#include <pango/pango.h>

#include <cmath>

namespace vesk::ui {

namespace {

guint16 channel(double value) { return static_cast<guint16>(std::lround(value * 65535)); }

}  // namespace

const Rgba& AccountColors::critical() {
  static const Rgba colour = VeskWebTokens::critical;
  return colour;
}

void applyAccountTextStyle(Gtk::Label& label, const AccountTextStyle& style) {
  Pango::AttrList attributes;
  auto font = Pango::Attribute::create_attr_font_desc(style.font);
  attributes.insert(font);
  if (style.colour) {
    auto colour = Pango::Attribute::create_attr_foreground(channel(style.colour->red), channel(style.colour->green),
                                                           channel(style.colour->blue));
    attributes.insert(colour);
    if (style.colour->alpha < 1) {
      auto alpha = Pango::Attribute::create_attr_foreground_alpha(channel(style.colour->alpha));
      attributes.insert(alpha);
    }
  }
  if (style.tracking != 0) {
    auto tracking = Pango::Attribute::create_attr_letter_spacing(static_cast<int>(style.tracking * PANGO_SCALE));
    attributes.insert(tracking);
  }
  if (style.lineSpacing != 0) {
    // The line's own height plus the extra spacing, as a factor of the font's line height.
    const double size = style.font.get_size() / static_cast<double>(PANGO_SCALE);
    const double natural = size * 1.3;
    pango_attr_list_insert(attributes.gobj(), pango_attr_line_height_new((natural + style.lineSpacing) / natural));
  }
  label.set_attributes(attributes);
}

Gtk::Label* accountLabel(const Glib::ustring& text, const AccountTextStyle& style) {
  auto* label = Gtk::make_managed<Gtk::Label>(text);
  label->set_use_markup(false);
  label->set_wrap(true);
  label->set_wrap_mode(Pango::WrapMode::WORD_CHAR);
  label->set_xalign(0);
  label->set_halign(Gtk::Align::FILL);
  applyAccountTextStyle(*label, style);
  return label;
}

Gtk::Label* sheetLabel(const Glib::ustring& text, const AccountTextStyle& style) {
  auto* label = accountLabel(text, style);
  label->set_max_width_chars(1);
  return label;
}

AccountTextStyle bodyStyle(std::optional<Rgba> colour, double lineSpacing) {
  return AccountTextStyle{VeskTypography::body(15), colour, 0, lineSpacing};
}

AccountTextStyle displayStyle(double size, std::optional<Rgba> colour) {
  return AccountTextStyle{VeskTypography::display(size, FontWeight::regular, true), colour, 0, 0};
}

}  // namespace vesk::ui

#include "ui/account/account_section.h"

#include "core/style/account_stylesheet.h"
#include "core/style/atelier.h"
#include "core/text/text_rules.h"
#include "ui/account/account_text.h"
#include "ui/style/vesk_typography.h"

namespace vesk::ui {

AccountEyebrow::AccountEyebrow(const Glib::ustring& text, const Rgba& colour) : Gtk::Label(uppercased(text.raw())) {
  set_use_markup(false);
  set_xalign(0);
  set_halign(Gtk::Align::START);
  applyAccountTextStyle(*this, AccountTextStyle{VeskTypography::body(13, FontWeight::medium), colour, 1.8, 0});
}

AccountSection::AccountSection(const Glib::ustring& eyebrow, const Glib::ustring& headline,
                               std::optional<Glib::ustring> standfirst, std::optional<Rgba> accent)
    : Gtk::Box(Gtk::Orientation::VERTICAL, 0),
      eyebrow_(Gtk::make_managed<AccountEyebrow>(eyebrow, accent.value_or(Atelier::muted))),
      headline_(accountLabel(headline, displayStyle(34))),
      content_(Gtk::make_managed<Gtk::Box>(Gtk::Orientation::VERTICAL, 0)) {
  set_margin_bottom(48);
  eyebrow_->set_margin_bottom(10);
  append(*eyebrow_);
  headline_->property_accessible_role() = Gtk::Accessible::Role::HEADING;
  append(*headline_);
  if (standfirst) {
    standfirst_ = accountLabel(*standfirst, bodyStyle(Atelier::secondaryInk, 5));
    standfirst_->set_margin_top(10);
    append(*standfirst_);
  }
  content_->set_margin_top(32);
  append(*content_);
}

AccountSectionDivider::AccountSectionDivider() : Gtk::Box(Gtk::Orientation::VERTICAL, 0) {
  auto* line = Gtk::make_managed<Gtk::Box>();
  line->add_css_class(AccountClasses::divider);
  line->set_hexpand(true);
  line->property_accessible_role() = Gtk::Accessible::Role::PRESENTATION;
  append(*line);
  set_margin_bottom(48);
}

}  // namespace vesk::ui

#include "ui/app/error_banner.h"

#include "core/style/shell_stylesheet.h"
#include "ui/controls/accessible_label.h"
#include "ui/controls/vesk_glyph.h"
#include "ui/style/vesk_typography.h"

namespace vesk::ui {

ErrorBanner::ErrorBanner(std::function<void()> dismiss)
    : Gtk::Box(Gtk::Orientation::HORIZONTAL, 10),
      text_(Gtk::make_managed<Gtk::Label>()),
      dismiss_(Gtk::make_managed<Gtk::Button>()) {
  add_css_class(ShellClasses::errorBanner);
  set_margin_start(30);
  set_margin_end(30);
  set_visible(false);

  text_->set_selectable(true);
  text_->set_wrap(true);
  text_->set_wrap_mode(Pango::WrapMode::WORD_CHAR);
  text_->set_xalign(0);
  text_->set_valign(Gtk::Align::START);
  text_->set_hexpand(true);
  VeskTypography::apply(*text_, VeskTypography::body(15));
  append(*text_);

  dismiss_->add_css_class(ShellClasses::bannerDismiss);
  dismiss_->set_child(*Gtk::make_managed<VeskGlyph>(VeskGlyph::Kind::close, 16));
  dismiss_->set_valign(Gtk::Align::START);
  setAccessibleLabel(*dismiss_, dismissLabel);
  dismiss_->signal_clicked().connect(std::move(dismiss));
  append(*dismiss_);
}

void ErrorBanner::show(const std::optional<std::string>& text) {
  if (text) text_->set_text(*text);
  set_visible(text.has_value());
}

}  // namespace vesk::ui

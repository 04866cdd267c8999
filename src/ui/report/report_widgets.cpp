#include "ui/report/report_widgets.h"

#include "ui/style/vesk_typography.h"

namespace vesk::ui::report {

Gtk::Label& textLabel(const std::string& text, const char* cssClass) {
  auto* label = Gtk::make_managed<Gtk::Label>();
  label->set_text(text);
  label->set_use_markup(false);
  label->set_xalign(0);
  label->set_halign(Gtk::Align::FILL);
  label->set_wrap(true);
  label->set_wrap_mode(Pango::WrapMode::WORD_CHAR);
  label->set_max_width_chars(1);  // the natural width stays small; the parent's width wraps it
  if (cssClass) label->add_css_class(cssClass);
  return *label;
}

Gtk::Label& displayTitle(const std::string& text, double size) {
  auto& label = textLabel(text);
  VeskTypography::apply(label, VeskTypography::display(size, FontWeight::regular, true));
  return label;
}

Gtk::Button& pill(const std::string& label, VeskButtonRole role, PillSize size, std::function<void()> action) {
  auto* button = Gtk::make_managed<Gtk::Button>(label);
  VeskPillStyle(role, size).apply(*button);
  if (action) button->signal_clicked().connect(std::move(action));
  return *button;
}

Gtk::Box& flexibleSpace() {
  auto* space = Gtk::make_managed<Gtk::Box>();
  space->set_hexpand(true);
  return *space;
}

void showOptional(Gtk::Label& label, const std::optional<std::string>& text) {
  label.set_visible(text.has_value());
  label.set_text(text.value_or(""));
}

}  // namespace vesk::ui::report

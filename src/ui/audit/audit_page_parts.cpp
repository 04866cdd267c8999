#include "ui/audit/audit_page_parts.h"

#include "core/style/audit_stylesheet.h"
#include "core/style/shell_stylesheet.h"
#include "ui/controls/accessible_label.h"
#include "ui/controls/symbol_image.h"
#include "ui/controls/vesk_pill_style.h"
#include "ui/controls/vesk_spinner.h"
#include "ui/style/vesk_typography.h"

#include <gtkmm/box.h>
#include <gtkmm/shortcutcontroller.h>

#include <cmath>

namespace vesk::ui {

namespace {

constexpr int backSymbolSize = 16;
constexpr int backSymbolSpacing = 8;
constexpr double eyebrowTracking = 2;

// The height of one line of `font` in `label`'s context, in Pango units.
int naturalLineHeight(Gtk::Label& label, const Pango::FontDescription& font) {
  PangoFontMetrics* metrics = pango_context_get_metrics(label.get_pango_context()->gobj(), font.gobj(), nullptr);
  const int height = pango_font_metrics_get_height(metrics);
  pango_font_metrics_unref(metrics);
  return height;
}

}  // namespace

Gtk::Label& wrappingText(const Glib::ustring& text, const Pango::FontDescription& font, const char* colourClass,
                         double lineSpacing) {
  auto& label = *Gtk::make_managed<Gtk::Label>();
  label.set_text(text);
  label.set_xalign(0);
  label.set_halign(Gtk::Align::FILL);
  label.set_wrap(true);
  label.set_wrap_mode(Pango::WrapMode::WORD_CHAR);
  VeskTypography::apply(label, font);
  if (colourClass) label.add_css_class(colourClass);
  if (lineSpacing > 0) {
    auto attributes = label.get_attributes();
    const int height = naturalLineHeight(label, font) + static_cast<int>(std::lround(lineSpacing * PANGO_SCALE));
    auto lineHeight = Pango::Attribute::create_attr_line_height_absolute(height);
    attributes.insert(lineHeight);
    label.set_attributes(attributes);
  }
  return label;
}

Gtk::Label& pageHeading(const Glib::ustring& text) {
  return wrappingText(text, VeskTypography::display(48, FontWeight::regular, true));
}

Gtk::Label& pageParagraph(const Glib::ustring& text) {
  return wrappingText(text, VeskTypography::body(16), ShellClasses::secondaryText, 6);
}

Gtk::Label& pageEyebrow(const Glib::ustring& text) {
  auto& label = wrappingText(text, VeskTypography::body(13, FontWeight::medium), AuditClasses::mutedText);
  auto attributes = label.get_attributes();
  auto tracking =
      Pango::Attribute::create_attr_letter_spacing(static_cast<int>(std::lround(eyebrowTracking * PANGO_SCALE)));
  attributes.insert(tracking);
  label.set_attributes(attributes);
  return label;
}

void setPlainText(Gtk::Label& label, const Glib::ustring& text) {
  if (label.get_text() != text) label.set_text(text);
}

Gtk::Spinner& smallSpinner(bool red) {
  auto& spinner = *Gtk::make_managed<VeskSpinner>();
  spinner.set_spinning(true);
  spinner.set_valign(Gtk::Align::CENTER);
  if (red) spinner.add_css_class(AuditClasses::redSpinner);
  return spinner;
}

Gtk::Button& textPill(const Glib::ustring& title, VeskButtonRole role, std::function<void()> action) {
  auto& button = *Gtk::make_managed<Gtk::Button>(title);
  VeskPillStyle(role, PillSize::regular).apply(button);
  button.signal_clicked().connect(std::move(action));
  return button;
}

Gtk::Button& backPill(const Glib::ustring& title, std::function<void()> action) {
  auto& button = *Gtk::make_managed<Gtk::Button>();
  auto* content = Gtk::make_managed<Gtk::Box>(Gtk::Orientation::HORIZONTAL, backSymbolSpacing);
  content->set_halign(Gtk::Align::CENTER);
  if (auto* image = makeSymbolImage("chevron.left", backSymbolSize)) {
    image->set_valign(Gtk::Align::CENTER);
    content->append(*image);
  }
  content->append(*Gtk::make_managed<Gtk::Label>(title));
  button.set_child(*content);
  setAccessibleLabel(button, title);
  VeskPillStyle(VeskButtonRole::secondary, PillSize::regular).apply(button);
  button.signal_clicked().connect(std::move(action));
  return button;
}

void addRunShortcut(Gtk::Widget& page, std::function<void()> run) {
  auto controller = Gtk::ShortcutController::create();
  controller->set_scope(Gtk::ShortcutScope::GLOBAL);
  auto action = Gtk::CallbackAction::create([run = std::move(run)](Gtk::Widget&, const Glib::VariantBase&) {
    run();
    return true;
  });
  for (const char* keys : {"<Control>Return", "<Control>KP_Enter"})
    controller->add_shortcut(Gtk::Shortcut::create(Gtk::ShortcutTrigger::parse_string(keys), action));
  page.add_controller(controller);
}

}  // namespace vesk::ui

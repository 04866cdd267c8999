#include "ui/audit/tips_panel.h"

#include "core/shell/tips_content.h"
#include "core/style/shell_stylesheet.h"
#include "ui/controls/accessible_label.h"
#include "ui/controls/vesk_glyph.h"
#include "ui/controls/vesk_pill_style.h"
#include "ui/style/vesk_typography.h"

#include <gtkmm/window.h>
#include <pangomm/attrlist.h>

#include <cmath>

namespace vesk::ui {

namespace {

using T = TipsContent;

// Glib::ustring counts characters, not bytes: go through std::string.
Glib::ustring text(std::string_view view) { return Glib::ustring(std::string(view)); }

// A round button: only its circle takes the pointer.
class CircleButton : public Gtk::Button {
 protected:
  bool contains_vfunc(double x, double y) const override {
    const double r = std::min(get_width(), get_height()) / 2.0;
    const double dx = x - get_width() / 2.0, dy = y - get_height() / 2.0;
    return r > 0 && dx * dx + dy * dy <= r * r;
  }
};

Gtk::Label* label(std::string_view content, const Pango::FontDescription& font, const char* colourClass = nullptr) {
  auto* label = Gtk::make_managed<Gtk::Label>(text(content));
  label->set_xalign(0);
  label->set_halign(Gtk::Align::FILL);  // a body wraps at the panel's width, not at its own
  VeskTypography::apply(*label, font);
  if (colourClass) label->add_css_class(colourClass);
  return label;
}

// Wraps onto as many lines as it needs, each one and a half times the text size high.
void spaceBodyLines(Gtk::Label& body) {
  body.set_wrap(true);
  body.set_wrap_mode(Pango::WrapMode::WORD_CHAR);
  auto attributes = body.get_attributes();
  auto height = Pango::Attribute::create_attr_line_height_absolute(
      static_cast<int>(std::lround(T::bodyLineHeight * PANGO_SCALE)));
  attributes.insert(height);
  body.set_attributes(attributes);
}

}  // namespace

TipsPanel::TipsPanel(std::function<void()> onClose) : VeskSheetSurface(true) {
  set_size_request(static_cast<int>(T::panelWidth), static_cast<int>(T::panelHeight));
  scroller_.set_policy(Gtk::PolicyType::NEVER, Gtk::PolicyType::EXTERNAL);  // scrolls, with no bar
  scroller_.set_propagate_natural_height(false);

  auto* content = Gtk::make_managed<Gtk::Box>(Gtk::Orientation::VERTICAL, static_cast<int>(T::sectionSpacing));
  content->set_margin(static_cast<int>(T::padding));
  content->append(makeHeadingRow(std::move(onClose)));
  auto* list = Gtk::make_managed<Gtk::Box>(Gtk::Orientation::VERTICAL, static_cast<int>(T::tipSpacing));
  for (const auto& tip : T::tips) list->append(makeTip(tip.title, tip.body));
  content->append(*list);
  scroller_.set_child(*content);
  set_child(scroller_);
}

TipsPanel::~TipsPanel() { unset_child(); }

Gtk::Widget& TipsPanel::makeHeadingRow(std::function<void()> onClose) {
  auto* row = Gtk::make_managed<Gtk::Box>(Gtk::Orientation::HORIZONTAL, static_cast<int>(T::headingSpacing));
  heading_ = label(T::heading, VeskTypography::display(T::headingSize, FontWeight::regular, true));
  heading_->set_hexpand(true);
  heading_->set_valign(Gtk::Align::START);
  heading_->property_accessible_role() = Gtk::Accessible::Role::HEADING;
  row->append(*heading_);

  close_ = Gtk::make_managed<CircleButton>();
  VeskPillStyle(VeskButtonRole::tertiary, PillSize::regular).apply(*close_);
  close_->add_css_class(ShellClasses::tipsClose);
  close_->set_child(*Gtk::make_managed<VeskGlyph>(VeskGlyph::Kind::close, T::closeGlyphSize));
  close_->set_valign(Gtk::Align::START);
  close_->set_halign(Gtk::Align::END);
  close_->set_tooltip_text(text(T::closeLabel));
  setAccessibleLabel(*close_, text(T::closeLabel));
  close_->signal_clicked().connect(std::move(onClose));
  row->append(*close_);
  return *row;
}

// One tip: its title over its body, read by assistive technologies as one element.
Gtk::Widget& TipsPanel::makeTip(std::string_view title, std::string_view body) {
  auto* block = Gtk::make_managed<Gtk::Box>(Gtk::Orientation::VERTICAL, static_cast<int>(T::titleBodySpacing));
  auto* titleLabel = label(title, VeskTypography::body(T::textSize, FontWeight::medium));
  auto* bodyLabel = label(body, VeskTypography::body(T::textSize), ShellClasses::secondaryText);
  spaceBodyLines(*bodyLabel);
  block->append(*titleLabel);
  block->append(*bodyLabel);
  setAccessibleLabel(*block, text(title) + ". " + text(body));
  for (auto* part : {titleLabel, bodyLabel})
    gtk_accessible_update_state(GTK_ACCESSIBLE(part->gobj()), GTK_ACCESSIBLE_STATE_HIDDEN, TRUE, -1);
  tips_.emplace_back(titleLabel, bodyLabel);
  return *block;
}

void TipsPanel::focusClose() {
  close_->grab_focus();
  // A panel that opens with focus on its button shows where the focus is.
  if (auto* window = dynamic_cast<Gtk::Window*>(get_root())) window->set_focus_visible(true);
}

}  // namespace vesk::ui

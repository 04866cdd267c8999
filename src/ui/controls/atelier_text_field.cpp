#include "ui/controls/atelier_text_field.h"

#include "core/style/control_stylesheet.h"
#include "core/style/shared_control_recipe.h"
#include "ui/base/natural_height_bin.h"
#include "ui/controls/accessible_label.h"
#include "ui/style/vesk_typography.h"

#include <gtkmm/overlay.h>
#include <gtkmm/scrolledwindow.h>
#include <gtkmm/text.h>
#include <gtkmm/textview.h>

namespace vesk::ui {

namespace {

// One line of the field's font, measured with the widget's own font machinery.
int measureLineHeight(Gtk::Widget& widget) {
  auto layout = widget.create_pango_layout("Ag");
  const auto font = VeskTypography::body(TextFieldRecipe::fieldSize);
  layout->set_font_description(font);
  int width = 0, height = 0;
  layout->get_pixel_size(width, height);
  return height;
}

}  // namespace

AtelierTextField::AtelierTextField(const Glib::ustring& label, const Glib::ustring& prompt, Gtk::Orientation axis,
                                   bool enabled)
    : Gtk::Box(Gtk::Orientation::VERTICAL, static_cast<int>(TextFieldRecipe::spacing)),
      axis_(axis),
      caption_(Gtk::make_managed<Gtk::Label>(label)),
      frame_(Gtk::make_managed<Gtk::Box>()) {
  add_css_class(ControlClasses::textField);
  caption_->add_css_class(ControlClasses::textFieldCaption);
  caption_->set_xalign(0);
  append(*caption_);
  frame_->add_css_class(ControlClasses::textFieldFrame);
  append(*frame_);
  if (axis == Gtk::Orientation::HORIZONTAL) {
    buildSingleLine(prompt);
  } else {
    buildGrowing(prompt);
  }
  setAccessibleLabel(editable(), label);
  set_enabled(enabled);
}

void AtelierTextField::buildSingleLine(const Glib::ustring& prompt) {
  line_ = Gtk::make_managed<Gtk::Text>();
  line_->set_placeholder_text(prompt);
  line_->set_hexpand(true);
  line_->signal_changed().connect([this] { changed_.emit(); });
  lineHeight_ = measureLineHeight(*line_);
  frame_->append(*line_);
}

void AtelierTextField::buildGrowing(const Glib::ustring& prompt) {
  lines_ = Gtk::make_managed<Gtk::TextView>();
  lines_->set_wrap_mode(Gtk::WrapMode::WORD_CHAR);
  lines_->set_accepts_tab(false);
  lines_->set_hexpand(true);
  lineHeight_ = measureLineHeight(*lines_);

  auto* scroller = Gtk::make_managed<Gtk::ScrolledWindow>();
  scroller->set_policy(Gtk::PolicyType::NEVER, Gtk::PolicyType::AUTOMATIC);
  scroller->set_has_frame(false);
  scroller->set_propagate_natural_height(true);
  scroller->set_min_content_height(TextFieldRecipe::minimumLines * lineHeight_);
  scroller->set_max_content_height(TextFieldRecipe::maximumLines * lineHeight_);
  scroller->set_child(*lines_);

  promptLabel_ = Gtk::make_managed<Gtk::Label>(prompt);
  promptLabel_->add_css_class(ControlClasses::textFieldPrompt);
  promptLabel_->set_xalign(0);
  promptLabel_->set_halign(Gtk::Align::FILL);
  promptLabel_->set_valign(Gtk::Align::START);
  promptLabel_->set_can_target(false);
  promptLabel_->set_wrap(true);
  promptLabel_->property_accessible_role() = Gtk::Accessible::Role::PRESENTATION;

  auto* overlay = Gtk::make_managed<Gtk::Overlay>();
  overlay->set_hexpand(true);
  overlay->set_child(*Gtk::make_managed<NaturalHeightBin>(*scroller));
  overlay->add_overlay(*promptLabel_);
  lines_->get_buffer()->signal_changed().connect([this] {
    promptLabel_->set_visible(lines_->get_buffer()->get_char_count() == 0);
    changed_.emit();
  });
  frame_->append(*overlay);
}

Glib::ustring AtelierTextField::text() const { return line_ ? line_->get_text() : lines_->get_buffer()->get_text(); }

void AtelierTextField::set_text(const Glib::ustring& text) {
  if (line_) {
    line_->set_text(text);
  } else {
    lines_->get_buffer()->set_text(text);
  }
}

bool AtelierTextField::focused() const {
  return (frame_->get_state_flags() & Gtk::StateFlags::FOCUS_WITHIN) == Gtk::StateFlags::FOCUS_WITHIN;
}

Gtk::Widget& AtelierTextField::editable() {
  if (line_) return *line_;
  return *lines_;
}

}  // namespace vesk::ui

#include "ui/report/discussion_box.h"

#include "core/report/report_panel_model.h"
#include "core/style/report_stylesheet.h"
#include "ui/report/report_widgets.h"
#include "ui/style/vesk_typography.h"

#include <glibmm/main.h>
#include <gtkmm/overlay.h>
#include <gtkmm/scrolledwindow.h>

namespace vesk::ui {

DiscussionBox::DiscussionBox(std::function<void()> onChanged)
    : Gtk::Box(Gtk::Orientation::VERTICAL, 12), onChanged_(std::move(onChanged)) {
  heading_ = &report::displayTitle("", 24);
  append(*heading_);

  field_ = Gtk::make_managed<Gtk::TextView>();
  field_->set_wrap_mode(Gtk::WrapMode::WORD_CHAR);
  field_->set_accepts_tab(false);
  auto* scroller = Gtk::make_managed<Gtk::ScrolledWindow>();
  scroller->set_policy(Gtk::PolicyType::NEVER, Gtk::PolicyType::AUTOMATIC);
  scroller->set_min_content_height(2 * lineHeight);
  scroller->set_max_content_height(5 * lineHeight);
  scroller->set_propagate_natural_height(true);
  scroller->set_child(*field_);
  placeholder_ = &report::textLabel("", ReportClasses::discussionPlaceholder);
  placeholder_->set_valign(Gtk::Align::START);
  placeholder_->set_can_target(false);
  auto* overlay = Gtk::make_managed<Gtk::Overlay>();
  overlay->set_child(*scroller);
  overlay->add_overlay(*placeholder_);
  overlay->add_css_class(ReportClasses::discussionFrame);
  append(*overlay);

  auto* counterRow = Gtk::make_managed<Gtk::Box>(Gtk::Orientation::HORIZONTAL, 8);
  counter_ = Gtk::make_managed<Gtk::Label>();
  auto* hint = Gtk::make_managed<Gtk::Label>("Ctrl+Return to send");
  for (auto* label : {counter_, hint}) {
    VeskTypography::apply(*label, VeskTypography::body(13));
    label->add_css_class(ReportClasses::mutedText);
  }
  counterRow->append(*counter_);
  counterRow->append(report::flexibleSpace());
  counterRow->append(*hint);
  append(*counterRow);

  field_->get_buffer()->signal_changed().connect(sigc::mem_fun(*this, &DiscussionBox::edited));
}

std::string DiscussionBox::text() const { return field_->get_buffer()->get_text(true); }

DiscussionBox::~DiscussionBox() { cut_.disconnect(); }

void DiscussionBox::setText(const std::string& text) { field_->get_buffer()->set_text(boundedInstruction(text)); }

void DiscussionBox::setStrings(const std::string& heading, const std::string& placeholder) {
  heading_->set_text(heading);
  placeholder_->set_text(placeholder);
}

void DiscussionBox::setEditable(bool editable) { field_->set_sensitive(editable); }

void DiscussionBox::setCounter(const std::string& counter) { counter_->set_text(counter); }

// An edit past the bound is cut back on the next main-loop turn: changing the buffer
// while it still applies the edit (a paste's user action) would break that edit.
void DiscussionBox::edited() {
  const std::string typed = text();
  if (!cut_.connected() && boundedInstruction(typed) != typed) {
    cut_ = Glib::signal_idle().connect([this] {
      cutToBound();
      return false;
    });
  }
  placeholder_->set_visible(typed.empty());
  if (onChanged_) onChanged_();
}

void DiscussionBox::cutToBound() {
  const std::string typed = text();
  const std::string bounded = boundedInstruction(typed);
  if (bounded == typed) return;
  const auto buffer = field_->get_buffer();
  buffer->erase(buffer->get_iter_at_offset(static_cast<int>(Glib::ustring(bounded).size())), buffer->end());
}

}  // namespace vesk::ui

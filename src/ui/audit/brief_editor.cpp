#include "ui/audit/brief_editor.h"

#include "core/style/composer_stylesheet.h"
#include "ui/controls/accessible_label.h"

namespace vesk::ui {

BriefEditor::BriefEditor(std::shared_ptr<Workspace> workspace)
    : Gtk::Box(Gtk::Orientation::VERTICAL), workspace_(std::move(workspace)) {
  add_css_class(ComposerClasses::editorFrame);
  dress(text_);
  dress(placeholder_);
  text_.get_buffer()->set_text(*workspace_->brief);
  text_.set_editable(!*workspace_->busy);
  text_.set_accepts_tab(false);
  setAccessibleLabel(text_, accessibleLabel);

  // The placeholder has a text system of its own, never connected to the editable text:
  // it only draws, under the first line, and takes neither clicks nor focus. It fills the
  // editor's whole height rather than asking for its own: a text view's height is known
  // only once its lines are laid out, and an overlay sized from an unfinished layout keeps
  // it at no height at all.
  placeholder_.get_buffer()->set_text(placeholderText);
  placeholder_.add_css_class(ComposerClasses::placeholder);
  placeholder_.set_editable(false);
  placeholder_.set_cursor_visible(false);
  placeholder_.set_can_focus(false);
  placeholder_.set_can_target(false);
  placeholder_.set_valign(Gtk::Align::FILL);
  gtk_accessible_update_state(GTK_ACCESSIBLE(placeholder_.gobj()), GTK_ACCESSIBLE_STATE_HIDDEN, TRUE, -1);

  scroller_.add_css_class(ComposerClasses::editor);
  scroller_.set_policy(Gtk::PolicyType::NEVER, Gtk::PolicyType::AUTOMATIC);
  scroller_.set_overlay_scrolling(true);
  scroller_.set_has_frame(false);
  scroller_.set_child(text_);
  scroller_.set_vexpand(true);
  overlay_.set_child(scroller_);
  overlay_.add_overlay(placeholder_);
  overlay_.set_vexpand(true);
  append(overlay_);

  text_.get_buffer()->signal_changed().connect(sigc::mem_fun(*this, &BriefEditor::bufferChanged));
  g_signal_connect(text_.gobj(), "preedit-changed", G_CALLBACK(+[](GtkTextView*, const char* preedit, gpointer self) {
                     static_cast<BriefEditor*>(self)->preeditChanged(preedit ? preedit : "");
                   }),
                   this);
  briefConnection_ = workspace_->brief.signalChanged().connect(sigc::mem_fun(*this, &BriefEditor::briefChanged));
  busyConnection_ = workspace_->busy.signalChanged().connect(sigc::mem_fun(*this, &BriefEditor::busyChanged));
  showPlaceholder();
}

BriefEditor::~BriefEditor() {
  briefConnection_.disconnect();
  busyConnection_.disconnect();
}

// Plain text in the body face at 16 with 6 between lines, no insets, wrapping at the
// visible width.
void BriefEditor::dress(Gtk::TextView& view) {
  view.add_css_class(ComposerClasses::editor);
  view.set_wrap_mode(Gtk::WrapMode::WORD_CHAR);
  view.set_pixels_inside_wrap(ComposerStylesheet::editorLineSpacing);
  view.set_pixels_below_lines(ComposerStylesheet::editorLineSpacing);
  view.set_left_margin(0);
  view.set_right_margin(0);
  view.set_top_margin(0);
  view.set_bottom_margin(0);
  view.set_monospace(false);
}

void BriefEditor::bufferChanged() {
  showPlaceholder();
  if (applying_) return;
  workspace_->brief = text_.get_buffer()->get_text(true).raw();
}

void BriefEditor::briefChanged() {
  if (composing_) return;  // applied when the composition ends
  const auto buffer = text_.get_buffer();
  if (buffer->get_text(true).raw() == *workspace_->brief) return;
  applying_ = true;
  buffer->set_text(*workspace_->brief);
  applying_ = false;
  showPlaceholder();
}

void BriefEditor::preeditChanged(const Glib::ustring& preedit) {
  const bool wasComposing = composing_;
  composing_ = !preedit.empty();
  showPlaceholder();
  if (wasComposing && !composing_) briefChanged();
}

void BriefEditor::busyChanged() { text_.set_editable(!*workspace_->busy); }

// Composed text is not in the buffer yet, so an empty buffer alone does not mean an empty
// editor.
void BriefEditor::showPlaceholder() { placeholder_.set_visible(text_.get_buffer()->size() == 0 && !composing_); }

}  // namespace vesk::ui

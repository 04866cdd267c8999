#pragma once
// A labelled text field: a caption above a rounded field on a light fill, whose border
// turns gold and 2 px wide while the field has keyboard focus. Horizontal: one line.
// Vertical: at least two lines tall, growing with its text to four, then scrolling.
// The prompt shows while the field is empty; the caption is also the name assistive
// technologies read for the field.
#include <gtkmm/box.h>
#include <gtkmm/label.h>
#include <sigc++/signal.h>

namespace Gtk {
class Text;
class TextView;
class ScrolledWindow;
}  // namespace Gtk

namespace vesk::ui {

class AtelierTextField : public Gtk::Box {
 public:
  AtelierTextField(const Glib::ustring& label, const Glib::ustring& prompt, Gtk::Orientation axis, bool enabled = true);

  Glib::ustring text() const;
  void set_text(const Glib::ustring& text);
  // Emitted after every change of the text, typed or set.
  sigc::signal<void()>& signalChanged() { return changed_; }

  bool enabled() const { return frame_->get_sensitive(); }
  void set_enabled(bool enabled) { frame_->set_sensitive(enabled); }
  bool focused() const;

  Gtk::Orientation axis() const { return axis_; }
  // The widget that takes the typing: a single-line text or a multi-line text view.
  Gtk::Widget& editable();
  // The height of one line of the field's text, in px.
  int lineHeight() const { return lineHeight_; }

 private:
  void buildSingleLine(const Glib::ustring& prompt);
  void buildGrowing(const Glib::ustring& prompt);

  Gtk::Orientation axis_;
  // Children are managed, owned by this box.
  Gtk::Label* caption_;
  Gtk::Box* frame_;
  Gtk::Text* line_ = nullptr;          // horizontal
  Gtk::TextView* lines_ = nullptr;     // vertical
  Gtk::Label* promptLabel_ = nullptr;  // vertical
  int lineHeight_ = 0;
  sigc::signal<void()> changed_;
};

}  // namespace vesk::ui

#pragma once
// A labelled one-line field of the account side: the label above a rounded field on a
// light fill, whose placeholder is the label too; its rim turns ink and 1.5 px wide while
// the field has the keyboard focus. With `autofocus` it takes the focus whenever shown.
// The text belongs to the caller, who follows signalChanged() and may write it back.
#include <gtkmm/box.h>
#include <gtkmm/label.h>
#include <gtkmm/text.h>

namespace vesk::ui {

class AccountField : public Gtk::Box {
 public:
  AccountField(const Glib::ustring& label, bool autofocus);

  Glib::ustring text() const { return entry_->get_text(); }
  // Shows `text` unless the field already does (so the caret stays where it is).
  void setText(const Glib::ustring& text);
  // Emitted after every change of the text by the user or setText().
  sigc::signal<void()>& signalChanged() { return changed_; }

  bool enabled() const { return frame_->get_sensitive(); }
  void setEnabled(bool enabled) { frame_->set_sensitive(enabled); }
  bool focused() const;

  Gtk::Label& caption() { return *caption_; }
  Gtk::Box& frame() { return *frame_; }
  Gtk::Text& entry() { return *entry_; }

 private:
  // Managed, owned by the field.
  Gtk::Label* caption_;
  Gtk::Box* frame_;
  Gtk::Text* entry_;
  sigc::signal<void()> changed_;
};

}  // namespace vesk::ui

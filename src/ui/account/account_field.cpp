#include "ui/account/account_field.h"

#include "core/style/account_stylesheet.h"
#include "core/style/atelier.h"
#include "ui/account/account_text.h"
#include "ui/controls/accessible_label.h"
#include "ui/style/vesk_typography.h"

#include <glibmm/main.h>

namespace vesk::ui {

AccountField::AccountField(const Glib::ustring& label, bool autofocus)
    : Gtk::Box(Gtk::Orientation::VERTICAL, 8),
      caption_(
          accountLabel(label, AccountTextStyle{VeskTypography::body(15, FontWeight::medium), Atelier::secondaryInk})),
      frame_(Gtk::make_managed<Gtk::Box>()),
      entry_(Gtk::make_managed<Gtk::Text>()) {
  append(*caption_);
  frame_->add_css_class(AccountClasses::fieldFrame);
  entry_->set_placeholder_text(label);
  entry_->set_hexpand(true);
  setAccessibleLabel(*entry_, label);
  entry_->signal_changed().connect([this] { changed_.emit(); });
  frame_->append(*entry_);
  append(*frame_);
  if (autofocus) {
    // After whatever showed it has placed the focus (a sheet focuses its first control,
    // and moving on from a focused field would skip it). Without selecting: on a busy
    // machine the user may have typed by then, and the next key would replace it all.
    entry_->signal_map().connect([this] {
      Glib::signal_idle().connect_once(sigc::track_object(
          [this] {
            if (!entry_->has_focus()) entry_->grab_focus_without_selecting();
          },
          *this));
    });
  }
}

void AccountField::setText(const Glib::ustring& text) {
  if (entry_->get_text() != text) entry_->set_text(text);
}

bool AccountField::focused() const {
  return (frame_->get_state_flags() & Gtk::StateFlags::FOCUS_WITHIN) == Gtk::StateFlags::FOCUS_WITHIN;
}

}  // namespace vesk::ui

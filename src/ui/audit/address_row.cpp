#include "ui/audit/address_row.h"

#include "core/style/composer_stylesheet.h"
#include "ui/controls/accessible_label.h"
#include "ui/controls/vesk_glyph.h"

#include <glibmm/main.h>
#include <gtkmm/eventcontrollerkey.h>

namespace vesk::ui {

AddressRow::AddressRow(RootViewState& root, ComposerActions& actions)
    : Gtk::Box(Gtk::Orientation::HORIZONTAL, 8), root_(root) {
  add_css_class(ComposerClasses::addressRow);
  field_.add_css_class(ComposerClasses::addressField);
  field_.set_placeholder_text("Paste a URL Vesk should look at");
  field_.set_hexpand(true);
  field_.set_text(*root_.urlDraft);
  setAccessibleLabel(field_, "URL to attach");
  field_.signal_changed().connect([this] { root_.urlDraft = field_.get_text().raw(); });
  field_.signal_activate().connect([&actions] { actions.addComposerURL(); });
  auto keys = Gtk::EventControllerKey::create();
  keys->signal_key_pressed().connect(
      [this](guint key, guint, Gdk::ModifierType) {
        if (key != GDK_KEY_Escape) return false;
        root_.hideURLFieldKeepingDraft();
        return true;
      },
      false);
  field_.add_controller(keys);
  append(field_);

  add_.add_css_class(ComposerClasses::plainButton);
  add_.signal_clicked().connect([&actions] { actions.addComposerURL(); });
  append(add_);

  cancel_.add_css_class(ComposerClasses::plainButton);
  cancel_.set_child(*Gtk::make_managed<VeskGlyph>(VeskGlyph::Kind::close, 14));
  setAccessibleLabel(cancel_, "Cancel URL");
  cancel_.set_tooltip_text("Cancel URL");
  cancel_.signal_clicked().connect([this] {
    root_.showingURLField = false;
    root_.urlDraft = "";
  });
  append(cancel_);

  draftConnection_ = root_.urlDraft.signalChanged().connect(sigc::mem_fun(*this, &AddressRow::draftChanged));
}

AddressRow::~AddressRow() {
  draftConnection_.disconnect();
  focusRequest_.disconnect();
}

void AddressRow::show(bool busy, bool canAdd) {
  busy_ = busy;
  set_sensitive(!busy);
  add_.set_sensitive(!busy && canAdd);
}

void AddressRow::focusSoon() {
  focusRequest_.disconnect();
  focusRequest_ = Glib::signal_idle().connect([this] {
    if (get_mapped()) field_.grab_focus();
    return false;
  });
}

void AddressRow::draftChanged() {
  if (field_.get_text().raw() != *root_.urlDraft) field_.set_text(*root_.urlDraft);
}

}  // namespace vesk::ui

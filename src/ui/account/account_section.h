#pragma once
// The pieces that give the account side one look: the spaced-out capitalised label above
// a section, the section with its large italic headline, optional standfirst and content,
// and the hairline between sections.
#include "core/style/rgba.h"

#include <gtkmm/box.h>
#include <gtkmm/label.h>

#include <optional>

namespace vesk::ui {

// `text` in capitals, body 13 medium, tracked 1.8.
class AccountEyebrow : public Gtk::Label {
 public:
  AccountEyebrow(const Glib::ustring& text, const Rgba& colour);
};

// Eyebrow, headline (display 34 italic), the standfirst when given, then the content 32
// lower; 48 of space below the whole section. The elements of the content are appended
// to content() one under the other.
class AccountSection : public Gtk::Box {
 public:
  AccountSection(const Glib::ustring& eyebrow, const Glib::ustring& headline,
                 std::optional<Glib::ustring> standfirst = std::nullopt, std::optional<Rgba> accent = std::nullopt);

  AccountEyebrow& eyebrow() { return *eyebrow_; }
  Gtk::Label& headline() { return *headline_; }
  // Nullptr when the section was made without one.
  Gtk::Label* standfirst() { return standfirst_; }
  Gtk::Box& content() { return *content_; }

 private:
  // Managed, owned by the section.
  AccountEyebrow* eyebrow_;
  Gtk::Label* headline_;
  Gtk::Label* standfirst_ = nullptr;
  Gtk::Box* content_;
};

// A 1 px line in the border colour across the column, and 48 of space below it.
class AccountSectionDivider : public Gtk::Box {
 public:
  AccountSectionDivider();
};

}  // namespace vesk::ui

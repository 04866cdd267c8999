#pragma once
// Small builders the library screen and the project editor share: labels in a font and
// colour, pill buttons and choice chips. Every widget comes back managed.
#include "core/style/typeface.h"
#include "core/style/vesk_button_role.h"
#include "ui/controls/vesk_choice_pill_style.h"

#include <gtkmm/button.h>
#include <gtkmm/label.h>
#include <pangomm/fontdescription.h>

#include <functional>
#include <string_view>

namespace vesk::ui {

// A plain-text label, leading-aligned, in `font`, optionally in a colour class.
Gtk::Label* libraryLabel(std::string_view text, const Pango::FontDescription& font, const char* colourClass = nullptr);
// The same, wrapping at the width it is given.
Gtk::Label* wrappingLabel(std::string_view text, const Pango::FontDescription& font, const char* colourClass = nullptr);
Gtk::Button* pillButton(std::string_view title, VeskButtonRole role, PillSize size, std::function<void()> action);
Gtk::Button* choiceChip(std::string_view title, bool selected, VeskChoicePillTreatment treatment,
                        std::function<void()> action);
// A button drawn as its content alone.
Gtk::Button* plainButton(Gtk::Widget& content, std::function<void()> action);
// An empty box that takes the free room of a row.
Gtk::Widget* flexibleSpace();

}  // namespace vesk::ui

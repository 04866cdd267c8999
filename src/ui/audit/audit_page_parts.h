#pragma once
// The pieces the discovery, review and progress screens are built from: wrapping texts
// in the page's type styles, the small spinner, the footer's text buttons and the run
// pill's Ctrl+Return. Texts are always set as plain text, never as markup.
#include "core/style/typeface.h"
#include "core/style/vesk_button_role.h"

#include <gtkmm/button.h>
#include <gtkmm/label.h>
#include <gtkmm/spinner.h>
#include <pangomm/fontdescription.h>

#include <functional>

namespace vesk::ui {

// A leading-aligned label that wraps onto as many lines as it needs; `lineSpacing` adds
// that much room between its lines. Managed.
Gtk::Label& wrappingText(const Glib::ustring& text, const Pango::FontDescription& font,
                         const char* colourClass = nullptr, double lineSpacing = 0);
// Display 48 italic: a screen's title.
Gtk::Label& pageHeading(const Glib::ustring& text);
// Body 16 in the secondary ink, lines 6 apart.
Gtk::Label& pageParagraph(const Glib::ustring& text);
// Body 13 medium, upper case as given, tracked by 2, muted.
Gtk::Label& pageEyebrow(const Glib::ustring& text);
// Sets a label's text keeping its type style (attributes).
void setPlainText(Gtk::Label& label, const Glib::ustring& text);

// The small indeterminate spinner, in red where asked. Managed and spinning.
Gtk::Spinner& smallSpinner(bool red = false);

// A text pill of the footer, not compact. Managed.
Gtk::Button& textPill(const Glib::ustring& title, VeskButtonRole role, std::function<void()> action);
// The secondary back pill: a left chevron before the title. Managed.
Gtk::Button& backPill(const Glib::ustring& title, std::function<void()> action);

// Ctrl+Return anywhere in the window while `page` is shown calls `run`; the caller's
// `run` checks that its button is enabled.
void addRunShortcut(Gtk::Widget& page, std::function<void()> run);

}  // namespace vesk::ui

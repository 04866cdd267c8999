#pragma once
// The few building blocks every report sheet and panel is made of: wrapped plain-text
// labels (service and user text is never markup), display titles and pill buttons.
#include "core/style/vesk_button_role.h"
#include "ui/controls/vesk_pill_style.h"

#include <gtkmm/box.h>
#include <gtkmm/button.h>
#include <gtkmm/label.h>

#include <functional>
#include <optional>
#include <string>

namespace vesk::ui::report {

// A managed label of plain text, aligned leading, wrapping within the width its parent
// gives it (its natural width does not widen a fixed-width sheet).
Gtk::Label& textLabel(const std::string& text, const char* cssClass = nullptr);
// A managed title in the display face, regular weight, italic.
Gtk::Label& displayTitle(const std::string& text, double size);
// A managed pill button of `role`.
Gtk::Button& pill(const std::string& label, VeskButtonRole role, PillSize size, std::function<void()> action);
// A managed box that takes all the free width of a row.
Gtk::Box& flexibleSpace();
// Shows `text` in `label`, hiding the label when there is none.
void showOptional(Gtk::Label& label, const std::optional<std::string>& text);

}  // namespace vesk::ui::report

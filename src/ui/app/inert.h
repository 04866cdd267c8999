#pragma once
// A part of the window that a modal layer covers: it takes no pointer events, no
// keyboard focus can enter it and assistive technologies skip it.
#include <gtkmm/widget.h>

namespace vesk::ui {

enum class Interaction { live, inert };

void setInteraction(Gtk::Widget& widget, Interaction interaction);
bool isInert(const Gtk::Widget& widget);

// Whether `widget` is `ancestor` or lies inside it.
bool isWithin(const Gtk::Widget* widget, const Gtk::Widget& ancestor);

}  // namespace vesk::ui

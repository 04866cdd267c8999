#pragma once
// Renders a widget as it is drawn on screen into an image, with GTK's software
// renderer so the result does not depend on the graphics driver. The style gallery
// saves its look this way and the tests read pixels from it.
#include <gdkmm/texture.h>
#include <gtkmm/widget.h>

#include <string>

namespace vesk::ui {

// The widget must be shown and laid out; it is drawn as it looks now, even if the last
// frame drew it differently. Returns null when it has no size or nothing could be
// rendered.
Glib::RefPtr<Gdk::Texture> renderWidget(Gtk::Widget& widget);

// Renders the widget and writes a PNG; false when rendering or writing failed.
bool saveWidgetPng(Gtk::Widget& widget, const std::string& path);

}  // namespace vesk::ui

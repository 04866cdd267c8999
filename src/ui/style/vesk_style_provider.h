#pragma once
// The generated stylesheet as a GTK style provider for the whole display.
#include <gdkmm/display.h>
#include <gtkmm/cssprovider.h>

#include <string>
#include <vector>

namespace vesk::ui {

struct VeskStyleProvider {
  VeskStyleProvider() = delete;

  struct Loaded {
    Glib::RefPtr<Gtk::CssProvider> provider;
    std::vector<std::string> errors;  // one line per parsing error; empty when clean
  };

  // Parses the generated stylesheet into a new provider.
  static Loaded load();
  // Loads it and adds it to every widget on `display`; parsing errors are logged.
  static void install(const Glib::RefPtr<Gdk::Display>& display);
};

}  // namespace vesk::ui

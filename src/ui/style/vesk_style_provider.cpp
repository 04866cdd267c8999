#include "ui/style/vesk_style_provider.h"

#include "core/style/vesk_stylesheet.h"

#include <gtkmm/csssection.h>
#include <gtkmm/stylecontext.h>

namespace vesk::ui {

VeskStyleProvider::Loaded VeskStyleProvider::load() {
  Loaded loaded{Gtk::CssProvider::create(), {}};
  loaded.provider->signal_parsing_error().connect(
      [&errors = loaded.errors](const Glib::RefPtr<const Gtk::CssSection>& section, const Glib::Error& error) {
        errors.push_back((section ? std::string(section->to_string()) + ": " : std::string()) + error.what());
      });
  loaded.provider->load_from_data(VeskStylesheet::text());
  return loaded;
}

void VeskStyleProvider::install(const Glib::RefPtr<Gdk::Display>& display) {
  const Loaded loaded = load();
  for (const auto& error : loaded.errors) g_warning("Vesk stylesheet: %s", error.c_str());
  Gtk::StyleContext::add_provider_for_display(display, loaded.provider, GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
}

}  // namespace vesk::ui

#include "ui/style/vesk_typography.h"

#include <fontconfig/fontconfig.h>
#include <gtkmm/label.h>
#include <gtkmm/settings.h>
#include <pango/pangocairo.h>
#include <pango/pangofc-fontmap.h>
#include <pangomm/attrlist.h>

#include <cmath>
#include <mutex>
#include <string>

namespace vesk::ui {

namespace fs = std::filesystem;

namespace {

struct Registration {
  std::vector<fs::path> files;
  FcConfig* config = nullptr;  // the fontconfig configuration the files were added to
  bool done = false;
};

Registration& registration() {
  static Registration state;
  return state;
}

// Pango caches the font list; tell it the configuration has new fonts.
void refreshPangoFonts() {
  PangoFontMap* map = pango_cairo_font_map_get_default();
  if (PANGO_IS_FC_FONT_MAP(map)) pango_fc_font_map_config_changed(PANGO_FC_FONT_MAP(map));
}

// When the desktop's fonts change GTK rebuilds fontconfig's configuration, which drops
// application fonts; add ours again to the new one.
void followFontconfigReloads() {
  const auto settings = Gtk::Settings::get_default();
  if (!settings) return;
  settings->property_gtk_fontconfig_timestamp().signal_changed().connect([] {
    auto& state = registration();
    if (state.files.empty() || FcConfigGetCurrent() == state.config) return;
    state.config = FcConfigGetCurrent();
    for (const auto& file : state.files)
      FcConfigAppFontAddFile(state.config, reinterpret_cast<const FcChar8*>(file.c_str()));
    refreshPangoFonts();
  });
}

std::string weightVariation(double weight) { return "wght=" + std::to_string(static_cast<int>(std::lround(weight))); }

}  // namespace

std::vector<fs::path> VeskTypography::addFontFiles(const ResourceBundle& bundle) {
  std::vector<fs::path> added;
  FcConfig* config = FcConfigGetCurrent();
  for (const auto name : bundledFontFiles) {
    const std::string relative =
        std::string(bundledFontFolder) + "/" + std::string(name) + std::string(bundledFontExtension);
    const auto file = bundle.file(relative);
    if (!file) continue;
    if (FcConfigAppFontAddFile(config, reinterpret_cast<const FcChar8*>(file->c_str()))) added.push_back(*file);
  }
  if (!added.empty()) refreshPangoFonts();
  return added;
}

const std::vector<fs::path>& VeskTypography::registerFonts(const std::optional<ResourceBundle>& bundle) {
  static std::once_flag once;
  std::call_once(once, [&] {
    auto& state = registration();
    if (bundle) state.files = addFontFiles(*bundle);
    state.config = FcConfigGetCurrent();
    state.done = true;
    followFontconfigReloads();
  });
  return registration().files;
}

bool VeskTypography::registered() { return registration().done; }

Pango::FontDescription VeskTypography::font(const Typeface& typeface, double size, FontWeight weight, bool italic) {
  const double axis = typeface.axisWeight(weight);
  Pango::FontDescription description;
  description.set_family(std::string(typeface.family));
  description.set_style(italic ? Pango::Style::ITALIC : Pango::Style::NORMAL);
  description.set_weight(static_cast<Pango::Weight>(static_cast<int>(std::lround(axis))));
  description.set_variations(weightVariation(axis));
  description.set_absolute_size(size * PANGO_SCALE);
  return description;
}

Pango::FontDescription VeskTypography::body(double size, FontWeight weight, bool italic) {
  return font(Typeface::body, size, weight, italic);
}

Pango::FontDescription VeskTypography::display(double size, FontWeight weight, bool italic) {
  return font(Typeface::display, size, weight, italic);
}

void VeskTypography::apply(Gtk::Label& label, const Pango::FontDescription& font) {
  Pango::AttrList attributes;
  auto attribute = Pango::Attribute::create_attr_font_desc(font);
  attributes.insert(attribute);
  label.set_attributes(attributes);
}

}  // namespace vesk::ui

#pragma once
// The bundled fonts: registered with fontconfig for this process once, at start-up,
// before the first widget is built, and handed out as Pango font descriptions that set
// the weight axis of the variable faces.
#include "core/style/resource_bundle.h"
#include "core/style/typeface.h"

#include <pangomm/fontdescription.h>

#include <filesystem>
#include <optional>
#include <vector>

namespace Gtk {
class Label;
}

namespace vesk::ui {

class VeskTypography {
 public:
  VeskTypography() = delete;

  // Registers the bundle's font files the first time it is called and returns what
  // that first call registered; later calls change nothing. A missing bundle or file
  // is skipped without a message: text then falls back to the system's fonts.
  static const std::vector<std::filesystem::path>& registerFonts(const std::optional<ResourceBundle>& bundle);

  // Whether registerFonts has run.
  static bool registered();

  // Adds the bundle's font files that exist to fontconfig's application fonts, in the
  // bundled order, and returns those it added. Not once-only: the start-up
  // registration goes through registerFonts.
  static std::vector<std::filesystem::path> addFontFiles(const ResourceBundle& bundle);

  // Body text (DM Sans), at `size` px, weight clamped to 100...1000.
  static Pango::FontDescription body(double size, FontWeight weight = FontWeight::regular, bool italic = false);
  // Display headings (Cormorant Garamond), weight clamped to 300...700.
  static Pango::FontDescription display(double size, FontWeight weight = FontWeight::regular, bool italic = false);
  // A description for `typeface` as body() and display() build it.
  static Pango::FontDescription font(const Typeface& typeface, double size, FontWeight weight, bool italic);

  // Sets a label's whole text in `font`.
  static void apply(Gtk::Label& label, const Pango::FontDescription& font);
};

}  // namespace vesk::ui

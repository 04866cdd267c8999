#pragma once
// Every token, font style, glass role, sheet surface, veil, scroll edge, button style,
// glyph and shared control laid out on one page, to check the styles by eye and,
// through the named samples, by pixel.
#include "core/style/choice_pill_recipe.h"
#include "core/style/glass_recipe.h"
#include "core/style/vesk_button_role.h"
#include "core/style/vesk_glyph_shape.h"

#include <gtkmm/box.h>
#include <gtkmm/button.h>
#include <gtkmm/cssprovider.h>
#include <gtkmm/label.h>

#include <map>
#include <string>
#include <string_view>
#include <tuple>
#include <utility>

namespace vesk::ui {

class VeskGlassSurface;
class VeskSheetSurface;
class VeskScrollVeil;
class VeskScrollEdges;
class StripedBackdrop;
class VeskGlyph;

class StyleGallery : public Gtk::Box {
 public:
  // The accessibility settings a glass sample is drawn with.
  enum class GlassVariant { standard, reduceTransparency, increaseContrast };

  // The looks a control is shown in; hover, press and focus are forced, and a disabled
  // sample is also given keyboard focus to show that it draws no ring.
  enum class ControlState { rest, hovered, pressed, focused, disabled };

  StyleGallery();
  ~StyleGallery() override;

  VeskGlassSurface& glassSample(VeskGlassRole role, GlassVariant variant);
  StripedBackdrop& glassBackdrop() { return *glassBackdrop_; }
  Gtk::Widget& shadowSample() { return *shadowSample_; }
  VeskSheetSurface& sheetSample() { return *sheetSample_; }
  Gtk::Label& sheetProbe() { return *sheetProbe_; }
  VeskScrollEdges& scrolledEdges() { return *scrolledEdges_; }

  Gtk::Button& pillSample(VeskButtonRole role, PillSize size, ControlState state, bool insidePopup);
  // The grid of pills on the window's canvas, and the sheet holding the popup grid.
  Gtk::Widget& pillSection(bool insidePopup) { return *pillSections_.at(insidePopup); }
  Gtk::Button& choiceSample(VeskChoicePillTreatment treatment, bool selected, bool dimmed);
  // Sizes 0 and 1 (21 and 42 px), colours 0 and 1 (ink and red).
  VeskGlyph& glyphSample(VeskGlyphKind kind, int size, int colour);
  // The 20 px picture of a symbol of the symbol table.
  Gtk::Widget& symbolSample(std::string_view symbol);

 private:
  void addTokens();
  void addTypography();
  void addGlass();
  void addShadowAndSheet();
  void addVeils();
  void addScrollEdges();
  void addEnvironment();
  void addPills();
  Gtk::Widget& pillGrid(bool insidePopup);
  void addChoicePills();
  void addGlyphs();
  void addSymbols();
  void addSharedControls();
  void addCanvasAndCheckboxes();
  void addTextFields();
  void addFooter();
  void addChoiceLayout();
  void addAccountKit();

  struct PillKey {
    VeskButtonRole role;
    PillSize size;
    ControlState state;
    bool insidePopup;
    auto operator<=>(const PillKey&) const = default;
  };

  std::map<std::pair<VeskGlassRole, GlassVariant>, VeskGlassSurface*> glassSamples_;
  StripedBackdrop* glassBackdrop_ = nullptr;
  Gtk::Widget* shadowSample_ = nullptr;
  VeskSheetSurface* sheetSample_ = nullptr;
  Gtk::Label* sheetProbe_ = nullptr;
  VeskScrollEdges* scrolledEdges_ = nullptr;
  std::map<PillKey, Gtk::Button*> pillSamples_;
  std::map<bool, Gtk::Widget*> pillSections_;
  std::map<std::tuple<VeskChoicePillTreatment, bool, bool>, Gtk::Button*> choiceSamples_;
  std::map<std::tuple<VeskGlyphKind, int, int>, VeskGlyph*> glyphSamples_;
  std::map<std::string, Gtk::Widget*> symbolSamples_;
  Glib::RefPtr<Gtk::CssProvider> galleryColours_;  // the red glyph samples
  Glib::RefPtr<Gdk::Display> display_;             // where galleryColours_ is installed
};

}  // namespace vesk::ui

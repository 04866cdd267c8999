#pragma once
// Every token, font style, glass role, sheet surface, veil and scroll edge laid out on
// one page, to check the styles by eye and, through the named samples, by pixel.
#include "core/style/glass_recipe.h"

#include <gtkmm/box.h>
#include <gtkmm/label.h>

#include <map>
#include <utility>

namespace vesk::ui {

class VeskGlassSurface;
class VeskSheetSurface;
class VeskScrollVeil;
class VeskScrollEdges;
class StripedBackdrop;

class StyleGallery : public Gtk::Box {
 public:
  // The accessibility settings a glass sample is drawn with.
  enum class GlassVariant { standard, reduceTransparency, increaseContrast };

  StyleGallery();

  VeskGlassSurface& glassSample(VeskGlassRole role, GlassVariant variant);
  StripedBackdrop& glassBackdrop() { return *glassBackdrop_; }
  Gtk::Widget& shadowSample() { return *shadowSample_; }
  VeskSheetSurface& sheetSample() { return *sheetSample_; }
  Gtk::Label& sheetProbe() { return *sheetProbe_; }
  VeskScrollEdges& scrolledEdges() { return *scrolledEdges_; }

 private:
  void addTokens();
  void addTypography();
  void addGlass();
  void addShadowAndSheet();
  void addVeils();
  void addScrollEdges();
  void addEnvironment();

  std::map<std::pair<VeskGlassRole, GlassVariant>, VeskGlassSurface*> glassSamples_;
  StripedBackdrop* glassBackdrop_ = nullptr;
  Gtk::Widget* shadowSample_ = nullptr;
  VeskSheetSurface* sheetSample_ = nullptr;
  Gtk::Label* sheetProbe_ = nullptr;
  VeskScrollEdges* scrolledEdges_ = nullptr;
};

}  // namespace vesk::ui

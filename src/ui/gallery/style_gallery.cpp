#include "ui/gallery/style_gallery.h"

#include "core/style/atelier.h"
#include "core/style/vesk_stylesheet.h"
#include "core/style/vesk_web_tokens.h"
#include "ui/gallery/gallery_samples.h"
#include "ui/gallery/gallery_text.h"
#include "ui/style/accessibility_settings.h"
#include "ui/style/vesk_environment.h"
#include "ui/style/vesk_glass_surface.h"
#include "ui/style/vesk_scroll_edges.h"
#include "ui/style/vesk_scroll_veil.h"
#include "ui/style/vesk_sheet_surface.h"
#include "ui/style/vesk_typography.h"

#include <gtkmm/adjustment.h>
#include <gtkmm/grid.h>
#include <gtkmm/overlay.h>
#include <gtkmm/scrolledwindow.h>
#include <gtkmm/stylecontext.h>

#include <cmath>
#include <cstdio>
#include <string>

namespace vesk::ui {

namespace {

using gallery::box;
using gallery::caption;
using gallery::heading;
using gallery::label;

std::string describe(const Rgba& colour) {
  char text[48];
  std::snprintf(text, sizeof text, "#%02X%02X%02X", static_cast<int>(std::lround(colour.red * 255)),
                static_cast<int>(std::lround(colour.green * 255)), static_cast<int>(std::lround(colour.blue * 255)));
  std::string result = text;
  if (colour.alpha < 1) {
    std::snprintf(text, sizeof text, " \u00B7 %.2f", colour.alpha);
    result += text;
  }
  return result;
}

Gtk::Widget& swatchCell(const std::string& name, std::vector<Rgba> colours) {
  auto& cell = box(Gtk::Orientation::VERTICAL, 3);
  std::string values;
  for (const auto& colour : colours) values += (values.empty() ? "" : ", ") + describe(colour);
  cell.append(*Gtk::make_managed<GallerySwatch>(std::move(colours), 190, 40));
  cell.append(label(name, VeskTypography::body(13, FontWeight::semibold)));
  auto& value = caption(values);
  value.set_wrap(true);
  value.set_max_width_chars(28);
  cell.append(value);
  return cell;
}

const char* weightName(FontWeight weight) {
  switch (weight) {
    case FontWeight::ultraLight: return "ultraLight";
    case FontWeight::thin: return "thin";
    case FontWeight::light: return "light";
    case FontWeight::regular: return "regular";
    case FontWeight::medium: return "medium";
    case FontWeight::semibold: return "semibold";
    case FontWeight::bold: return "bold";
    case FontWeight::heavy: return "heavy";
    case FontWeight::black: return "black";
  }
  return "";
}

constexpr FontWeight allWeights[] = {FontWeight::ultraLight, FontWeight::thin,   FontWeight::light,
                                     FontWeight::regular,    FontWeight::medium, FontWeight::semibold,
                                     FontWeight::bold,       FontWeight::heavy,  FontWeight::black};

const char* roleName(VeskGlassRole role) {
  switch (role) {
    case VeskGlassRole::sidebar: return "sidebar";
    case VeskGlassRole::composer: return "composer";
    case VeskGlassRole::panel: return "panel";
    case VeskGlassRole::toolbar: return "toolbar";
  }
  return "";
}

std::string onOff(bool value) { return value ? "on" : "off"; }

}  // namespace

StyleGallery::StyleGallery() : Gtk::Box(Gtk::Orientation::VERTICAL, 28) {
  add_css_class(VeskStylesheet::canvasClass);
  auto& title = label("Vesk styles", VeskTypography::display(52, FontWeight::light));
  title.set_margin_top(36);
  append(title);
  const auto& desktop = AccessibilitySettings::shared().state();
  append(caption("Desktop settings: Reduce Motion " + onOff(desktop.reduceMotion) + " \u00B7 Increase Contrast " +
                 onOff(desktop.increaseContrast) + " \u00B7 Reduce Transparency " + onOff(desktop.reduceTransparency)));
  addTokens();
  addTypography();
  addGlass();
  addShadowAndSheet();
  addVeils();
  addScrollEdges();
  addEnvironment();
  addPills();
  addChoicePills();
  addGlyphs();
  addSymbols();
  addSharedControls();
  addChoiceLayout();
  addAccountKit();
  for (auto* child = get_first_child(); child; child = child->get_next_sibling()) {
    child->set_margin_start(48);
    child->set_margin_end(48);
  }
  get_last_child()->set_margin_bottom(48);
}

void StyleGallery::addTokens() {
  append(heading("Colour tokens"));
  auto& grid = *Gtk::make_managed<Gtk::Grid>();
  grid.set_column_spacing(24);
  grid.set_row_spacing(18);
  int index = 0;
  const auto place = [&](Gtk::Widget& cell) {
    grid.attach(cell, index % 6, index / 6);
    ++index;
  };
  for (const auto& token : VeskWebTokens::colours()) place(swatchCell(std::string(token.name), {token.colour}));
  const auto list = [](const auto& colours) { return std::vector<Rgba>(colours.begin(), colours.end()); };
  place(swatchCell("sidebarActionFill", list(VeskWebTokens::sidebarActionFill)));
  place(swatchCell("sidebarActionBorder", list(VeskWebTokens::sidebarActionBorder)));
  place(swatchCell("sidebarActionHoverFill", list(VeskWebTokens::sidebarActionHoverFill)));
  place(swatchCell("sidebarActionHoverBorder", list(VeskWebTokens::sidebarActionHoverBorder)));
  append(grid);

  append(heading("Atelier"));
  auto& palette = box(Gtk::Orientation::HORIZONTAL, 24);
  const std::pair<const char*, Rgba> atelier[] = {
      {"ivory", Atelier::ivory},  {"ink", Atelier::ink},   {"secondaryInk", Atelier::secondaryInk},
      {"muted", Atelier::muted},  {"gold", Atelier::gold}, {"red", Atelier::red},
      {"border", Atelier::border}};
  for (const auto& [name, colour] : atelier) palette.append(swatchCell(name, {colour}));
  append(palette);
}

void StyleGallery::addTypography() {
  append(heading("Typography"));
  auto& columns = box(Gtk::Orientation::HORIZONTAL, 64);
  auto& body = box(Gtk::Orientation::VERTICAL, 6);
  auto& display = box(Gtk::Orientation::VERTICAL, 2);
  for (const auto weight : allWeights) {
    const auto axis = std::to_string(static_cast<int>(Typeface::body.axisWeight(weight)));
    body.append(label(std::string("Body 17 \u00B7 ") + weightName(weight) + " \u00B7 wght " + axis,
                      VeskTypography::body(17, weight)));
    const auto displayAxis = std::to_string(static_cast<int>(Typeface::display.axisWeight(weight)));
    display.append(label(std::string("Display 30 \u00B7 ") + weightName(weight) + " \u00B7 wght " + displayAxis,
                         VeskTypography::display(30, weight)));
  }
  body.append(label("Body italic \u2014 who it\u2019s for, what feels off",
                    VeskTypography::body(17, FontWeight::regular, true)));
  body.append(label("Body bold italic", VeskTypography::body(17, FontWeight::bold, true)));
  display.append(
      label("Display italic \u2014 a detailed report", VeskTypography::display(30, FontWeight::regular, true)));
  Pango::FontDescription mono;
  mono.set_family(std::string(monospaceFamily));
  mono.set_absolute_size(14 * PANGO_SCALE);
  body.append(label("JetBrains Mono 14 \u00B7 runs/42/continue", mono));
  columns.append(body);
  columns.append(display);
  append(columns);
}

void StyleGallery::addGlass() {
  append(heading("Glass"));
  append(caption("Rows: standard, Reduce Transparency, Increase Contrast. The toolbar is a capsule (radius 1000)."));
  glassBackdrop_ = Gtk::make_managed<StripedBackdrop>();
  auto& grid = *Gtk::make_managed<Gtk::Grid>();
  grid.set_column_spacing(80);
  grid.set_row_spacing(90);
  grid.set_margin(56);
  grid.set_margin_bottom(80);
  const std::pair<GlassVariant, AccessibilityState> variants[] = {
      {GlassVariant::standard, {}},
      {GlassVariant::reduceTransparency, {false, false, true}},
      {GlassVariant::increaseContrast, {false, true, false}}};
  const std::pair<VeskGlassRole, double> roles[] = {{VeskGlassRole::sidebar, 24},
                                                    {VeskGlassRole::composer, 24},
                                                    {VeskGlassRole::panel, 26},
                                                    {VeskGlassRole::toolbar, 1000}};
  int row = 0;
  for (const auto& [variant, state] : variants) {
    int column = 0;
    for (const auto& [role, radius] : roles) {
      auto* surface = Gtk::make_managed<VeskGlassSurface>(radius, role);
      const bool toolbar = role == VeskGlassRole::toolbar;
      surface->set_size_request(220, toolbar ? 44 : 130);
      surface->set_valign(Gtk::Align::CENTER);
      forceVeskAccessibility(*surface, state);
      auto& name = label(roleName(role), VeskTypography::body(15, FontWeight::medium));
      name.set_halign(Gtk::Align::CENTER);
      name.set_valign(Gtk::Align::CENTER);
      surface->set_child(name);
      grid.attach(*surface, column++, row);
      glassSamples_[{role, variant}] = surface;
    }
    ++row;
  }
  glassBackdrop_->set_child(grid);
  glassBackdrop_->set_halign(Gtk::Align::START);
  append(*glassBackdrop_);
}

void StyleGallery::addShadowAndSheet() {
  append(heading("Outer shadow and sheet surface"));
  auto& row = box(Gtk::Orientation::HORIZONTAL, 96);
  row.set_margin_bottom(48);
  auto* shadow = Gtk::make_managed<ShadowSample>(VeskGlassRole::panel, 26, 220, 130);
  shadow->set_valign(Gtk::Align::START);
  shadowSample_ = shadow;
  row.append(*shadow);
  auto* composerShadow = Gtk::make_managed<ShadowSample>(VeskGlassRole::composer, 24, 220, 130);
  composerShadow->set_valign(Gtk::Align::START);
  row.append(*composerShadow);

  sheetSample_ = Gtk::make_managed<VeskSheetSurface>();
  auto& content = box(Gtk::Orientation::VERTICAL, 8);
  content.set_margin(28);
  content.append(label("A sheet", VeskTypography::display(30, FontWeight::medium)));
  sheetProbe_ = &caption("");
  content.append(*sheetProbe_);
  sheetSample_->set_child(content);
  sheetSample_->set_size_request(300, -1);
  sheetSample_->set_valign(Gtk::Align::START);
  auto* probe = sheetProbe_;
  probe->signal_map().connect(
      [probe] { probe->set_text(std::string("Inside popup here: ") + (veskInsidePopup(*probe) ? "true" : "false")); });
  row.append(*sheetSample_);
  append(row);
}

void StyleGallery::addVeils() {
  append(heading("Scroll veils"));
  append(caption("Top veils 300, 150 and 40 wide; a bottom veil; a top veil with Reduce Transparency."));
  auto* backdrop = Gtk::make_managed<StripedBackdrop>();
  auto& row = box(Gtk::Orientation::HORIZONTAL, 40);
  row.set_margin(32);
  struct VeilSpec {
    int width;
    bool bottom;
    bool reduceTransparency;
  };
  for (const auto sample : {VeilSpec{300, false, false}, VeilSpec{150, false, false}, VeilSpec{40, false, false},
                            VeilSpec{300, true, false}, VeilSpec{300, false, true}}) {
    auto* overlay = Gtk::make_managed<Gtk::Overlay>();
    auto& area = box(Gtk::Orientation::VERTICAL, 0);
    area.set_size_request(sample.width, 140);
    overlay->set_child(area);
    auto* veil = Gtk::make_managed<VeskScrollVeil>(64, sample.bottom, 0.4);
    if (sample.reduceTransparency) forceVeskAccessibility(*veil, {false, false, true});
    overlay->add_overlay(*veil);
    row.append(*overlay);
  }
  backdrop->set_child(row);
  backdrop->set_halign(Gtk::Align::START);
  append(*backdrop);
}

void StyleGallery::addScrollEdges() {
  append(heading("Scroll edges"));
  append(caption("At the start (bottom fades), scrolled (both fade), short content (no fade)."));
  auto& row = box(Gtk::Orientation::HORIZONTAL, 40);
  const int rowCounts[] = {30, 30, 3};
  for (int i = 0; i < 3; ++i) {
    auto* scroller = Gtk::make_managed<Gtk::ScrolledWindow>();
    scroller->set_policy(Gtk::PolicyType::NEVER, Gtk::PolicyType::AUTOMATIC);
    scroller->set_size_request(300, 220);
    auto& list = box(Gtk::Orientation::VERTICAL, 6);
    for (int n = 1; n <= rowCounts[i]; ++n)
      list.append(
          label("Finding " + std::to_string(n) + " \u00B7 contrast of secondary text", VeskTypography::body(15)));
    scroller->set_child(list);
    auto* edges = Gtk::make_managed<VeskScrollEdges>(*scroller);
    if (i == 1) {
      scrolledEdges_ = edges;
      // Scrolled partway once the content is laid out, so both edges fade.
      scroller->add_tick_callback([scroller](const Glib::RefPtr<Gdk::FrameClock>&) {
        const auto a = scroller->get_vadjustment();
        if (a->get_upper() <= a->get_page_size()) return true;
        a->set_value(120);
        return false;
      });
    }
    row.append(*edges);
  }
  append(row);
}

void StyleGallery::addEnvironment() {
  append(heading("Environment"));
  auto& observer = box(Gtk::Orientation::VERTICAL, 4);
  auto& summary = caption("");
  observer.append(summary);
  auto& reporterA = caption("A header reporting 60");
  auto& reporterB = caption("A header reporting 90");
  observer.append(reporterA);
  observer.append(reporterB);
  auto* summaryLabel = &summary;
  const auto show = [summaryLabel](double chrome) {
    summaryLabel->set_text("Header inset " + std::to_string(static_cast<int>(veskHeaderInset(*summaryLabel))) +
                           " \u00B7 inside popup " + (veskInsidePopup(*summaryLabel) ? "true" : "false") +
                           " \u00B7 chrome height " + std::to_string(static_cast<int>(chrome)));
  };
  observeVeskChromeHeight(observer, show);
  reportVeskChromeHeight(reporterA, 60);
  reportVeskChromeHeight(reporterB, 90);
  show(veskChromeHeight(observer));
  append(observer);
}

StyleGallery::~StyleGallery() {
  if (galleryColours_ && display_) Gtk::StyleContext::remove_provider_for_display(display_, galleryColours_);
}

VeskGlassSurface& StyleGallery::glassSample(VeskGlassRole role, GlassVariant variant) {
  return *glassSamples_.at({role, variant});
}

}  // namespace vesk::ui

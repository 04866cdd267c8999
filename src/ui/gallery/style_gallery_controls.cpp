// The gallery's sections for the button styles, glyphs, symbols, shared controls and
// the wrapping choice layout.
#include "core/style/atelier.h"
#include "core/style/control_stylesheet.h"
#include "core/style/symbol_icons.h"
#include "ui/base/layout_container.h"
#include "ui/controls/action_footer.h"
#include "ui/controls/atelier_checkbox_style.h"
#include "ui/controls/atelier_text_field.h"
#include "ui/controls/choice_pill_layout.h"
#include "ui/controls/chrome_button.h"
#include "ui/controls/control_state_binding.h"
#include "ui/controls/primary_button.h"
#include "ui/controls/symbol_image.h"
#include "ui/controls/vesk_choice_pill_style.h"
#include "ui/controls/vesk_glyph.h"
#include "ui/controls/vesk_pill_style.h"
#include "ui/gallery/gallery_text.h"
#include "ui/gallery/style_gallery.h"
#include "ui/style/vesk_sheet_surface.h"
#include "ui/style/workspace_canvas.h"

#include <gtkmm/checkbutton.h>
#include <gtkmm/grid.h>
#include <gtkmm/stylecontext.h>

#include <string>

namespace vesk::ui {

namespace {

using gallery::box;
using gallery::caption;
using gallery::heading;
using gallery::label;
using ShownState = StyleGallery::ControlState;

constexpr ShownState allStates[] = {ShownState::rest, ShownState::hovered, ShownState::pressed, ShownState::focused,
                                    ShownState::disabled};

const char* stateName(ShownState state) {
  switch (state) {
    case ShownState::rest: return "rest";
    case ShownState::hovered: return "hovered";
    case ShownState::pressed: return "pressed";
    case ShownState::focused: return "focused";
    case ShownState::disabled: return "disabled";
  }
  return "";
}

std::string capitalised(std::string text) {
  if (!text.empty()) text[0] = static_cast<char>(text[0] - 'a' + 'A');
  return text;
}

const char* glyphName(VeskGlyphKind kind) {
  switch (kind) {
    case VeskGlyphKind::overview: return "overview";
    case VeskGlyphKind::audit: return "audit";
    case VeskGlyphKind::library: return "library";
    case VeskGlyphKind::account: return "account";
    case VeskGlyphKind::sidebar: return "sidebar";
    case VeskGlyphKind::back: return "back";
    case VeskGlyphKind::attach: return "attach";
    case VeskGlyphKind::download: return "download";
    case VeskGlyphKind::share: return "share";
    case VeskGlyphKind::print: return "print";
    case VeskGlyphKind::close: return "close";
  }
  return "";
}

const Gtk::StateFlags keyboardFocus = Gtk::StateFlags::FOCUSED | Gtk::StateFlags::FOCUS_VISIBLE;

// Shows a state without a pointer or keyboard: hover through the control's binding,
// press and focus as the toolkit's own state flags.
void force(Gtk::Widget& control, ShownState state) {
  switch (state) {
    case ShownState::rest: break;
    case ShownState::hovered: ControlStateBinding::of(control).forceHovered(true); break;
    case ShownState::pressed:
      ControlStateBinding::of(control).forceHovered(true);
      control.set_state_flags(Gtk::StateFlags::ACTIVE, false);
      break;
    case ShownState::focused: control.set_state_flags(keyboardFocus, false); break;
    case ShownState::disabled:
      control.set_sensitive(false);
      control.set_state_flags(keyboardFocus, false);
      break;
  }
}

Gtk::Grid& grid(int columnSpacing, int rowSpacing) {
  auto& g = *Gtk::make_managed<Gtk::Grid>();
  g.set_column_spacing(columnSpacing);
  g.set_row_spacing(rowSpacing);
  return g;
}

Gtk::Button& choiceChip(const std::string& text, const VeskChoicePillStyle& style) {
  auto& chip = *Gtk::make_managed<Gtk::Button>(text);
  style.apply(chip);
  return chip;
}

}  // namespace

Gtk::Widget& StyleGallery::pillGrid(bool insidePopup) {
  auto& g = grid(40, 24);
  g.set_margin(insidePopup ? 36 : 24);
  for (std::size_t column = 0; column < std::size(allStates); ++column)
    g.attach(caption(stateName(allStates[column])), static_cast<int>(column) + 1, 0);
  int row = 1;
  for (const auto role : allButtonRoles) {
    for (const auto size : vesk::allPillSizes) {
      const bool compact = size == vesk::PillSize::compact;
      const std::string name = ControlClasses::role(role);
      g.attach(caption(name + (compact ? " \u00B7 compact" : "")), 0, row);
      for (std::size_t column = 0; column < std::size(allStates); ++column) {
        auto& pill = *Gtk::make_managed<Gtk::Button>(capitalised(name));
        VeskPillStyle(role, size).apply(pill);
        pill.set_halign(Gtk::Align::START);
        pill.set_valign(Gtk::Align::CENTER);
        force(pill, allStates[column]);
        g.attach(pill, static_cast<int>(column) + 1, row);
        pillSamples_[{role, size, allStates[column], insidePopup}] = &pill;
      }
      ++row;
    }
  }
  return g;
}

void StyleGallery::addPills() {
  append(heading("Pills"));
  append(caption("Every role, regular and compact. The disabled samples have keyboard focus too: they draw no ring."));
  auto& window = pillGrid(false);
  window.set_halign(Gtk::Align::START);
  pillSections_[false] = &window;
  append(window);

  append(caption("Inside a sheet: no light rim and no shadow."));
  auto* sheet = Gtk::make_managed<VeskSheetSurface>();
  sheet->set_child(pillGrid(true));
  sheet->set_halign(Gtk::Align::START);
  sheet->set_margin_bottom(40);
  pillSections_[true] = sheet;
  append(*sheet);
}

void StyleGallery::addChoicePills() {
  append(heading("Choice pills"));
  append(caption("Unselected, selected, dimmed, selected and dimmed, keyboard focus, pressed."));
  auto& g = grid(16, 22);
  g.set_margin(12);
  int row = 0;
  for (const auto treatment : allChoicePillTreatments) {
    const std::string name = ControlClasses::treatment(treatment);
    g.attach(caption(name), 0, row);
    int column = 1;
    for (const auto& [selected, dimmed, text] : {std::tuple{false, false, "Unselected"},
                                                 {true, false, "Selected"},
                                                 {false, true, "Dimmed"},
                                                 {true, true, "Selected \u00B7 dimmed"}}) {
      auto& chip =
          choiceChip(text, VeskChoicePillStyle(selected ? ChipSelection::selected : ChipSelection::unselected,
                                               treatment, dimmed ? ChipEmphasis::dimmed : ChipEmphasis::normal));
      choiceSamples_[{treatment, selected, dimmed}] = &chip;
      g.attach(chip, column++, row);
    }
    auto& focused = choiceChip("Focused", VeskChoicePillStyle(ChipSelection::unselected, treatment));
    focused.set_state_flags(keyboardFocus, false);
    g.attach(focused, column++, row);
    auto& pressed = choiceChip("Pressed", VeskChoicePillStyle(ChipSelection::selected, treatment));
    pressed.set_state_flags(Gtk::StateFlags::ACTIVE, false);
    g.attach(pressed, column++, row);
    ++row;
  }
  g.set_halign(Gtk::Align::START);
  append(g);
}

void StyleGallery::addGlyphs() {
  append(heading("Glyphs"));
  append(caption("21 and 42 px, in ink and in red; strokes a 14.6th of the size."));
  galleryColours_ = Gtk::CssProvider::create();
  galleryColours_->load_from_data(".gallery-red { color: " + Atelier::red.cssText() + "; }");
  display_ = get_display();
  Gtk::StyleContext::add_provider_for_display(display_, galleryColours_, GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
  auto& g = grid(28, 14);
  int column = 0;
  for (const auto kind : allGlyphKinds) {
    int row = 0;
    for (const int size : {0, 1}) {
      for (const int colour : {0, 1}) {
        auto* glyph = Gtk::make_managed<VeskGlyph>(kind, size == 0 ? 21 : 42);
        if (colour == 1) glyph->add_css_class("gallery-red");
        glyph->set_halign(Gtk::Align::CENTER);
        glyphSamples_[{kind, size, colour}] = glyph;
        g.attach(*glyph, column, row++);
      }
    }
    auto& name = caption(glyphName(kind));
    name.set_halign(Gtk::Align::CENTER);
    g.attach(name, column, row);
    ++column;
  }
  g.set_halign(Gtk::Align::START);
  append(g);
}

void StyleGallery::addSymbols() {
  append(heading("Symbols"));
  append(caption("The platform symbol names and their stand-ins: icon theme icons, our own icons, or a glyph."));
  auto& g = grid(24, 10);
  int index = 0;
  for (const auto& symbol : SymbolIcons::all()) {
    auto& cell = box(Gtk::Orientation::HORIZONTAL, 10);
    if (auto* image = makeSymbolImage(symbol.symbol, 20)) {
      cell.append(*image);
      symbolSamples_[std::string(symbol.symbol)] = image;
    }
    const std::string standIn =
        symbol.glyph ? std::string("glyph ") + glyphName(*symbol.glyph) : std::string(symbol.iconName);
    cell.append(caption(std::string(symbol.symbol) + " \u2192 " + standIn));
    g.attach(cell, index % 3, index / 3);
    ++index;
  }
  g.set_halign(Gtk::Align::START);
  append(g);

  auto& buttons = box(Gtk::Orientation::HORIZONTAL, 20);
  buttons.set_margin_top(8);
  buttons.set_margin_bottom(12);
  buttons.append(*Gtk::make_managed<PrimaryButton>("Audit & start", "arrow.right", false, VeskButtonRole::primary,
                                                   std::function<void()>{}));
  buttons.append(*Gtk::make_managed<PrimaryButton>("Run quick read", "arrow.right", false, VeskButtonRole::accent,
                                                   std::function<void()>{}));
  buttons.append(*Gtk::make_managed<PrimaryButton>("Run full audit", "sparkle", false, VeskButtonRole::accent,
                                                   std::function<void()>{}));
  buttons.append(*Gtk::make_managed<PrimaryButton>("Audit & start", "arrow.right", true, VeskButtonRole::primary,
                                                   std::function<void()>{}));
  buttons.set_halign(Gtk::Align::START);
  append(buttons);
}

void StyleGallery::addSharedControls() {
  append(heading("Shared controls"));
  append(caption("Header buttons, every glyph at rest; then rest, hovered, keyboard focus and disabled."));
  auto& header = box(Gtk::Orientation::HORIZONTAL, 6);
  for (const auto kind : allGlyphKinds)
    header.append(*Gtk::make_managed<ChromeButton>(kind, std::string(glyphName(kind)), std::function<void()>{}));
  append(header);
  auto& states = box(Gtk::Orientation::HORIZONTAL, 24);
  for (const auto state : {ShownState::rest, ShownState::hovered, ShownState::focused, ShownState::disabled}) {
    auto* button =
        Gtk::make_managed<ChromeButton>(VeskGlyphKind::sidebar, "Toggle sidebar (Ctrl+Alt+S)", std::function<void()>{});
    force(*button, state);
    states.append(*button);
  }
  append(states);

  addCanvasAndCheckboxes();
  addTextFields();
  addFooter();
}

void StyleGallery::addCanvasAndCheckboxes() {
  append(caption("The workspace canvas, 560 x 300."));
  auto* canvas = Gtk::make_managed<WorkspaceCanvas>();
  canvas->set_hexpand(false);
  canvas->set_vexpand(false);
  canvas->set_size_request(560, 300);
  canvas->set_halign(Gtk::Align::START);
  append(*canvas);

  auto& checks = box(Gtk::Orientation::HORIZONTAL, 40);
  for (const auto& [on, text] : {std::pair{false, "Keep this project private"},
                                 {true, "Email me when it\u2019s done"},
                                 {true, "A longer label that wraps onto\na second line under the first"}}) {
    auto* check = Gtk::make_managed<Gtk::CheckButton>(text);
    check->set_active(on);
    AtelierCheckboxStyle().apply(*check);
    check->set_valign(Gtk::Align::START);
    checks.append(*check);
  }
  append(checks);
}

void StyleGallery::addTextFields() {
  auto& fields = grid(32, 24);
  auto* empty = Gtk::make_managed<AtelierTextField>("Product URL", "https://example.com", Gtk::Orientation::HORIZONTAL);
  auto* filled = Gtk::make_managed<AtelierTextField>("Project name", "Name", Gtk::Orientation::HORIZONTAL);
  filled->set_text("Checkout redesign");
  auto* disabled = Gtk::make_managed<AtelierTextField>("Locked", "Not editable", Gtk::Orientation::HORIZONTAL, false);
  disabled->set_text("Read only");
  auto* growing =
      Gtk::make_managed<AtelierTextField>("Context", "Who it\u2019s for, what feels off", Gtk::Orientation::VERTICAL);
  auto* three = Gtk::make_managed<AtelierTextField>("Three lines", "", Gtk::Orientation::VERTICAL);
  three->set_text("First line\nSecond line\nThird line");
  auto* many = Gtk::make_managed<AtelierTextField>("Seven lines: scrolls after four", "", Gtk::Orientation::VERTICAL);
  many->set_text("One\nTwo\nThree\nFour\nFive\nSix\nSeven");
  int index = 0;
  for (auto* field : {empty, filled, disabled, growing, three, many}) {
    field->set_size_request(300, -1);
    field->set_valign(Gtk::Align::START);
    fields.attach(*field, index % 3, index / 3);
    ++index;
  }
  // The focused border: the first field takes keyboard focus once shown.
  empty->editable().signal_map().connect([empty] { empty->editable().grab_focus(); });
  append(fields);
}

void StyleGallery::addFooter() {
  auto& actions = box(Gtk::Orientation::HORIZONTAL, 12);
  auto& back = *Gtk::make_managed<Gtk::Button>("Back");
  VeskPillStyle(VeskButtonRole::secondary, vesk::PillSize::regular).apply(back);
  auto& save = *Gtk::make_managed<Gtk::Button>("Save changes");
  VeskPillStyle(VeskButtonRole::primary, vesk::PillSize::regular).apply(save);
  actions.append(back);
  actions.append(save);
  auto* footer = Gtk::make_managed<ActionFooter>(actions);
  footer->set_size_request(560, -1);
  footer->set_halign(Gtk::Align::START);
  append(*footer);
}

void StyleGallery::addChoiceLayout() {
  append(heading("Choice pill layout"));
  append(caption("Spacing 8 in 420 px, left to right, then right to left."));
  auto& row = box(Gtk::Orientation::HORIZONTAL, 48);
  for (const bool rightToLeft : {false, true}) {
    auto* layout = Gtk::make_managed<LayoutContainer>(ChoicePillLayout::create(8));
    int index = 0;
    for (const char* answer : {"Founders", "Product designers", "Engineers", "Marketing", "Sales teams",
                               "Customer support", "Investors", "Everyone else"}) {
      layout->append(choiceChip(
          answer, VeskChoicePillStyle(index == 1 || index == 4 ? ChipSelection::selected : ChipSelection::unselected,
                                      VeskChoicePillTreatment::answer,
                                      index == 6 ? ChipEmphasis::dimmed : ChipEmphasis::normal)));
      ++index;
    }
    layout->set_size_request(420, -1);
    layout->set_hexpand(false);
    if (rightToLeft) layout->set_direction(Gtk::TextDirection::RTL);
    row.append(*layout);
  }
  append(row);
}

Gtk::Button& StyleGallery::pillSample(VeskButtonRole role, PillSize size, ControlState state, bool insidePopup) {
  return *pillSamples_.at({role, size, state, insidePopup});
}

Gtk::Button& StyleGallery::choiceSample(VeskChoicePillTreatment treatment, bool selected, bool dimmed) {
  return *choiceSamples_.at({treatment, selected, dimmed});
}

VeskGlyph& StyleGallery::glyphSample(VeskGlyphKind kind, int size, int colour) {
  return *glyphSamples_.at({kind, size, colour});
}

Gtk::Widget& StyleGallery::symbolSample(std::string_view symbol) { return *symbolSamples_.at(std::string(symbol)); }

}  // namespace vesk::ui

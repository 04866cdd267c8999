#include "ui/app/sheet_layer.h"

#include "core/style/shell_stylesheet.h"
#include "ui/app/inert.h"
#include "ui/app/sheet_escape.h"
#include "ui/base/layout_container.h"
#include "ui/style/vesk_sheet_surface.h"

#include "ui/controls/global_escape.h"

#include <gtkmm/binlayout.h>
#include <gtkmm/box.h>
#include <gtkmm/root.h>
#include <gtkmm/shortcut.h>
#include <gtkmm/shortcutaction.h>
#include <gtkmm/shortcuttrigger.h>

#include <algorithm>

namespace vesk::ui {

// One sheet: a backdrop over the whole layer and the surface in its centre, stacked in a
// frame of their own.
struct SheetLayer::Sheet {
  SheetId id;
  Options options;
  std::unique_ptr<Gtk::Widget> content;
  LayoutContainer frame{Gtk::BinLayout::create()};
  Gtk::Box backdrop;
  VeskSheetSurface surface{true};
  std::unique_ptr<WeakWidget> previousFocus;

  Sheet(SheetId id, std::unique_ptr<Gtk::Widget> content, Options options, Gtk::Widget* focus)
      : id(id),
        options(std::move(options)),
        content(std::move(content)),
        previousFocus(std::make_unique<WeakWidget>(focus)) {
    backdrop.add_css_class(ShellClasses::sheetBackdrop);
    frame.append(backdrop);
    surface.set_halign(Gtk::Align::CENTER);
    surface.set_valign(Gtk::Align::CENTER);
    surface.set_child(*this->content);
    frame.append(surface);
  }
  ~Sheet() {
    surface.unset_child();
    frame.remove(surface);
    frame.remove(backdrop);
    if (frame.get_parent()) frame.unparent();
  }
};

SheetLayer::SheetLayer() {
  set_layout_manager(Gtk::BinLayout::create());
  set_visible(false);
  // Escape reaches the layer wherever the focus is, or when nothing has it.
  addGlobalEscape(*this, [this] { return escape(); });
  // GTK wants children gone before the widget finalizes; a managed layer's C++ side only
  // goes away after that.
  signal_destroy().connect([this] { sheets_.clear(); });
}

SheetLayer::~SheetLayer() { sheets_.clear(); }

SheetLayer::SheetId SheetLayer::present(std::unique_ptr<Gtk::Widget> content, Options options) {
  // Content that answers Escape itself decides, unless the presenter gave a rule.
  if (auto* answering = dynamic_cast<SheetEscape*>(content.get()); answering && !options.escapeCloses)
    options.escapeCloses = [answering] { return answering->escapeCloses(); };
  auto* root = get_root();
  auto* focus = root ? root->get_focus() : nullptr;
  if (!sheets_.empty()) setInteraction(sheets_.back()->frame, Interaction::inert);
  sheets_.push_back(std::make_unique<Sheet>(nextId_++, std::move(content), std::move(options), focus));
  Sheet& sheet = *sheets_.back();
  sheet.frame.set_parent(*this);
  set_visible(true);
  settleFocus(sheet);
  depthChanged_.emit();
  return sheet.id;
}

// Focus goes to the sheet's first control, or nowhere when it has none; never stays
// behind it.
void SheetLayer::settleFocus(Sheet& sheet) {
  if (sheet.surface.child_focus(Gtk::DirectionType::TAB_FORWARD)) return;
  if (auto* root = get_root()) root->unset_focus();
}

void SheetLayer::dismiss(SheetId id) {
  const auto found = std::find_if(sheets_.begin(), sheets_.end(), [id](const auto& s) { return s->id == id; });
  if (found == sheets_.end()) return;
  const bool wasTop = std::next(found) == sheets_.end();
  std::unique_ptr<Sheet> sheet = std::move(*found);
  sheets_.erase(found);
  const auto previousFocus = std::move(sheet->previousFocus);
  auto onDismissed = std::move(sheet->options.onDismissed);
  sheet.reset();
  if (!sheets_.empty()) {
    setInteraction(sheets_.back()->frame, Interaction::live);
  } else {
    set_visible(false);
  }
  depthChanged_.emit();  // what lay beneath takes focus again
  if (wasTop) {
    // Back to where the focus was, if that is still in the window and can take it.
    Gtk::Widget* previous = previousFocus->get();
    const bool restored =
        previous && previous->get_root() == get_root() && previous->get_mapped() && previous->grab_focus();
    if (!restored && !sheets_.empty()) settleFocus(*sheets_.back());
  }
  if (onDismissed) onDismissed();
}

bool SheetLayer::escape() {
  if (sheets_.empty()) return false;
  Sheet& top = *sheets_.back();
  if (top.options.escapeCloses && !top.options.escapeCloses()) return true;  // the sheet keeps Escape
  dismiss(top.id);
  return true;
}

Gtk::Widget* SheetLayer::topSurface() { return sheets_.empty() ? nullptr : &sheets_.back()->surface; }

Gtk::Widget* SheetLayer::topBackdrop() { return sheets_.empty() ? nullptr : &sheets_.back()->backdrop; }

void dismissIfLayerAlive(const WeakWidget& layer, SheetLayer::SheetId id) {
  if (auto* sheets = dynamic_cast<SheetLayer*>(layer.get())) sheets->dismiss(id);
}

}  // namespace vesk::ui

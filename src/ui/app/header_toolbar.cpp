#include "ui/app/header_toolbar.h"

#include "ui/app/header_separator.h"
#include "ui/app/shell_commands.h"

#include <algorithm>

namespace vesk::ui {

namespace {

VeskGlyph::Kind glyph(HeaderItem item) {
  switch (item) {
    case HeaderItem::toggleSidebar: return VeskGlyph::Kind::sidebar;
    case HeaderItem::back: return VeskGlyph::Kind::back;
    case HeaderItem::addFiles: return VeskGlyph::Kind::attach;
    case HeaderItem::exportPDF: return VeskGlyph::Kind::download;
    case HeaderItem::shareReport: return VeskGlyph::Kind::share;
    case HeaderItem::print: return VeskGlyph::Kind::print;
    case HeaderItem::newAudit:
    case HeaderItem::separator: break;
  }
  return VeskGlyph::Kind::audit;
}

}  // namespace

Glib::ustring HeaderToolbar::label(HeaderItem item) {
  switch (item) {
    case HeaderItem::toggleSidebar: return labelWithShortcut("Toggle sidebar", ShellCommands::toggleSidebar);
    case HeaderItem::back: return labelWithShortcut("Back", ShellCommands::back);
    case HeaderItem::addFiles: return labelWithShortcut("Add files", ShellCommands::addFiles);
    case HeaderItem::exportPDF: return "Export PDF";
    case HeaderItem::shareReport: return "Share report…";
    case HeaderItem::print: return labelWithShortcut("Print report", ShellCommands::print);
    case HeaderItem::newAudit: return labelWithShortcut("New audit", ShellCommands::newAudit);
    case HeaderItem::separator: break;
  }
  return {};
}

HeaderToolbar::HeaderToolbar(std::function<void(HeaderItem)> activate)
    : VeskGlassSurface(1000, VeskGlassRole::toolbar),
      activate_(std::move(activate)),
      row_(Gtk::make_managed<Gtk::Box>(Gtk::Orientation::HORIZONTAL, spacing)) {
  set_margin_end(trailingPadding);
  set_valign(Gtk::Align::CENTER);
  row_->set_valign(Gtk::Align::CENTER);
  row_->set_margin(padding);
  set_child(*row_);
}

HeaderToolbar::~HeaderToolbar() = default;

void HeaderToolbar::show(const std::vector<WindowHeader::Button>& buttons) {
  std::vector<HeaderItem> items;
  for (const auto& button : buttons) items.push_back(button.item);
  if (items != items_) rebuild(buttons);
  for (const auto& shown : buttons) {
    if (auto* widget = button(shown.item)) widget->set_sensitive(shown.enabled);
  }
}

void HeaderToolbar::rebuild(const std::vector<WindowHeader::Button>& buttons) {
  while (auto* child = row_->get_first_child()) row_->remove(*child);
  buttons_.clear();
  items_.clear();
  for (const auto& shown : buttons) {
    const HeaderItem item = shown.item;
    items_.push_back(item);
    if (item == HeaderItem::separator) {
      row_->append(*Gtk::make_managed<HeaderSeparator>());
      continue;
    }
    auto* widget = Gtk::make_managed<ChromeButton>(glyph(item), label(item), [this, item] { activate_(item); });
    row_->append(*widget);
    buttons_.emplace_back(item, widget);
  }
}

ChromeButton* HeaderToolbar::button(HeaderItem item) {
  const auto found = std::ranges::find(buttons_, item, &std::pair<HeaderItem, ChromeButton*>::first);
  return found == buttons_.end() ? nullptr : found->second;
}

std::vector<HeaderItem> HeaderToolbar::items() const { return items_; }

}  // namespace vesk::ui

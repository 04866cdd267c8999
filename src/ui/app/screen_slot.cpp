#include "ui/app/screen_slot.h"

#include "ui/app/placeholder_page.h"

namespace vesk::ui {

namespace {

std::unique_ptr<Gtk::Widget> placeholder(const char* title, PlaceholderPage::Start start) {
  return std::make_unique<PlaceholderPage>(title, start);
}

}  // namespace

// Until their own views are built, every screen is a page with its title.
std::unique_ptr<Gtk::Widget> makeScreenPage(Screen screen) {
  using Start = PlaceholderPage::Start;
  switch (screen) {
    case Screen::home:
    case Screen::input: return placeholder("New audit", Start::pageTop);
    case Screen::discovery: return placeholder("Discovery", Start::pageTop);
    case Screen::review: return placeholder("Full audit", Start::pageTop);
    case Screen::progress: return placeholder("Audit in progress", Start::pageTop);
    case Screen::report: return placeholder("Report", Start::headerInset);
    case Screen::account: return placeholder("Your account", Start::headerInset);
    case Screen::library: return placeholder("Projects & history", Start::top);
  }
  return placeholder("", Start::top);
}

ScreenSlot::ScreenSlot() {
  set_hexpand(true);
  set_vexpand(true);
  set_overflow(Gtk::Overflow::HIDDEN);
}

ScreenSlot::~ScreenSlot() { unset_child(); }

void ScreenSlot::show(Screen screen) {
  if (screen_ == screen) return;
  screen_ = screen;
  auto page = makeScreenPage(screen);
  set_child(*page);
  page_ = std::move(page);  // the old view goes once the new one is in its place
}

}  // namespace vesk::ui

#include "ui/app/screen_pages.h"

#include "ui/app/placeholder_page.h"
#include "ui/library/library_page.h"
#include "ui/report/report_screen.h"

namespace vesk::ui {

namespace {

std::unique_ptr<Gtk::Widget> placeholder(const char* title, PlaceholderPage::Start start) {
  return std::make_unique<PlaceholderPage>(title, start);
}

}  // namespace

// Screens whose own views are not built yet show a page with their title.
std::unique_ptr<Gtk::Widget> makeScreenPage(Screen screen, const ScreenContext& context) {
  using Start = PlaceholderPage::Start;
  switch (screen) {
    case Screen::home:
    case Screen::input: return placeholder("New audit", Start::pageTop);
    case Screen::discovery: return placeholder("Discovery", Start::pageTop);
    case Screen::review: return placeholder("Full audit", Start::pageTop);
    case Screen::progress: return placeholder("Audit in progress", Start::pageTop);
    case Screen::report: return std::make_unique<ReportScreen>(context);
    case Screen::account: return placeholder("Your account", Start::headerInset);
    case Screen::library: return makeLibraryPage(context, LibraryCallbacks{});
  }
  return placeholder("", Start::top);
}

}  // namespace vesk::ui

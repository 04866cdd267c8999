#include "ui/app/screen_pages.h"

#include "ui/app/framed_page.h"
#include "ui/app/placeholder_page.h"
#include "ui/library/library_page.h"
#include "ui/report/report_screen.h"

namespace vesk::ui {

namespace {

// A page screen: its content column in the page frame.
std::unique_ptr<Gtk::Widget> framed(std::unique_ptr<Gtk::Widget> column) {
  return std::make_unique<FramedPage>(std::move(column));
}

std::unique_ptr<Gtk::Widget> placeholder(const char* title, PlaceholderPage::Start start) {
  return std::make_unique<PlaceholderPage>(title, start);
}

}  // namespace

// Screens whose own views are not built yet show a page with their title.
std::unique_ptr<Gtk::Widget> makeScreenPage(Screen screen, const ScreenContext& context) {
  using Start = PlaceholderPage::Start;
  switch (screen) {
    case Screen::home: return framed(placeholder("New audit", Start::column));
    case Screen::input: return framed(placeholder("New audit", Start::column));
    case Screen::discovery: return framed(placeholder("Discovery", Start::column));
    case Screen::review: return framed(placeholder("Full audit", Start::column));
    case Screen::progress: return framed(placeholder("Audit in progress", Start::column));
    case Screen::report: return std::make_unique<ReportScreen>(context);
    case Screen::account: return placeholder("Your account", Start::headerInset);
    case Screen::library: return makeLibraryPage(context);
  }
  return placeholder("", Start::top);
}

}  // namespace vesk::ui

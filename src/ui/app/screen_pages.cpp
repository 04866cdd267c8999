#include "ui/app/screen_pages.h"

#include "ui/account/account_view.h"
#include "ui/app/framed_page.h"
#include "ui/audit/composer_page.h"
#include "ui/audit/discovery_page.h"
#include "ui/audit/progress_page.h"
#include "ui/audit/review_page.h"
#include "ui/library/library_page.h"
#include "ui/report/report_screen.h"

namespace vesk::ui {

namespace {

// A page screen: its content column in the page frame.
std::unique_ptr<Gtk::Widget> framed(std::unique_ptr<Gtk::Widget> column) {
  return std::make_unique<FramedPage>(std::move(column));
}

}  // namespace

std::unique_ptr<Gtk::Widget> makeScreenPage(Screen screen, const ScreenContext& context) {
  switch (screen) {
    case Screen::home:
    case Screen::input: break;
    case Screen::discovery: return framed(makeDiscoveryPage(context));
    case Screen::review: return framed(makeReviewPage(context));
    case Screen::progress: return framed(makeProgressPage(context));
    case Screen::report: return std::make_unique<ReportScreen>(context);
    case Screen::account: return std::make_unique<AccountView>(context);
    case Screen::library: return makeLibraryPage(context);
  }
  return framed(makeComposerPage(context));
}

}  // namespace vesk::ui

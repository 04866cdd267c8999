// The application's main job, walked as a user walks it, against the demo service at a
// short pace: sign in through the browser, hand in an address and a brief, run a full
// audit through discovery and review, watch it finish, read the report, find it in the
// library; then a quick read from a fresh draft, and a demo project's saved full audit
// opened from the library. One screenshot per step.
#include "end_to_end/running_application.h"
#include "end_to_end/screen_driver.h"
#include "support/run_loop.h"
#include "ui/app/header_band.h"
#include "ui/app/root_view.h"
#include "ui/app/screen_slot.h"
#include "ui/audit/brief_editor.h"
#include "ui/audit/composer_card.h"
#include "ui/audit/composer_page.h"
#include "ui/audit/composer_view.h"
#include "ui/report/reader/report_reader_view.h"
#include "ui/report/report_screen.h"
#include "ui/support/shell_window.h"
#include "ui/support/synthetic_input.h"
#include "ui/support/web_page_probe.h"

#include <gtest/gtest.h>
#include <gtkmm/button.h>
#include <gtkmm/checkbutton.h>
#include <gtkmm/entry.h>
#include <gtkmm/label.h>
#include <gtkmm/text.h>
#include <gtkmm/textview.h>
#include <nlohmann/json.hpp>

using namespace std::chrono_literals;
using vesk::Screen;
using vesk::testing::RunningApplication;
using vesk::testing::ScreenDriver;

namespace {

// A full audit takes 90 s and a quick read 15 s at pace 1.
constexpr double pace = 0.1;

Gtk::Widget& onlyShown(ScreenDriver& driver, Gtk::Widget& within, const std::function<bool(Gtk::Widget&)>& kind,
                       const std::string& what) {
  Gtk::Widget* found = nullptr;
  driver.waitUntil(
      [&] {
        const auto shown = vesk::testing::descendants(within, [&](Gtk::Widget& widget) {
          return kind(widget) && widget.is_drawable() && widget.get_width() > 0;
        });
        found = shown.empty() ? nullptr : shown.front();
        return found != nullptr;
      },
      what);
  if (!found) throw std::runtime_error("no " + what);
  return *found;
}

Gtk::Widget& addressField(ScreenDriver& driver, Gtk::Widget& window) {
  return onlyShown(
      driver, window, [](Gtk::Widget& widget) { return dynamic_cast<Gtk::Text*>(&widget) != nullptr; },
      "the address field");
}

Gtk::Widget& briefEditor(ScreenDriver& driver, Gtk::Widget& window) {
  return onlyShown(
      driver, window, [](Gtk::Widget& widget) { return dynamic_cast<Gtk::TextView*>(&widget) != nullptr; },
      "the brief editor");
}

bool insideSidebar(RunningApplication& app, Gtk::Widget& widget) {
  for (Gtk::Widget* at = &widget; at; at = at->get_parent())
    if (at == &app.root().sidebarColumn()) return true;
  return false;
}

// The composer's submit button; the sidebar's wordmark reads "Vesk" too.
void submit(ScreenDriver& driver, RunningApplication& app) {
  Gtk::Widget* button = nullptr;
  driver.waitUntil(
      [&] {
        for (Gtk::Widget* widget : driver.findAll("Vesk"))
          if (!insideSidebar(app, *widget) && dynamic_cast<Gtk::Button*>(widget) && widget->is_sensitive())
            button = widget;
        return button != nullptr;
      },
      "the submit button");
  if (!button) throw std::runtime_error("no submit button");
  driver.clickWidget(*button);
}

// Puts one address and a brief into the composer with the keyboard.
void composeDraft(ScreenDriver& driver, RunningApplication& app, const std::string& address, const std::string& brief) {
  driver.click("Add URL");
  driver.typeInto(addressField(driver, app.window()), address);
  driver.press({"Return"});
  driver.waitUntil([&] { return *app.workspace().urls == "https://" + address; }, "the address to join the draft");
  driver.typeInto(briefEditor(driver, app.window()), brief);
  driver.waitUntil([&] { return *app.workspace().brief == brief; }, "the brief to reach the workspace");
}

// Picks the first answer of every question the service asked.
void answerEveryQuestion(ScreenDriver& driver, RunningApplication& app) {
  for (const auto& question : *app.workspace().questions) driver.click(question.options.at(0));
  driver.waitUntil([&] { return app.workspace().allAnswered(); }, "every question to be answered");
}

void waitForReport(ScreenDriver& driver, RunningApplication& app) {
  driver.waitUntil([&] { return *app.workspace().screen == Screen::report; }, "the finished report", 60s);
  driver.waitUntil(
      [&] { return app.workspace().current->has_value() && (*app.workspace().current)->status == "complete"; },
      "the run to complete");
}

// The reader of the report screen on show; none while the screen is still being built.
WebKitWebView* readerPage(RunningApplication& app) {
  const auto screens = vesk::testing::descendants(
      app.root(), [](Gtk::Widget& widget) { return dynamic_cast<vesk::ui::ReportScreen*>(&widget) != nullptr; });
  if (screens.empty()) return nullptr;
  return static_cast<vesk::ui::ReportScreen*>(screens.front())->reader().webView();
}

// The report's first heading, as its Markdown writes it.
std::string firstHeading(const std::string& markdown) {
  for (std::size_t at = 0; at < markdown.size();) {
    const auto end = std::min(markdown.find('\n', at), markdown.size());
    if (markdown.compare(at, 2, "# ") == 0) return markdown.substr(at + 2, end - at - 2);
    at = end + 1;
  }
  return {};
}

// Waits until the reader page has drawn the report: its first heading, and no discovery
// material shown as literal tags.
void waitForRenderedReport(ScreenDriver& driver, RunningApplication& app) {
  const auto heading = nlohmann::json(firstHeading((*app.workspace().current)->output)).dump();
  driver.waitUntil(
      [&] {
        auto* page = readerPage(app);
        return page && vesk::testing::evaluateInPage(
                           page,
                           "document.querySelector('h1') !== null && "
                           "document.querySelector('h1').textContent === " +
                               heading + " && !document.body.innerText.includes('<discovery')") == "true";
      },
      "the rendered report headed " + heading, 30s);
}

// Scrolls the reader page so the first element matching `selector` is in view.
void scrollReaderTo(ScreenDriver& driver, RunningApplication& app, const std::string& selector) {
  const auto found = vesk::testing::evaluateInPage(
      readerPage(app), "(() => { const e = document.querySelector('" + selector +
                           "'); if (!e) return false; e.scrollIntoView({block: 'center'}); return true; })()");
  EXPECT_EQ(found, "true") << selector;
  driver.waitUntil([] { return true; }, "the scroll");
}

}  // namespace

TEST(EndToEnd, SignInThenAFullAuditAndAQuickReadFromDraftToReport) {
  RunningApplication app(pace);
  ASSERT_TRUE(vesk::testing::SyntheticInput::available()) << "needs an X display with XTest";
  ScreenDriver driver(app.window());
  driver.keep("home-signed-out");

  driver.click("Sign in to Vesk");
  driver.waitUntil([&] { return app.workspace().account->has_value() && !*app.workspace().busy; },
                   "the sign-in through the browser");
  driver.find("Vesk", true, 10s, true);
  driver.keep("signed-in");
  {
    auto* page = app.root().screenSlot().page();
    auto* composer = page ? vesk::ui::composerViewIn(*page) : nullptr;
    ASSERT_NE(composer, nullptr);
    auto& editor = composer->card().editor();
    EXPECT_TRUE(editor.placeholderShown() && editor.placeholder().get_height() > 0)
        << "the empty editor shows its placeholder once signed in";
  }

  composeDraft(driver, app, "example.com", "checkout feels slow");
  driver.click("Full audit");
  driver.waitUntil([&] { return *app.workspace().auditMode == "full"; }, "the full audit to be chosen");
  driver.keep("composer-full-audit");

  submit(driver, app);
  driver.waitUntil([&] { return *app.workspace().screen == Screen::discovery && !app.workspace().questions->empty(); },
                   "the discovery questions");
  answerEveryQuestion(driver, app);
  driver.keep("discovery-answered");

  driver.click("Audit & start");
  driver.waitUntil([&] { return *app.workspace().screen == Screen::review; }, "the review");
  driver.click("Use 1 run from this account\u2019s existing allowance.");
  driver.waitUntil([&] { return *app.workspace().confirmed; }, "the confirmation");
  driver.keep("review-confirmed");

  driver.click("Run full audit");
  driver.waitUntil([&] { return *app.workspace().screen == Screen::progress; }, "the progress screen");
  driver.keep("progress");
  waitForReport(driver, app);
  waitForRenderedReport(driver, app);
  // The discovery material as a section of its own, then (scrolled to, since images load
  // as they come into view) an evidence image loaded with its box drawn over it, and the
  // sources the service read.
  auto* page = readerPage(app);
  EXPECT_EQ(vesk::testing::evaluateInPage(page, "document.querySelector('details.discovery') !== null"), "true");
  driver.keep("full-audit-report");
  scrollReaderTo(driver, app, "img[data-box]");
  EXPECT_TRUE(vesk::testing::pageUntil(
      page, "[...document.querySelectorAll('img')].some(i => i.complete && i.naturalWidth > 0)", 20s))
      << "no evidence image loaded";
  EXPECT_TRUE(vesk::testing::pageUntil(
      page, "[...document.querySelectorAll('.evidence-box')].some(b => b.getBoundingClientRect().width > 0)"))
      << "no evidence box drawn";
  EXPECT_EQ(vesk::testing::evaluateInPage(page, "document.querySelector('.provenance') !== null"), "true");
  driver.keep("full-audit-report-evidence");
  scrollReaderTo(driver, app, ".provenance");
  driver.keep("full-audit-report-sources");
  const std::string fullRun = (*app.workspace().current)->id;

  driver.click("New audit (Ctrl+N)");
  driver.waitUntil(
      [&] {
        const Screen screen = *app.workspace().screen;
        return (screen == Screen::home || screen == Screen::input) && app.workspace().urls->empty();
      },
      "a fresh draft");
  composeDraft(driver, app, "example.org", "is the pricing page clear");
  driver.click("Quick read");
  submit(driver, app);
  driver.waitUntil([&] { return *app.workspace().screen == Screen::discovery && !app.workspace().questions->empty(); },
                   "the quick read's questions");
  answerEveryQuestion(driver, app);
  driver.click("Run quick read");
  waitForReport(driver, app);
  EXPECT_EQ((*app.workspace().current)->auditMode, "quick");
  waitForRenderedReport(driver, app);
  driver.keep("quick-read-report");

  driver.clickWidget(app.root().header().menuButton());
  driver.click("Projects & history");
  driver.waitUntil([&] { return *app.workspace().screen == Screen::library; }, "the library");
  driver.keep("library");

  // The full audit's project, found by a word of its brief, and opened.
  driver.typeInto(addressField(driver, app.window()), "slow");
  driver.waitUntil([&] { return !driver.shows("is the pricing page clear"); }, "the search to leave one project");
  driver.click("checkout feels slow");
  driver.find("Past runs", false);
  // The run search covers the project's name and the reports, not the brief.
  driver.click("Clear search");
  driver.waitUntil([&] { return !driver.shows("No runs match that search."); }, "the project's runs");
  driver.keep("library-project-found");
  EXPECT_FALSE(fullRun.empty());

  // A demo project's saved full audit, opened from the library, with its evidence.
  driver.click("Northwind Coffee");
  driver.find("Past runs", false);
  auto& savedAudit = onlyShown(
      driver, app.window(),
      [](Gtk::Widget& widget) {
        auto* label = dynamic_cast<Gtk::Label*>(&widget);
        return label && label->get_text().raw().starts_with("Full audit \u00b7 ");
      },
      "a saved full audit of the project");
  driver.clickWidget(savedAudit);
  waitForReport(driver, app);
  EXPECT_EQ((*app.workspace().current)->auditMode, "full");
  waitForRenderedReport(driver, app);
  scrollReaderTo(driver, app, "img[data-box]");
  EXPECT_TRUE(vesk::testing::pageUntil(
      readerPage(app), "[...document.querySelectorAll('img')].some(i => i.complete && i.naturalWidth > 0)", 20s))
      << "the saved audit's evidence did not load";
  driver.keep("saved-full-audit-report");
}

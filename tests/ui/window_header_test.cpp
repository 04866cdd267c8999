// The window header in the real window: the title, the toolbar of each screen with its
// labels and enabled states, clicks and the Back and Add files keys; and the screen
// switch's page frame: fresh pages, the centred column and the bottom veil.
#include "support/run_loop.h"
#include "support/workspace_harness.h"
#include "ui/app/framed_page.h"
#include "ui/app/header_band.h"
#include "ui/app/header_toolbar.h"
#include "ui/app/root_view.h"
#include "ui/app/screen_slot.h"
#include "ui/app/shell_actions.h"
#include "ui/app/window_header_view.h"
#include "ui/support/shell_window.h"
#include "ui/support/synthetic_input.h"
#include "ui/support/ui_test.h"

using vesk::HeaderItem;
using vesk::Screen;
using vesk::testing::boundsIn;
using vesk::testing::ShellWindow;
using vesk::testing::SyntheticInput;
using Items = std::vector<HeaderItem>;

namespace {

class WindowHeaderTest : public vesk::testing::UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    if (!SyntheticInput::available()) GTEST_SKIP() << "needs an X11 display with XTest";
    SyntheticInput::moveAway();
  }
};

vesk::ui::WindowHeaderView& header(ShellWindow& shell) { return shell.root().headerView(); }
vesk::ui::HeaderToolbar& toolbar(ShellWindow& shell) { return header(shell).toolbar(); }

std::string accessibleLabelMismatch(Gtk::Widget& widget, const std::string& label) {
  char* mismatch =
      gtk_test_accessible_check_property(GTK_ACCESSIBLE(widget.gobj()), GTK_ACCESSIBLE_PROPERTY_LABEL, label.c_str());
  std::string text = mismatch ? mismatch : "";
  g_free(mismatch);
  return text;
}

void show(ShellWindow& shell, Screen screen) {
  shell.workspace().screen = screen;
  shell.settle();
}

vesk::ui::FramedPage* framedPage(ShellWindow& shell) {
  return dynamic_cast<vesk::ui::FramedPage*>(shell.root().screenSlot().page());
}

}  // namespace

TEST_F(WindowHeaderTest, EachScreenHasItsTitleAndToolbar) {
  ShellWindow shell;
  using enum HeaderItem;
  EXPECT_FALSE(header(shell).title().get_visible()) << "no title on home";
  EXPECT_EQ(toolbar(shell).items(), (Items{toggleSidebar, separator, newAudit}));
  vesk::testing::renderAndKeep(shell.root().header(), "header-home.png");

  show(shell, Screen::input);
  EXPECT_TRUE(header(shell).title().get_visible());
  EXPECT_EQ(header(shell).title().get_text(), "New audit");
  EXPECT_EQ(toolbar(shell).items(), (Items{toggleSidebar, addFiles, separator, newAudit}));
  vesk::testing::renderAndKeep(shell.root().header(), "header-input.png");
  // Labels are tooltips and accessible names, with the keys as the desktop writes them.
  const std::vector<std::pair<HeaderItem, std::string>> labels{
      {toggleSidebar, "Toggle sidebar (F9)"}, {addFiles, "Add files (Shift+Ctrl+O)"}, {newAudit, "New audit (Ctrl+N)"}};
  for (const auto& [item, label] : labels) {
    auto* button = toolbar(shell).button(item);
    ASSERT_NE(button, nullptr) << label;
    EXPECT_EQ(std::string(button->get_tooltip_text()), label);
    EXPECT_EQ(accessibleLabelMismatch(*button, label), "");
  }
  shell.workspace().busy = true;
  shell.settle();
  EXPECT_FALSE(toolbar(shell).button(addFiles)->get_sensitive());
  EXPECT_FALSE(toolbar(shell).button(newAudit)->get_sensitive());
  shell.workspace().busy = false;

  show(shell, Screen::discovery);
  EXPECT_EQ(header(shell).title().get_text(), "Discovery");
  EXPECT_EQ(toolbar(shell).items(), (Items{toggleSidebar, back, separator, newAudit}));
  EXPECT_EQ(toolbar(shell).button(back)->get_tooltip_text(), "Back (Ctrl+[)");
  vesk::testing::renderAndKeep(shell.root().header(), "header-discovery.png");

  // A report of a run whose project name looks like markup: shown as it is.
  auto run = vesk::testing::savedRun("r1", "complete", "full", false, "Atlas <i>beta</i> & co");
  run.agent = "olva";
  shell.workspace().current = run;
  show(shell, Screen::report);
  EXPECT_EQ(header(shell).title().get_text(), "Atlas <i>beta</i> & co");
  EXPECT_EQ(toolbar(shell).items(),
            (Items{toggleSidebar, separator, exportPDF, shareReport, print, separator, newAudit}));
  EXPECT_FALSE(toolbar(shell).button(exportPDF)->get_sensitive());
  EXPECT_FALSE(toolbar(shell).button(shareReport)->get_sensitive());
  EXPECT_TRUE(toolbar(shell).button(print)->get_sensitive());
  EXPECT_EQ(toolbar(shell).button(exportPDF)->get_tooltip_text(), "Export PDF");
  EXPECT_EQ(toolbar(shell).button(shareReport)->get_tooltip_text(), "Share report…");
  EXPECT_EQ(toolbar(shell).button(print)->get_tooltip_text(), "Print report (Ctrl+P)");
  run.agent = std::nullopt;
  shell.workspace().current = run;
  shell.settle();
  EXPECT_TRUE(toolbar(shell).button(exportPDF)->get_sensitive());
  EXPECT_TRUE(toolbar(shell).button(shareReport)->get_sensitive());
  vesk::testing::renderAndKeep(shell.root().header(), "header-report.png");
  vesk::testing::renderAndKeep(shell.window(), "window-report-header.png");

  // Share and Print reach whoever owns those effects: the report screen.
  int shared = 0, printed = 0;
  auto shareOwner = shell.window().actions().shareReport().own([&] { ++shared; });
  auto printOwner = shell.window().actions().print().own([&] { ++printed; });
  shell.clickCentre(*toolbar(shell).button(shareReport));
  shell.clickCentre(*toolbar(shell).button(print));
  EXPECT_EQ(shared, 1);
  EXPECT_EQ(printed, 1);
}

TEST_F(WindowHeaderTest, ButtonsAndTheirKeysWorkOnlyWhereTheyAreShown) {
  ShellWindow shell;
  auto& workspace = shell.workspace();
  using enum HeaderItem;

  // Ctrl+[ on home, input, progress: nothing.
  for (const Screen screen : {Screen::home, Screen::input, Screen::progress}) {
    show(shell, screen);
    shell.pressChord({"Control_L", "bracketleft"});
    shell.settle();
    EXPECT_EQ(*workspace.screen, screen) << vesk::rawValue(screen);
  }
  // On review it leads to discovery with the answers kept; on live discovery to a new audit.
  const std::map<std::string, std::vector<std::string>> chosen{{"q0", {"Speed"}}};
  workspace.answers.set(chosen);
  workspace.urls = "https://shop.example.com";
  show(shell, Screen::review);
  shell.pressChord({"Control_L", "bracketleft"});
  EXPECT_EQ(*workspace.screen, Screen::discovery);
  EXPECT_EQ(*workspace.answers, chosen);
  shell.settle();
  shell.clickCentre(*toolbar(shell).button(back));
  EXPECT_EQ(*workspace.screen, Screen::input);
  EXPECT_EQ(*workspace.urls, "") << "a fresh composer";

  // Shift+Ctrl+O opens the file panel on the composer only, and not while busy.
  shell.settle();
  shell.pressChord({"Shift_L", "Control_L", "o"});
  ASSERT_TRUE(vesk::testing::runUntil([&] { return shell.files().shown == 1; }));
  shell.settle();
  workspace.busy = true;
  shell.settle();
  shell.pressChord({"Shift_L", "Control_L", "o"});
  shell.settle();
  EXPECT_EQ(shell.files().shown, 1) << "busy";
  workspace.busy = false;
  show(shell, Screen::discovery);
  shell.pressChord({"Shift_L", "Control_L", "o"});
  shell.settle();
  EXPECT_EQ(shell.files().shown, 1) << "not on the composer";
  show(shell, Screen::input);
  shell.clickCentre(*toolbar(shell).button(addFiles));
  ASSERT_TRUE(vesk::testing::runUntil([&] { return shell.files().shown == 2; }));

  // The sidebar button toggles the sidebar; New audit gives a fresh composer.
  shell.settle();
  shell.clickCentre(*toolbar(shell).button(toggleSidebar));
  EXPECT_FALSE(*shell.root().state().sidebarVisible);
  workspace.brief = "draft";
  show(shell, Screen::home);
  shell.clickCentre(*toolbar(shell).button(newAudit));
  EXPECT_EQ(*workspace.screen, Screen::input);
  EXPECT_EQ(*workspace.brief, "");
}

TEST_F(WindowHeaderTest, PageScreensSitInTheFrameAndEachVisitIsFresh) {
  ShellWindow shell;
  auto& root = shell.root();
  for (const Screen screen : {Screen::home, Screen::input, Screen::discovery, Screen::review, Screen::progress}) {
    show(shell, screen);
    auto* page = framedPage(shell);
    ASSERT_NE(page, nullptr) << vesk::rawValue(screen);
    const auto veil = boundsIn(page->bottomVeil(), *page);
    EXPECT_EQ(veil.height, 32);
    EXPECT_EQ(veil.y + veil.height, page->get_height()) << "at the bottom edge";
    EXPECT_TRUE(page->bottomVeil().bottom());
    EXPECT_DOUBLE_EQ(page->bottomVeil().opaqueFraction(), 0.42);
  }
  for (const Screen screen : {Screen::report, Screen::account, Screen::library}) {
    show(shell, screen);
    EXPECT_EQ(framedPage(shell), nullptr) << vesk::rawValue(screen) << " brings its own scrolling";
  }
  // Leaving a screen and coming back builds a new page.
  show(shell, Screen::discovery);
  auto* first = root.screenSlot().page();
  // Told apart by more than its address, which a new page may well reuse.
  bool firstGone = false;
  first->signal_destroy().connect([&firstGone] { firstGone = true; });
  first->set_name("first-visit");
  show(shell, Screen::review);
  show(shell, Screen::discovery);
  EXPECT_TRUE(firstGone);
  EXPECT_NE(root.screenSlot().page()->get_name(), "first-visit");

  // At 1700 wide the column is 790 and centred in the main column.
  shell.window().set_default_size(1700, 900);
  GdkSurface* surface = gtk_native_get_surface(GTK_NATIVE(shell.window().gobj()));
  ASSERT_TRUE(vesk::testing::runUntil([&] { return gdk_surface_get_width(surface) == 1700; }))
      << gdk_surface_get_width(surface);
  shell.settle();
  auto& column = framedPage(shell)->frame().column();
  const auto bounds = boundsIn(column, root.mainColumn());
  EXPECT_EQ(bounds.width, 790);
  EXPECT_LE(std::abs(bounds.x + bounds.width / 2 - root.mainColumn().get_width() / 2), 1);
  EXPECT_EQ(bounds.y, 132);
  vesk::testing::renderAndKeep(shell.window(), "page-frame-1700.png");

  // A band taller than 78 moves the column down by the difference.
  Gtk::Box tall;
  tall.set_size_request(10, 100);
  root.header().titleSlot().append(tall);
  ASSERT_TRUE(vesk::testing::runUntil([&] { return root.header().get_height() == 112; }));
  ASSERT_TRUE(vesk::testing::runUntil([&] { return boundsIn(column, root.mainColumn()).y == 132 + 112 - 78; }));
  root.header().titleSlot().remove(tall);
  ASSERT_TRUE(vesk::testing::runUntil([&] { return boundsIn(column, root.mainColumn()).y == 132; }));
}

// The application window under a real pointer and keyboard: its size and chrome, the
// primary menu and the commands' enabled states, the shortcuts and the Help links.
#include "ui/support/shell_window.h"
#include "build_config.h"
#include "support/run_loop.h"
#include "support/workspace_harness.h"
#include "ui/app/header_band.h"
#include "ui/app/root_view.h"
#include "ui/app/screen_slot.h"
#include "ui/app/shell_actions.h"
#include "ui/app/shell_commands.h"
#include "ui/audit/depth_control.h"
#include "ui/support/synthetic_input.h"
#include "ui/support/ui_test.h"

#include <gtkmm/label.h>
#include <gtkmm/settings.h>
#include <gtkmm/windowcontrols.h>
#include <gtkmm/windowhandle.h>

using namespace std::chrono_literals;
using vesk::Screen;
using vesk::testing::ShellWindow;
using vesk::testing::SyntheticInput;

namespace {

class ShellWindowTest : public vesk::testing::UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    if (!SyntheticInput::available()) GTEST_SKIP() << "needs an X11 display with XTest";
    SyntheticInput::moveAway();
  }
};

bool enabled(ShellWindow& shell, const vesk::ui::ShellCommand& command) {
  auto action = shell.window().lookup_action(command.name);
  return action && action->get_enabled();
}

struct Gate {
  bool newAudit, settings, history, print;
  bool operator==(const Gate&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Gate& gate) {
  return out << "{new " << gate.newAudit << ", settings " << gate.settings << ", history " << gate.history << ", print "
             << gate.print << "}";
}

Gate gate(ShellWindow& shell) {
  using C = vesk::ui::ShellCommands;
  return {enabled(shell, C::newAudit), enabled(shell, C::settings), enabled(shell, C::history),
          enabled(shell, C::print)};
}

}  // namespace

TEST_F(ShellWindowTest, OpensAtItsDefaultSizeWithTheRootsMinimumAndAHiddenTitleBar) {
  ShellWindow shell;
  auto& root = shell.root();
  EXPECT_EQ(shell.window().get_title(), "Vesk");
  int width = 0, height = 0;
  shell.window().get_default_size(width, height);
  EXPECT_EQ(width, 1220);
  EXPECT_EQ(height, 850);
  // Without a compositor the window draws its resize frame inside its size; with one, the
  // frame is a shadow outside it.
  double frameX = 0, frameY = 0;
  gtk_native_get_surface_transform(GTK_NATIVE(shell.window().gobj()), &frameX, &frameY);
  if (!shell.window().get_display()->is_composited()) {
    GdkSurface* surface = gtk_native_get_surface(GTK_NATIVE(shell.window().gobj()));
    EXPECT_EQ(gdk_surface_get_width(surface), 1220);
    EXPECT_EQ(gdk_surface_get_height(surface), 850);
    EXPECT_EQ(root.get_width(), 1220 - 2 * static_cast<int>(frameX));
    EXPECT_EQ(root.get_height(), 850 - 2 * static_cast<int>(frameY));
  } else {
    EXPECT_EQ(root.get_width(), 1220);
    EXPECT_EQ(root.get_height(), 850);
  }
  int minimum = 0, natural = 0, ignored = 0;
  root.measure(Gtk::Orientation::HORIZONTAL, -1, minimum, natural, ignored, ignored);
  EXPECT_EQ(minimum, 1020);
  root.measure(Gtk::Orientation::VERTICAL, -1, minimum, natural, ignored, ignored);
  EXPECT_EQ(minimum, 740);

  // The title bar is an empty widget; the header band drags the window and ends with
  // the window's controls.
  auto* titlebar = shell.window().get_titlebar();
  ASSERT_NE(titlebar, nullptr);
  EXPECT_EQ(titlebar->get_first_child(), nullptr);
  EXPECT_EQ(titlebar->get_height(), 0);
  auto& header = root.header();
  EXPECT_NE(dynamic_cast<Gtk::WindowHandle*>(header.get_parent()), nullptr);
  EXPECT_NE(dynamic_cast<Gtk::WindowControls*>(header.row().get_last_child()), nullptr);
  EXPECT_FALSE(shell.window().get_settings()->property_gtk_application_prefer_dark_theme().get_value());
}

TEST_F(ShellWindowTest, KeepsTheLightLookWhateverTheDesktopPrefers) {
  auto settings = Gtk::Settings::get_default();
  const Glib::ustring theme = settings->property_gtk_theme_name();
  settings->property_gtk_application_prefer_dark_theme() = true;
  settings->property_gtk_theme_name() = "Adwaita-dark";
  vesk::ui::keepLightLook(settings);
  EXPECT_FALSE(settings->property_gtk_application_prefer_dark_theme().get_value());
  EXPECT_EQ(settings->property_gtk_theme_name().get_value(), "Adwaita");

  // Settings already light are left alone: a write would make GTK load its theme again.
  int notified = 0;
  const auto counting = [&notified] { ++notified; };
  auto darkChanges = settings->property_gtk_application_prefer_dark_theme().signal_changed().connect(counting);
  auto themeChanges = settings->property_gtk_theme_name().signal_changed().connect(counting);
  vesk::ui::keepLightLook(settings);
  EXPECT_EQ(notified, 0);
  darkChanges.disconnect();
  themeChanges.disconnect();
  settings->property_gtk_theme_name() = theme;
}

TEST_F(ShellWindowTest, TheScreenLeftLeavesTheWindowAtOnceAndIsTornDownAfterTheNextFrame) {
  ShellWindow shell;
  auto& slot = shell.root().screenSlot();
  shell.settle();
  const auto watch = [](Gtk::Widget& page, bool& gone) { page.signal_destroy().connect([&gone] { gone = true; }); };
  auto* home = slot.page();
  bool homeGone = false;
  watch(*home, homeGone);
  // The switch as the presentation makes it, with no turn of the loop in between.
  shell.workspace().screen = Screen::account;
  slot.show(Screen::account);
  EXPECT_EQ(slot.retiredPage(), home);
  EXPECT_EQ(home->get_parent(), nullptr) << "the old screen left the window";
  EXPECT_FALSE(homeGone) << "and waits for the next frame to be torn down";
  auto* account = slot.page();
  bool accountGone = false;
  watch(*account, accountGone);
  // Another switch before any frame: the view still waiting goes, the one replaced waits.
  shell.workspace().screen = Screen::home;
  slot.show(Screen::home);
  EXPECT_TRUE(homeGone);
  EXPECT_EQ(slot.retiredPage(), account);
  // On a loaded machine the next frame may take a while: the loop runs until it came.
  EXPECT_TRUE(vesk::testing::runUntil([&] {
    shell.window().queue_draw();
    return accountGone;
  }));
  EXPECT_EQ(slot.retiredPage(), nullptr);
  shell.settle();
  // The new home screen takes real input.
  const auto depths = vesk::testing::descendants(
      *slot.page(), [](Gtk::Widget& w) { return dynamic_cast<vesk::ui::DepthControl*>(&w) != nullptr; });
  ASSERT_EQ(depths.size(), 1u);
  shell.clickCentre(static_cast<vesk::ui::DepthControl*>(depths[0])->pill(1));
  EXPECT_EQ(*shell.workspace().auditMode, "full");
}

TEST_F(ShellWindowTest, TheNavigationCommandsFollowTheGateAndPrintTheReportScreen) {
  ShellWindow shell;
  auto& workspace = shell.workspace();
  EXPECT_EQ(gate(shell), (Gate{true, true, true, false}));

  workspace.reportMutationInFlight = true;
  shell.settle();
  EXPECT_EQ(gate(shell), (Gate{false, false, false, false})) << "during a report change";
  shell.openMenu();
  auto* settings = shell.menuItem("Settings\u2026");
  ASSERT_NE(settings, nullptr);
  EXPECT_FALSE(settings->is_sensitive()) << "the menu shows it disabled";
  shell.press("Escape");
  workspace.reportMutationInFlight = false;

  workspace.busy = true;
  shell.settle();
  EXPECT_EQ(gate(shell), (Gate{false, false, false, false})) << "busy with no run";
  workspace.current = vesk::testing::savedRun("r1", "running", "full");
  shell.settle();
  EXPECT_EQ(gate(shell), (Gate{true, true, true, false})) << "only watching a live running run";
  workspace.fixture = true;
  shell.settle();
  EXPECT_EQ(gate(shell), (Gate{false, false, false, false})) << "the local preview's sample run is not watching";
  workspace.fixture = false;
  workspace.busy = false;

  for (const auto screen : {Screen::home, Screen::input, Screen::discovery, Screen::review, Screen::progress,
                            Screen::account, Screen::library}) {
    workspace.screen = screen;
    shell.settle();
    EXPECT_FALSE(gate(shell).print) << vesk::rawValue(screen);
  }
  workspace.screen = Screen::report;
  shell.settle();
  EXPECT_TRUE(gate(shell).print);
  // Printing and sharing belong to the report screen, which takes them over while it
  // shows. The root owns the tips and the feedback sheet.
  auto& actions = shell.window().actions();
  EXPECT_TRUE(actions.print().owned());
  EXPECT_TRUE(actions.shareReport().owned());
  EXPECT_TRUE(actions.tips().owned());
  EXPECT_TRUE(actions.feedback().owned());
  shell.window().activate_action(vesk::ui::ShellCommands::print.detailedName());
  shell.window().activate_action(vesk::ui::ShellCommands::shareReport.detailedName());
  shell.settle();
  EXPECT_EQ(*workspace.screen, Screen::report);
  shell.press("Escape");  // dismisses the share sheet that the command opened
  shell.settle();
  {
    auto owner = actions.print().own([&] { workspace.error = std::string("printed"); });
    shell.window().activate_action(vesk::ui::ShellCommands::print.detailedName());
    EXPECT_EQ(*workspace.error, std::optional<std::string>("printed"));
  }
  EXPECT_FALSE(actions.print().owned()) << "the owner gave it back when it went";
  workspace.error = std::nullopt;

  // An enabled item does its work when clicked.
  shell.openMenu();
  EXPECT_TRUE(shell.menuItem("Projects & history")->is_sensitive());
  shell.clickMenuItem("Projects & history");
  EXPECT_EQ(*workspace.screen, Screen::library);
}

TEST_F(ShellWindowTest, AGateThatShutsAfterTheMenuShowedMakesSettingsAndHistoryDoNothing) {
  ShellWindow shell;
  auto& workspace = shell.workspace();
  shell.openMenu();
  ASSERT_TRUE(shell.menuItem("Settings\u2026")->is_sensitive());
  // The gate shuts; in the same turn, before the menu could follow, the user's click
  // reaches the still-enabled commands.
  workspace.busy = true;
  ASSERT_TRUE(enabled(shell, vesk::ui::ShellCommands::settings));
  shell.window().activate_action(vesk::ui::ShellCommands::settings.detailedName());
  shell.window().activate_action(vesk::ui::ShellCommands::history.detailedName());
  shell.window().activate_action(vesk::ui::ShellCommands::newAudit.detailedName());
  EXPECT_EQ(*workspace.screen, Screen::home);
  shell.press("Escape");
  shell.settle();
  EXPECT_FALSE(enabled(shell, vesk::ui::ShellCommands::settings));
}

TEST_F(ShellWindowTest, TheShortcutsNavigateAndHistoryAlwaysOpensWithNoProject) {
  ShellWindow shell;
  auto& workspace = shell.workspace();
  workspace.screen = Screen::library;
  workspace.libraryProjectID = std::string("p1");
  shell.settle();
  std::optional<std::optional<std::string>> projectWhenTheScreenChanged;
  auto watch =
      workspace.screen.signalChanged().connect([&] { projectWhenTheScreenChanged = *workspace.libraryProjectID; });

  shell.pressChord({"Control_L", "comma"});
  EXPECT_EQ(*workspace.screen, Screen::account);
  shell.pressChord({"Control_L", "Shift_L", "h"});
  EXPECT_EQ(*workspace.screen, Screen::library);
  EXPECT_EQ(*workspace.libraryProjectID, std::nullopt);
  ASSERT_TRUE(projectWhenTheScreenChanged);
  EXPECT_EQ(*projectWhenTheScreenChanged, std::nullopt) << "the project is cleared before the library shows";

  // Already on the library with a project open: the project still goes.
  workspace.libraryProjectID = std::string("p2");
  shell.pressChord({"Control_L", "Shift_L", "h"});
  EXPECT_EQ(*workspace.libraryProjectID, std::nullopt);

  const auto draft = *workspace.draftID;
  shell.pressChord({"Control_L", "n"});
  EXPECT_EQ(*workspace.screen, Screen::input);
  EXPECT_NE(*workspace.draftID, draft);
  watch.disconnect();
}

TEST_F(ShellWindowTest, TheMenuHoldsItsSectionsWithTheirShortcutsAndTheHelpLinksOpenBuiltInPages) {
  ShellWindow shell;
  shell.workspace().originText = std::string("https://elsewhere.example");  // links do not follow it
  shell.openMenu();
  for (const char* label :
       {"New audit", "Projects & history", "Print report", "Settings\u2026", "Get a better read", "How it works",
        "Send feedback", "About Vesk", "MCP connections", "Figma", "Privacy", "Terms", "Quit"})
    EXPECT_NE(shell.menuItem(label), nullptr) << label;
  EXPECT_EQ(shell.menuItem("Check for updates\u2026"), nullptr);
  // The shortcuts beside the items are GTK's own labels of the keys: an item's second label.
  const auto shortcutOf = [&](const char* item) {
    const auto labels = vesk::testing::descendants(
        *shell.menuItem(item), [](Gtk::Widget& widget) { return dynamic_cast<Gtk::Label*>(&widget) != nullptr; });
    return labels.size() < 2 ? std::string() : std::string(dynamic_cast<Gtk::Label*>(labels[1])->get_text());
  };
  EXPECT_EQ(shortcutOf("New audit"), "Ctrl+N");
  EXPECT_EQ(shortcutOf("Projects & history"), "Shift+Ctrl+H");
  EXPECT_EQ(shortcutOf("Settings…"), std::string(vesk::ui::shortcutLabel(vesk::ui::ShellCommands::settings)));
  EXPECT_EQ(shortcutOf("Print report"), "Ctrl+P");
  EXPECT_EQ(shortcutOf("Quit"), "Ctrl+Q");
  EXPECT_EQ(shortcutOf("Terms"), "");
  EXPECT_EQ(vesk::ui::labelWithShortcut("Toggle sidebar", vesk::ui::ShellCommands::toggleSidebar),
            "Toggle sidebar (F9)");

  shell.clickMenuItem("Terms");
  ASSERT_EQ(shell.opened().size(), 1u);
  EXPECT_EQ(shell.opened().back(), std::string(vesk::build::serviceOrigin) + "/terms");
  shell.openMenu();
  shell.clickMenuItem("About Vesk");
  ASSERT_EQ(shell.opened().size(), 2u);
  EXPECT_EQ(shell.opened().back(), std::string(vesk::build::serviceOrigin) + "/");
  shell.openMenu();
  shell.clickMenuItem("How it works");
  EXPECT_EQ(shell.opened().back(), std::string(vesk::build::serviceOrigin) + "/#how-it-works");
}

TEST_F(ShellWindowTest, MenuLabelsKeepTheUnderscoresOfData) {
  EXPECT_EQ(vesk::ui::menuLabel("my_project__v2"), "my__project____v2");
  EXPECT_EQ(vesk::ui::menuLabel("Projects & history"), "Projects & history");
}

// Closing hides the window, which takes it out of the application, so the application
// ends; the window itself stays intact until then.
TEST_F(ShellWindowTest, QuitClosesTheWindow) {
  ShellWindow shell;
  SyntheticInput::pressChord({"Control_L", "q"});
  EXPECT_TRUE(vesk::testing::runUntil([&] { return !shell.window().get_visible(); }));
}

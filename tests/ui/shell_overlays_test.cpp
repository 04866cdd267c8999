// What opens over the window, under a real pointer and keyboard: the tips panel, the
// sheets and the file panel.
#include "core/shell/tips_content.h"
#include "support/run_loop.h"
#include "ui/account/feedback_sheet.h"
#include "ui/app/header_band.h"
#include "ui/app/root_view.h"
#include "ui/app/sheet_layer.h"
#include "ui/app/shell_commands.h"
#include "ui/app/tips_overlay.h"
#include "ui/app/tips_trigger.h"
#include "ui/audit/tips_panel.h"
#include "ui/sidebar/account_footer.h"
#include "ui/support/shell_window.h"
#include "ui/support/synthetic_input.h"
#include "ui/support/ui_test.h"

#include <gtkmm/button.h>
#include <gtkmm/label.h>

#include <fstream>

using namespace std::chrono_literals;
using vesk::testing::boundsIn;
using vesk::testing::runUntil;
using vesk::testing::ShellWindow;
using vesk::testing::SyntheticInput;

namespace {

class ShellOverlaysTest : public vesk::testing::UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    if (!SyntheticInput::available()) GTEST_SKIP() << "needs an X11 display with XTest";
    SyntheticInput::moveAway();
  }
};

// A button of the test's own in the header's toolbar slot, which counts its clicks.
struct ToolbarButton {
  Gtk::Button button{"Tips"};
  int clicks = 0;
  explicit ToolbarButton(ShellWindow& shell) : slot(shell.root().header().toolbarSlot()) {
    button.signal_clicked().connect([this] { ++clicks; });
    slot.append(button);
  }
  ~ToolbarButton() { slot.remove(button); }
  Gtk::Box& slot;
};

bool accessibleHidden(Gtk::Widget& widget) {
  if (!gtk_test_accessible_has_state(GTK_ACCESSIBLE(widget.gobj()), GTK_ACCESSIBLE_STATE_HIDDEN)) return false;
  char* difference = gtk_test_accessible_check_state(GTK_ACCESSIBLE(widget.gobj()), GTK_ACCESSIBLE_STATE_HIDDEN, TRUE);
  g_free(difference);
  return difference == nullptr;
}

bool focusWithin(ShellWindow& shell, Gtk::Widget& ancestor) {
  auto* focus = shell.window().get_focus();
  return focus && (focus == &ancestor || focus->is_ancestor(ancestor));
}

}  // namespace

TEST_F(ShellOverlaysTest, TheTipsOpenOnceCloseWithEscapeAndHandFocusBack) {
  ShellWindow shell;
  auto& root = shell.root();
  shell.workspace().screen = vesk::Screen::discovery;  // a screen without the composer
  shell.settle();
  auto& tips = root.tips();
  // Two requests in a row: one overlay, which one Escape closes.
  shell.window().activate_action(vesk::ui::ShellCommands::tips.detailedName());
  shell.window().activate_action(vesk::ui::ShellCommands::tips.detailedName());
  shell.settle();
  EXPECT_TRUE(tips.shown());
  EXPECT_EQ(
      vesk::testing::descendants(root, [](Gtk::Widget& w) { return dynamic_cast<vesk::ui::TipsOverlay*>(&w); }).size(),
      1u);
  auto& close = tips.panel().closeButton();
  EXPECT_EQ(shell.window().get_focus(), &close) << "focus starts on the close button";
  EXPECT_TRUE(shell.window().get_focus_visible()) << "with its ring showing";
  EXPECT_EQ(close.get_tooltip_text(), "Close tips");
  EXPECT_TRUE(close.has_css_class("vesk-pill"));
  EXPECT_EQ(close.get_width(), 28);
  EXPECT_EQ(close.get_height(), 28);
  EXPECT_TRUE(root.mainRow().has_css_class("vesk-blurred"));
  EXPECT_FALSE(root.mainRow().get_can_target());
  EXPECT_TRUE(accessibleHidden(root.mainRow()));

  shell.press("Escape");
  EXPECT_FALSE(*root.state().showingTips);
  EXPECT_EQ(shell.window().get_focus(), nullptr) << "no composer: no control takes the focus";
  EXPECT_TRUE(runUntil([&] { return !tips.get_visible(); }));
  EXPECT_TRUE(root.mainRow().get_can_target());
  EXPECT_FALSE(root.mainRow().has_css_class("vesk-blurred"));
  EXPECT_FALSE(accessibleHidden(root.mainRow()));

  // With the composer's Tips control shown, it takes the focus back.
  ToolbarButton trigger(shell);
  vesk::ui::bindTipsTrigger(trigger.button, root.state());
  trigger.button.signal_clicked().connect([&] { root.state().showingTips = true; });
  shell.settle();
  shell.clickCentre(trigger.button);
  EXPECT_TRUE(tips.shown());
  shell.press("Escape");
  EXPECT_TRUE(runUntil([&] { return shell.window().get_focus() == &trigger.button; }));
  // The close button, pressed with the keyboard, does the same.
  shell.clickCentre(trigger.button);
  ASSERT_EQ(shell.window().get_focus(), &close);
  shell.press("space");
  EXPECT_TRUE(runUntil([&] { return !*root.state().showingTips; }));
  EXPECT_TRUE(runUntil([&] { return shell.window().get_focus() == &trigger.button; }));
}

TEST_F(ShellOverlaysTest, TheHomeShellBuildsItsHiddenPartsOnlyWhenAskedAndTheyWorkThen) {
  ShellWindow shell;
  auto& root = shell.root();
  shell.settle();
  const auto count = [&root](auto match) { return vesk::testing::descendants(root, match).size(); };
  EXPECT_FALSE(root.tips().built());
  EXPECT_EQ(count([](Gtk::Widget& w) { return dynamic_cast<vesk::ui::TipsPanel*>(&w); }), 0u);
  EXPECT_EQ(root.header().menuButton().get_popover(), nullptr) << "the primary menu's popover waits for a click";
  const auto footers = vesk::testing::descendants(
      root, [](Gtk::Widget& w) { return dynamic_cast<vesk::ui::AccountFooter*>(&w) != nullptr; });
  ASSERT_EQ(footers.size(), 1u);
  EXPECT_FALSE(static_cast<vesk::ui::AccountFooter*>(footers[0])->menuBuilt());
  EXPECT_EQ(root.sheets().depth(), 0u);

  // Opened by real input, the menu and the tips are whole.
  shell.openMenu();
  ASSERT_NE(shell.menuItem("Get a better read"), nullptr);
  shell.clickMenuItem("Get a better read");
  ASSERT_TRUE(root.tips().built());
  ASSERT_TRUE(runUntil([&] { return root.tips().panel().get_mapped(); }));
  EXPECT_EQ(shell.window().get_focus(), &root.tips().panel().closeButton());
  EXPECT_EQ(root.tips().panel().tipLabels().size(), 5u);
  shell.press("space");
  EXPECT_TRUE(runUntil([&] { return !*root.state().showingTips && !root.tips().get_visible(); }));
  // Opened again, it is the same panel.
  shell.openMenu();
  shell.clickMenuItem("Get a better read");
  EXPECT_EQ(count([](Gtk::Widget& w) { return dynamic_cast<vesk::ui::TipsPanel*>(&w); }), 1u);
  shell.press("Escape");
  EXPECT_TRUE(runUntil([&] { return !*root.state().showingTips; }));
}

TEST_F(ShellOverlaysTest, AClickOnTheBackdropClosesTheTipsWithoutReachingTheButtonBeneath) {
  ShellWindow shell;
  ToolbarButton beneath(shell);
  shell.settle();
  auto& root = shell.root();
  shell.openMenu();
  shell.clickMenuItem("Get a better read");
  ASSERT_TRUE(root.tips().shown());
  const auto place = boundsIn(beneath.button, root);
  shell.click(root, place.x + place.width / 2.0, place.y + place.height / 2.0);
  EXPECT_FALSE(*root.state().showingTips);
  EXPECT_EQ(beneath.clicks, 0);
  // Once closed, the button takes clicks again.
  ASSERT_TRUE(runUntil([&] { return !root.tips().get_visible(); }));
  shell.click(root, place.x + place.width / 2.0, place.y + place.height / 2.0);
  EXPECT_EQ(beneath.clicks, 1);
}

TEST_F(ShellOverlaysTest, ThePanelShowsItsFiveTipsInOrderUnderItsHeading) {
  ShellWindow shell;
  auto& root = shell.root();
  root.state().showingTips = true;
  shell.settle();
  auto& panel = root.tips().panel();
  EXPECT_EQ(std::string(panel.heading().get_text()), "Get a better read.");
  const std::vector<std::pair<std::string, std::string>> expected = {
      {"Audit a website", "Add related URLs\u2014home, product, pricing\u2014to give Vesk a fuller picture."},
      {"Audit a private product",
       "Upload up to five screenshots in journey order. Include important steps and error or empty states."},
      {"Give useful context", "Say who it\u2019s for, what they should accomplish, and what feels off."},
      {"Choose the depth",
       "Quick read gives a focused second opinion. Full audit brings eight expert angles and a detailed report."},
      {"Know the limits",
       "Vesk audits what you provide. It doesn\u2019t sign in, automatically explore the whole site, or test whether "
       "buttons work."}};
  const auto& labels = panel.tipLabels();
  ASSERT_EQ(labels.size(), expected.size());
  int previousTop = boundsIn(panel.heading(), panel).y;
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(std::string(labels[i].first->get_text()), expected[i].first);
    EXPECT_EQ(std::string(labels[i].second->get_text()), expected[i].second);
    const int top = boundsIn(*labels[i].first, panel).y;
    EXPECT_GT(top, previousTop) << expected[i].first;
    EXPECT_GT(boundsIn(*labels[i].second, panel).y, top);
    previousTop = boundsIn(*labels[i].second, panel).y;
  }
  // A long body wraps onto lines one and a half times the text size high.
  EXPECT_GE(labels[4].second->get_height(), 2 * 22);

  // A fixed card in the top trailing corner.
  const auto card = boundsIn(panel, root);
  EXPECT_EQ(card.width, 420);
  EXPECT_EQ(card.height, 480);
  EXPECT_EQ(card.y, 120);
  EXPECT_EQ(root.get_width() - (card.x + card.width), 36);
  vesk::testing::renderAndKeep(shell.window(), "shell-tips.png");
}

TEST_F(ShellOverlaysTest, ASheetHoldsFocusAndEscapeAndASecondStacksOnTheFirst) {
  ShellWindow shell;
  auto& root = shell.root();
  auto& sheets = root.sheets();
  ToolbarButton beneath(shell);
  shell.settle();
  beneath.button.grab_focus();

  auto content = std::make_unique<Gtk::Box>(Gtk::Orientation::VERTICAL, 12);
  content->set_margin(28);
  content->set_size_request(420, -1);
  auto* heading = Gtk::make_managed<Gtk::Label>("A sheet of the tests");
  auto* first = Gtk::make_managed<Gtk::Button>("First");
  auto* second = Gtk::make_managed<Gtk::Button>("Second");
  for (Gtk::Widget* child :
       {static_cast<Gtk::Widget*>(heading), static_cast<Gtk::Widget*>(first), static_cast<Gtk::Widget*>(second)})
    content->append(*child);
  int dismissed = 0;
  vesk::ui::SheetLayer::Options options;
  options.onDismissed = [&] { ++dismissed; };
  sheets.present(std::move(content), std::move(options));
  shell.settle();

  ASSERT_EQ(sheets.depth(), 1u);
  auto* surface = sheets.topSurface();
  const auto placed = boundsIn(*surface, root);
  EXPECT_NEAR(placed.x + placed.width / 2.0, root.get_width() / 2.0, 1);
  EXPECT_NEAR(placed.y + placed.height / 2.0, root.get_height() / 2.0, 1);
  EXPECT_EQ(boundsIn(*sheets.topBackdrop(), root).width, root.get_width());
  EXPECT_EQ(shell.window().get_focus(), first) << "focus moves into the sheet";
  EXPECT_FALSE(root.mainRow().get_can_target());
  EXPECT_TRUE(accessibleHidden(root.mainRow()));
  vesk::testing::renderAndKeep(shell.window(), "shell-sheet.png");

  // Tab goes round the sheet's controls and never behind it.
  for (int i = 0; i < 4; ++i) {
    shell.press("Tab");
    EXPECT_TRUE(focusWithin(shell, *surface)) << "after " << i + 1 << " Tab";
  }
  // The window behind takes no clicks.
  const auto place = boundsIn(beneath.button, root);
  shell.click(root, place.x + place.width / 2.0, place.y + place.height / 2.0);
  EXPECT_EQ(beneath.clicks, 0);

  // A second sheet, which refuses Escape while it works, stacks on the first.
  bool working = true;
  vesk::ui::SheetLayer::Options refusing;
  refusing.escapeCloses = [&] { return !working; };
  auto busyButton = std::make_unique<Gtk::Button>("Sending\u2026");
  const auto secondSheet = sheets.present(std::move(busyButton), std::move(refusing));
  shell.settle();
  EXPECT_EQ(sheets.depth(), 2u);
  EXPECT_FALSE(focusWithin(shell, *surface));
  shell.press("Escape");
  EXPECT_EQ(sheets.depth(), 2u) << "the working sheet keeps Escape";
  working = false;
  shell.press("Escape");
  EXPECT_EQ(sheets.depth(), 1u);
  EXPECT_EQ(shell.window().get_focus(), first) << "focus returns to the first sheet";
  sheets.dismiss(secondSheet);  // already gone: nothing happens
  EXPECT_EQ(sheets.depth(), 1u);

  shell.press("Escape");
  EXPECT_EQ(sheets.depth(), 0u);
  EXPECT_EQ(dismissed, 1);
  EXPECT_EQ(shell.window().get_focus(), &beneath.button) << "focus returns to where it was";
  EXPECT_TRUE(root.mainRow().get_can_target());
  EXPECT_FALSE(accessibleHidden(root.mainRow()));
  shell.clickCentre(beneath.button);
  EXPECT_EQ(beneath.clicks, 1);
}

TEST_F(ShellOverlaysTest, SendFeedbackOpensItsSheetOnce) {
  ShellWindow shell;
  auto& root = shell.root();
  shell.workspace().busy = true;  // works while the workspace is busy too
  shell.openMenu();
  shell.clickMenuItem("Send feedback");
  ASSERT_EQ(root.sheets().depth(), 1u);
  EXPECT_TRUE(*root.state().showingFeedback);
  shell.window().activate_action(vesk::ui::ShellCommands::feedback.detailedName());
  EXPECT_EQ(root.sheets().depth(), 1u) << "asking again while it shows changes nothing";
  auto* sheet = dynamic_cast<vesk::ui::FeedbackSheet*>(
      dynamic_cast<vesk::ui::VeskSheetSurface*>(root.sheets().topSurface())->get_child());
  ASSERT_NE(sheet, nullptr);
  shell.clickCentre(sheet->cancelButton());
  EXPECT_EQ(root.sheets().depth(), 0u);
  EXPECT_FALSE(*root.state().showingFeedback);

  // The comparison chooser's host: Escape cancels it.
  root.state().changingComparison = true;
  shell.settle();
  EXPECT_EQ(root.sheets().depth(), 1u);
  shell.press("Escape");
  EXPECT_FALSE(*root.state().changingComparison);
  EXPECT_EQ(root.sheets().depth(), 0u);
}

TEST_F(ShellOverlaysTest, TheFilePanelsChoiceReachesTheWorkspaceInOneCall) {
  ShellWindow shell;
  auto& workspace = shell.workspace();
  auto& root = shell.root();
  std::vector<std::string> chosen;
  for (const char* name : {"checkout.png", "cart.png", "notes.txt"}) {
    chosen.push_back(shell.folder() + "/" + name);
    std::ofstream(chosen.back()) << "sample " << name;
  }
  int changes = 0;
  auto counting = workspace.attachments.signalChanged().connect([&] { ++changes; });

  shell.files().answer = chosen;
  root.state().importer = true;
  ASSERT_TRUE(runUntil([&] { return !*root.state().importer && !workspace.attachments->empty(); }));
  shell.settle();
  EXPECT_EQ(shell.files().shown, 1);
  EXPECT_EQ(changes, 1) << "one call adds all three";
  ASSERT_EQ(workspace.attachments->size(), 3u);
  EXPECT_EQ((*workspace.attachments)[0].filename, "checkout.png");
  EXPECT_EQ((*workspace.attachments)[1].filename, "cart.png");
  EXPECT_EQ((*workspace.attachments)[2].filename, "notes.txt");
  EXPECT_EQ(*workspace.error, std::nullopt);

  // Cancelling adds nothing and leaves the error as it was.
  workspace.error = std::string("Still here.");
  shell.files().answer = std::nullopt;
  root.state().importer = true;
  ASSERT_TRUE(runUntil([&] { return !*root.state().importer; }));
  shell.settle();
  EXPECT_EQ(shell.files().shown, 2);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(*workspace.error, std::optional<std::string>("Still here."));

  // A failing panel says why in the banner.
  shell.files().failure = "The file chooser could not open.";
  root.state().importer = true;
  ASSERT_TRUE(runUntil([&] { return !*root.state().importer; }));
  EXPECT_EQ(*workspace.error, std::optional<std::string>("The file chooser could not open."));
  counting.disconnect();
}

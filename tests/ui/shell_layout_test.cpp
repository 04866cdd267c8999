// The root's layout in the real window: the header band and the distances that follow
// its height, the error banner, the top veil, the sidebar toggle and the screen slot.
#include "support/run_loop.h"
#include "ui/account/account_column.h"
#include "ui/account/account_view.h"
#include "ui/app/header_band.h"
#include "ui/app/root_view.h"
#include "ui/app/screen_slot.h"
#include "ui/audit/composer_page.h"
#include "ui/audit/composer_view.h"
#include "ui/library/project_library_view.h"
#include "ui/style/vesk_environment.h"
#include "ui/style/vesk_scroll_veil.h"
#include "ui/support/shell_window.h"
#include "ui/support/synthetic_input.h"
#include "ui/support/ui_test.h"

#include <gtkmm/settings.h>

using namespace std::chrono_literals;
using vesk::Screen;
using vesk::testing::boundsIn;
using vesk::testing::ShellWindow;
using vesk::testing::SyntheticInput;

namespace {

class ShellLayoutTest : public vesk::testing::UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    if (!SyntheticInput::available()) GTEST_SKIP() << "needs an X11 display with XTest";
    SyntheticInput::moveAway();
  }
};

// Where the composer's column starts, from the top of the main column (-1 while no
// composer is shown).
int pageTitleTop(ShellWindow& shell) {
  auto* shown = shell.root().screenSlot().page();
  auto* composer = shown ? vesk::ui::composerViewIn(*shown) : nullptr;
  return composer ? boundsIn(*composer, shell.root().mainColumn()).y : -1;
}

// Animations follow the desktop's setting for as long as the object lives.
class AnimationsSetting {
 public:
  explicit AnimationsSetting(bool enabled) : settings_(Gtk::Settings::get_default()) {
    previous_ = settings_->property_gtk_enable_animations();
    settings_->property_gtk_enable_animations() = enabled;
  }
  ~AnimationsSetting() { settings_->property_gtk_enable_animations() = previous_; }

 private:
  Glib::RefPtr<Gtk::Settings> settings_;
  bool previous_ = true;
};

}  // namespace

TEST_F(ShellLayoutTest, AHeaderBandOf78GivesTheInitialInsetPageTopAndVeil) {
  ShellWindow shell;
  auto& root = shell.root();
  EXPECT_EQ(root.header().get_height(), 78);
  EXPECT_EQ(boundsIn(root.header(), root.mainColumn()).y, 34);
  EXPECT_EQ(vesk::ui::veskHeaderInset(*root.screenSlot().page()), 112);
  EXPECT_EQ(pageTitleTop(shell), 132);
  const auto veil = boundsIn(root.topVeil(), root.mainColumn());
  EXPECT_TRUE(root.topVeil().get_visible());
  EXPECT_EQ(veil.y, 0);
  EXPECT_EQ(veil.height, 148);
  EXPECT_EQ(veil.width, root.mainColumn().get_width());
  vesk::testing::renderAndKeep(shell.window(), "shell-home.png");

  // A band grown to 120 (here by a tall item in the header row) moves all three.
  Gtk::Box tall;
  tall.set_size_request(10, 108);
  root.header().titleSlot().append(tall);
  ASSERT_TRUE(vesk::testing::runUntil([&] { return root.header().get_height() == 120 && pageTitleTop(shell) == 174; }));
  shell.settle();
  EXPECT_EQ(vesk::ui::veskHeaderInset(*root.screenSlot().page()), 154);
  EXPECT_EQ(root.topVeil().get_height(), 190);
  root.header().titleSlot().remove(tall);
}

TEST_F(ShellLayoutTest, AnErrorShowsTheBannerAndMovesThePageDownByItsHeight) {
  ShellWindow shell;
  auto& root = shell.root();
  auto& banner = root.header().banner();
  EXPECT_FALSE(banner.get_visible());

  const std::string message = "Could not read <b>brief.pdf</b> & its pages.";  // plain text, never markup
  shell.workspace().error = message;
  ASSERT_TRUE(vesk::testing::runUntil([&] { return banner.get_mapped() && root.header().get_height() > 78; }));
  shell.settle();
  EXPECT_EQ(std::string(banner.text().get_text()), message);
  EXPECT_TRUE(banner.text().get_selectable());
  const int band = root.header().get_height();
  const int grown = band - 78;
  const auto bannerBounds = boundsIn(banner, root.header());
  EXPECT_EQ(grown, bannerBounds.y + bannerBounds.height - 78) << "the band grew by the banner";
  EXPECT_EQ(vesk::ui::veskHeaderInset(*root.screenSlot().page()), band + 34);
  EXPECT_EQ(pageTitleTop(shell), 132 + grown);
  EXPECT_EQ(root.topVeil().get_height(), 148 + grown);
  vesk::testing::renderAndKeep(shell.window(), "shell-error-banner.png");

  auto& dismiss = banner.dismissButton();
  shell.clickCentre(dismiss);
  EXPECT_EQ(*shell.workspace().error, std::nullopt);
  ASSERT_TRUE(vesk::testing::runUntil([&] { return !banner.get_visible() && pageTitleTop(shell) == 132; }));
  EXPECT_EQ(root.header().get_height(), 78);
  EXPECT_EQ(root.topVeil().get_height(), 148);
}

TEST_F(ShellLayoutTest, TheReportHasNoVeilAndTheLibraryIsPaddedByTheRoot) {
  ShellWindow shell;
  auto& root = shell.root();
  shell.workspace().screen = Screen::report;
  shell.settle();
  EXPECT_FALSE(root.topVeil().get_visible());
  EXPECT_EQ(boundsIn(root.screenSlot(), root.mainColumn()).y, 0) << "the report pads itself by the header inset";

  shell.workspace().screen = Screen::library;
  shell.settle();
  EXPECT_TRUE(root.topVeil().get_visible());
  auto* library = dynamic_cast<vesk::ui::ProjectLibraryView*>(root.screenSlot().page());
  ASSERT_NE(library, nullptr);
  EXPECT_EQ(boundsIn(root.screenSlot(), root.mainColumn()).y, 112) << "the root pads the library";
  EXPECT_EQ(boundsIn(*library, root.mainColumn()).y, 112 + 32) << "the library's own padding below that";

  shell.workspace().screen = Screen::account;
  shell.settle();
  auto* account = dynamic_cast<vesk::ui::AccountView*>(root.screenSlot().page());
  ASSERT_NE(account, nullptr);
  EXPECT_EQ(boundsIn(root.screenSlot(), root.mainColumn()).y, 0);
  EXPECT_EQ(account->column().topPadding(), 144) << "the account pads itself by the header inset + 32, at least 144";

  // Moving between home and the composer builds the page afresh.
  shell.workspace().screen = Screen::home;
  shell.settle();
  auto* home = root.screenSlot().page();
  shell.workspace().screen = Screen::input;
  shell.settle();
  EXPECT_NE(root.screenSlot().page(), home);
}

TEST_F(ShellLayoutTest, F9HidesTheSidebarAndTheMainColumnStartsAtTheLeadingEdge) {
  ShellWindow shell;
  auto& root = shell.root();
  const auto before = boundsIn(root.mainColumn(), root);
  EXPECT_EQ(before.x, 20 + 240);
  EXPECT_EQ(before.x + before.width, root.get_width() - 20);
  EXPECT_EQ(before.y + before.height, root.get_height() - 20);
  EXPECT_EQ(boundsIn(root.sidebarSlot(), root).x, 20);
  EXPECT_EQ(boundsIn(root.sidebarSlot(), root).y, 48);

  shell.press("F9");
  EXPECT_FALSE(*root.state().sidebarVisible);
  ASSERT_TRUE(vesk::testing::runUntil([&] { return !root.sidebarColumn().get_child_revealed(); }));
  shell.settle();
  const auto hidden = boundsIn(root.mainColumn(), root);
  EXPECT_EQ(hidden.x, 0);
  EXPECT_EQ(hidden.width, root.get_width() - 20) << "the trailing margin stays";
  EXPECT_EQ(hidden.y + hidden.height, root.get_height() - 20) << "the bottom margin stays";
  EXPECT_TRUE(root.sidebarSlot().get_parent() != nullptr) << "the sidebar is kept while hidden";

  shell.press("F9");
  ASSERT_TRUE(vesk::testing::runUntil([&] { return boundsIn(root.mainColumn(), root).x == 260; }));
}

TEST_F(ShellLayoutTest, WithAnimationsOffTheSidebarMovesAtOnce) {
  ShellWindow shell;
  auto& root = shell.root();
  {
    AnimationsSetting animations(true);
    shell.press("F9");
    EXPECT_EQ(root.sidebarColumn().get_transition_duration(), 200u);
    ASSERT_TRUE(vesk::testing::runUntil([&] { return !root.sidebarColumn().get_child_revealed(); }));
    shell.press("F9");
    ASSERT_TRUE(vesk::testing::runUntil([&] { return root.sidebarColumn().get_child_revealed(); }));
    shell.settle();
  }
  AnimationsSetting animations(false);
  shell.press("F9");
  EXPECT_EQ(root.sidebarColumn().get_transition_duration(), 0u);
  EXPECT_FALSE(root.sidebarColumn().get_child_revealed()) << "hidden as the key was handled";
  shell.settle();  // the next frame
  EXPECT_EQ(boundsIn(root.mainColumn(), root).x, 0);
}

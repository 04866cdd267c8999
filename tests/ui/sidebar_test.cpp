// The sidebar in the real window under a real pointer and keyboard: the recent rows and
// their gate, "More…", the wordmark, the footer's faces and the account menu.
#include "support/run_loop.h"
#include "ui/app/root_view.h"
#include "ui/sidebar/account_footer.h"
#include "ui/sidebar/account_menu.h"
#include "ui/sidebar/project_row.h"
#include "ui/sidebar/vesk_sidebar.h"
#include "ui/sidebar/wordmark.h"
#include "ui/support/shell_window.h"
#include "ui/support/synthetic_input.h"
#include "ui/support/ui_test.h"

#include <gdk-pixbuf/gdk-pixbuf.h>
#include <gtkmm/label.h>
#include <gtkmm/picture.h>

#include <filesystem>
#include <fstream>

using namespace std::chrono_literals;
using vesk::Account;
using vesk::LibraryProject;
using vesk::SavedAudit;
using vesk::Screen;
using vesk::testing::runFor;
using vesk::testing::runUntil;
using vesk::testing::ShellWindow;
using vesk::testing::SyntheticInput;
using vesk::ui::ProjectRow;
using vesk::ui::VeskSidebar;

namespace {

class SidebarTest : public vesk::testing::UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    if (!SyntheticInput::available()) GTEST_SKIP() << "needs an X11 display with XTest";
    SyntheticInput::moveAway();
  }
};

VeskSidebar& sidebarOf(ShellWindow& shell) {
  auto* sidebar = dynamic_cast<VeskSidebar*>(shell.root().sidebarSlot().get_first_child());
  EXPECT_NE(sidebar, nullptr);
  return *sidebar;
}

std::vector<std::string> rowIDs(VeskSidebar& sidebar) {
  std::vector<std::string> ids;
  for (auto* row : sidebar.rows()) ids.push_back(row->projectID());
  return ids;
}

std::vector<LibraryProject> projects(int count) {
  std::vector<LibraryProject> made;
  for (int i = 1; i <= count; ++i) {
    LibraryProject project("p" + std::to_string(i), "Project " + std::to_string(i));
    project.lastAgent = i % 3 == 0 ? "olva" : "vesk";
    project.lastAuditMode = i % 2 == 0 ? "full" : "quick";
    project.lastActivity = "2026-02-0" + std::to_string(i) + "T10:00:00Z";
    made.push_back(std::move(project));
  }
  if (made.size() > 4) {
    made[4].lastAgent.reset();
    made[4].lastAuditMode.reset();  // no runs at all: the faint dot
  }
  return made;
}

SavedAudit run(std::string id, std::string projectID, std::string status,
               std::optional<std::string> createdAt = "2026-02-01T09:00:00Z") {
  return SavedAudit(std::move(id), std::move(projectID), "Project", std::move(status), "", "quick", std::nullopt,
                    std::move(createdAt));
}

Account paidAccount() {
  return Account("ada@example.com", 3, "studio", std::nullopt, std::nullopt, "  Ada Lovelace ", std::nullopt, true,
                 "annual");
}

bool expanded(Gtk::Widget& widget, bool value) {
  char* mismatch = gtk_test_accessible_check_state(GTK_ACCESSIBLE(widget.gobj()), GTK_ACCESSIBLE_STATE_EXPANDED,
                                                   value ? TRUE : FALSE);
  const bool same = mismatch == nullptr;
  g_free(mismatch);
  return same;
}

bool labelled(Gtk::Widget& widget, const char* label) {
  char* mismatch =
      gtk_test_accessible_check_property(GTK_ACCESSIBLE(widget.gobj()), GTK_ACCESSIBLE_PROPERTY_LABEL, label);
  const bool same = mismatch == nullptr;
  g_free(mismatch);
  return same;
}

}  // namespace

TEST_F(SidebarTest, RowsOpenTheLibraryAndMoreOpensItWithNoSelection) {
  ShellWindow shell;
  auto& w = shell.workspace();
  auto& sidebar = sidebarOf(shell);
  EXPECT_TRUE(sidebar.rows().empty());
  EXPECT_FALSE(sidebar.moreButton().get_visible());
  auto* wordmark = dynamic_cast<Gtk::Label*>(sidebar.wordmark().get_child());
  ASSERT_NE(wordmark, nullptr) << "the build's bundle has no wordmark image";
  EXPECT_EQ(wordmark->get_text(), "Vesk");
  EXPECT_TRUE(labelled(sidebar.wordmark(), "Vesk app"));

  w.sidebarProjects.set(projects(5));
  shell.settle();
  EXPECT_EQ(rowIDs(sidebar), (std::vector<std::string>{"p1", "p2", "p3", "p4", "p5"}));
  EXPECT_FALSE(sidebar.moreButton().get_visible());

  w.sidebarProjects.set(projects(8));
  w.libraryProjectID = std::string("p7");
  w.screen = Screen::library;
  shell.settle();
  EXPECT_EQ(rowIDs(sidebar), (std::vector<std::string>{"p7", "p1", "p2", "p3", "p4"}));
  EXPECT_TRUE(sidebar.moreButton().get_visible());
  auto rows = sidebar.rows();
  EXPECT_TRUE(rows[0]->has_css_class("active"));
  EXPECT_EQ(rows[1]->get_tooltip_text(), "Project 1 \u00B7 2026-02-01T10:00:00Z");
  EXPECT_TRUE(labelled(*rows[2], "Project 2 \u2014 Full audit"));
  EXPECT_TRUE(rows[3]->dot().has_css_class("muted"));
  EXPECT_TRUE(rows[1]->dot().has_css_class("ring"));
  EXPECT_TRUE(rows[2]->dot().has_css_class("red"));
  vesk::testing::renderAndKeep(sidebar, "sidebar-projects.png");

  shell.clickCentre(*rows[2]);
  shell.settle();
  EXPECT_EQ(*w.libraryProjectID, "p2");
  EXPECT_EQ(*w.screen, Screen::library);
  EXPECT_EQ(rowIDs(sidebar), (std::vector<std::string>{"p1", "p2", "p3", "p4", "p5"}));
  EXPECT_TRUE(sidebar.rows()[1]->has_css_class("active"));

  shell.clickCentre(sidebar.moreButton());
  shell.settle();
  EXPECT_EQ(*w.libraryProjectID, std::nullopt);
  EXPECT_EQ(*w.screen, Screen::library);

  w.screen = Screen::report;
  shell.clickCentre(sidebar.wordmark());
  shell.settle();
  EXPECT_EQ(*w.screen, Screen::input) << "the wordmark starts a new audit";
}

TEST_F(SidebarTest, BehindTheGateOnlyTheOpenRunsRowAndItsRunStayEnabled) {
  ShellWindow shell;
  auto& w = shell.workspace();
  auto& sidebar = sidebarOf(shell);
  w.sidebarProjects.set(projects(3));
  w.reports.set({run("r1", "p1", "complete"), run("r2", "p2", "complete"), run("r3", "p2", "discovery", std::nullopt)});
  w.current = run("r3", "p2", "discovery", std::nullopt);
  w.screen = Screen::discovery;
  w.busy = true;
  shell.settle();
  auto rows = sidebar.rows();
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_FALSE(rows[0]->get_sensitive());
  EXPECT_TRUE(rows[1]->get_sensitive());
  EXPECT_FALSE(rows[2]->get_sensitive());
  EXPECT_FALSE(sidebar.newAuditButton().get_sensitive());
  EXPECT_FALSE(sidebar.wordmark().get_sensitive());
  EXPECT_FALSE(sidebar.footer().signInButton().get_sensitive());
  const auto runs = rows[1]->runActions();
  EXPECT_FALSE(runs->lookup_action("run-0")->get_enabled());
  EXPECT_TRUE(runs->lookup_action("run-1")->get_enabled());

  // The enabled row does nothing while the gate is shut; its context menu opens.
  shell.clickCentre(*rows[1]);
  shell.settle();
  EXPECT_EQ(*w.screen, Screen::discovery);
  SyntheticInput::moveTo(*rows[1], 20, 10);
  auto* native = dynamic_cast<Gtk::Widget*>(rows[1]->get_native());
  ASSERT_NE(native, nullptr);
  rows[1]->showContextMenu(20, 10);
  ASSERT_TRUE(runUntil([&] { return rows[1]->contextMenu().get_mapped(); }));
  shell.settle();
  vesk::testing::renderAndKeep(*rows[1]->contextMenu().get_first_child(), "sidebar-run-menu.png");
  rows[1]->contextMenu().popdown();
  shell.settle();
}

TEST_F(SidebarTest, TheFooterShowsTheOfferCardOrTheAllowanceBlock) {
  ShellWindow shell;
  auto& w = shell.workspace();
  auto& sidebar = sidebarOf(shell);
  auto& footer = sidebar.footer();
  EXPECT_TRUE(labelled(sidebar.footerBand(), "Your account"));
  EXPECT_TRUE(footer.offerCard().get_visible());
  EXPECT_FALSE(footer.sessionArea().get_visible());
  EXPECT_EQ(footer.signInButton().get_label(), "Sign in");
  vesk::testing::renderAndKeep(sidebar, "sidebar-offer-card.png");

  w.accountLoading = true;
  shell.settle();
  EXPECT_TRUE(footer.sessionArea().get_visible());
  EXPECT_EQ(footer.statusLabel().get_text(), "Loading your account\u2026");
  EXPECT_FALSE(footer.retryButton().get_visible());
  w.accountLoading = false;
  w.accountError = std::string("Down.");
  shell.settle();
  EXPECT_EQ(footer.statusLabel().get_text(), "Account details unavailable.");
  EXPECT_TRUE(footer.retryButton().get_visible());

  w.account = paidAccount();
  shell.settle();
  EXPECT_FALSE(footer.statusLabel().get_visible());
  EXPECT_EQ(footer.planLabel().get_text(), "Studio plan");
  EXPECT_EQ(footer.detailLabel().get_text(), "Annual");
  EXPECT_EQ(footer.balanceLabel().get_text(), "3 full audits available");
  EXPECT_FALSE(footer.bonusLabel().get_visible());
  EXPECT_EQ(footer.accountNameLabel().get_text(), "Ada Lovelace");
  EXPECT_TRUE(labelled(*footer.menuToggle().get_first_child(), "Ada Lovelace, account menu"));
  vesk::testing::renderAndKeep(sidebar, "sidebar-allowance.png");

  w.busy = true;
  shell.settle();
  EXPECT_FALSE(footer.signOutButton().get_sensitive());
  w.busy = false;
  shell.clickCentre(footer.settingsButton());
  shell.settle();
  EXPECT_EQ(*w.screen, Screen::account);
}

TEST_F(SidebarTest, TheAccountMenuWorksByKeyboardAndGivesTheFocusBackToItsToggle) {
  ShellWindow shell;
  auto& w = shell.workspace();
  auto& footer = sidebarOf(shell).footer();
  Account free = paidAccount();
  free.plan = "free";
  free.membershipActive.reset();
  free.auditBalance = 0;
  w.account = free;
  shell.settle();
  auto& toggle = *footer.menuToggle().get_first_child();
  EXPECT_TRUE(expanded(toggle, false));

  shell.clickCentre(footer.menuToggle());
  auto& menu = footer.menu();
  ASSERT_TRUE(runUntil([&] { return footer.menuPopover().get_mapped(); }));
  ASSERT_TRUE(runUntil([&] { return menu.focusedIndex() == 0; })) << "the pricing item starts focused";
  shell.settle();
  EXPECT_TRUE(expanded(toggle, true));
  EXPECT_EQ(static_cast<Gtk::Label*>(menu.item(0).get_child())->get_text(), "See prices");
  // The popover's content, drawn with its surface and rim.
  vesk::testing::renderAndKeep(*footer.menuPopover().get_first_child(), "sidebar-account-menu.png");

  const auto press = [&](const char* key, int expected) {
    SyntheticInput::pressKey(key);
    EXPECT_TRUE(runUntil([&] { return menu.focusedIndex() == expected; })) << key << " to " << expected;
  };
  press("Down", 1);
  press("Down", 0);
  press("Up", 1);
  press("Up", 0);
  press("Up", 1);

  SyntheticInput::pressKey("Escape");
  ASSERT_TRUE(runUntil([&] { return !footer.menuPopover().get_visible(); }));
  EXPECT_TRUE(runUntil([&] { return toggle.has_focus(); })) << "the focus returns to the toggle";
  shell.settle();
  EXPECT_TRUE(expanded(toggle, false));

  // The pricing item of an unpaid account closes the menu and opens the pricing page.
  shell.clickCentre(footer.menuToggle());
  ASSERT_TRUE(runUntil([&] { return footer.menuPopover().get_mapped(); }));
  shell.settle();
  shell.clickCentre(menu.item(0));
  ASSERT_TRUE(runUntil([&] { return !footer.menuPopover().get_visible(); }));
  shell.settle();
  ASSERT_EQ(shell.opened().size(), 1u);
  EXPECT_TRUE(shell.opened()[0].ends_with("/pricing")) << shell.opened()[0];
  EXPECT_TRUE(toggle.has_focus());
}

TEST_F(SidebarTest, AWordmarkThatIsMissingOrUnreadableGivesTheText) {
  const auto folder = std::filesystem::temp_directory_path() / ("vesk-wordmark-" + std::to_string(getpid()));
  std::filesystem::create_directories(folder);
  const auto broken = folder / "broken.png";
  std::ofstream(broken) << "not a picture";
  const auto good = folder / "good.png";
  GdkPixbuf* pixbuf = gdk_pixbuf_new(GDK_COLORSPACE_RGB, TRUE, 8, 104, 50);
  gdk_pixbuf_fill(pixbuf, 0xE8503AFF);
  ASSERT_TRUE(gdk_pixbuf_save(pixbuf, good.c_str(), "png", nullptr, nullptr));
  g_object_unref(pixbuf);

  for (const auto& missing :
       {std::optional<std::filesystem::path>(), std::optional(folder / "absent.png"), std::optional(broken)}) {
    auto* widget = vesk::ui::makeWordmark(missing);
    auto* text = dynamic_cast<Gtk::Label*>(widget);
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->get_text(), "Vesk");
    delete widget;  // never placed in a container
  }
  auto* picture = vesk::ui::makeWordmark(good);
  EXPECT_NE(dynamic_cast<Gtk::Picture*>(picture), nullptr);
  delete picture;
  std::filesystem::remove_all(folder);
}

TEST_F(SidebarTest, TheSidebarKeepsItsWidthAndClipsItsFooterToItsCorners) {
  ShellWindow shell;
  auto& w = shell.workspace();
  auto& root = shell.root();
  auto& surface = *root.sidebarSlot().get_parent();
  auto& footer = sidebarOf(shell).footer();
  shell.settle();
  EXPECT_EQ(surface.get_width(), vesk::ui::RootView::sidebarWidth) << "signed out";
  const auto mainColumnX = vesk::testing::boundsIn(root.mainColumn(), root).x;

  const std::string name = "Augusta Ada King, Countess of Lovelace and her Engine Notes.";
  ASSERT_EQ(name.size(), 60u);
  w.account = Account("ada.augusta.king.countess.of.lovelace@example.com", 3, "studio", std::nullopt, std::nullopt,
                      name, std::nullopt, true, "annual");
  shell.settle();
  EXPECT_EQ(surface.get_width(), vesk::ui::RootView::sidebarWidth) << "signed in with a long name";
  EXPECT_EQ(vesk::testing::boundsIn(root.mainColumn(), root).x, mainColumnX) << "the main column stays put at sign-in";
  auto& nameLabel = footer.accountNameLabel();
  EXPECT_EQ(std::string(nameLabel.get_text()), name);
  EXPECT_TRUE(nameLabel.get_layout()->is_ellipsized());
  EXPECT_EQ(std::string(nameLabel.get_tooltip_text()), name);
  EXPECT_TRUE(labelled(*footer.menuToggle().get_first_child(), (name + ", account menu").c_str()));
  const auto pixels = vesk::testing::renderAndKeep(root, "sidebar-long-name.png");

  // At each bottom corner, outside the rounded outline: the canvas, as just below the
  // sidebar, not the footer's fill.
  const auto box = vesk::testing::boundsIn(surface, root);
  const int bottom = box.y + box.height - 1;
  const auto fill = pixels.at(box.x + box.width / 2, bottom - 4);
  for (const int x : {box.x + 1, box.x + box.width - 2}) {
    const auto corner = pixels.at(x, bottom);
    const auto canvas = pixels.at(x, bottom + 8);
    EXPECT_LE(corner.distance(canvas), 4) << "corner at x " << x;
    EXPECT_GT(corner.distance(fill), corner.distance(canvas)) << "corner at x " << x;
  }

  for (const auto screen : {Screen::account, Screen::library, Screen::input}) {
    w.screen = screen;
    shell.settle();
    EXPECT_EQ(surface.get_width(), vesk::ui::RootView::sidebarWidth) << "on screen " << static_cast<int>(screen);
  }
}

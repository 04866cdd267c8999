// The "Projects & history" screen at the size the application window gives it at its
// minimum and at 1700 wide: every label of the project list, the archive and a project
// page gets at least its minimum size and lies inside each widget around it up to its row
// (or the screen), so no glyph is cut. Each view is saved as an artefact.
#include "core/style/shell_stylesheet.h"
#include "core/workspace/screen.h"
#include "support/library_fixture.h"
#include "support/run_loop.h"
#include "ui/app/root_view.h"
#include "ui/app/screen_slot.h"
#include "ui/app/sheet_layer.h"
#include "ui/library/project_library_view.h"
#include "ui/support/next_frame.h"
#include "ui/support/shell_window.h"
#include "ui/support/synthetic_input.h"
#include "ui/support/ui_test.h"
#include "ui/support/widget_readiness.h"

#include <gtkmm/adjustment.h>
#include <gtkmm/label.h>
#include <gtkmm/overlay.h>

#include <sstream>

using namespace vesk;
using namespace vesk::testing;
using vesk::ui::ProjectLibraryView;

namespace {

class LibraryFitTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    if (!SyntheticInput::available()) GTEST_SKIP() << "needs an X11 display with XTest";
    SyntheticInput::moveAway();
  }
};

struct Size {
  int width = 0;
  int height = 0;
};

// The library screen's slot in the application window at `width` (0: the minimum) and
// its minimum height.
Size librarySlot(int width) {
  ShellWindow shell;
  auto& root = shell.root();
  shell.workspace().screen = Screen::library;
  shell.settle();
  const int wanted = width > 0 ? width : ui::RootView::minimumWidth;
  shell.window().set_default_size(width > 0 ? width : 1, 1);
  EXPECT_TRUE(runUntil([&] { return root.get_height() == ui::RootView::minimumHeight; }));
  // Without a compositor the window's resize frame lies inside its size: asked again with
  // the frame added, the content gets the whole width.
  if (root.get_width() < wanted) {
    shell.window().set_default_size(2 * wanted - root.get_width(), 1);
    EXPECT_TRUE(runUntil([&] { return root.get_width() == wanted; }));
  }
  shell.settle();
  EXPECT_EQ(root.get_width(), wanted) << "the library widens the window";
  auto& slot = root.screenSlot();
  EXPECT_NE(dynamic_cast<ProjectLibraryView*>(slot.page()), nullptr);
  return {slot.get_width(), slot.get_height()};
}

LibraryProject longProject() {
  LibraryProject project("p1", "Northwind Coffee roastery subscriptions and the wholesale ordering portal",
                         "Calmer sign-up for the subscription flow, clearer delivery windows on the checkout "
                         "page, and a wholesale portal that a café manager can use between two espressos.",
                         "landing", "redesign", "2026-01-02T09:00:00Z", "2026-12-07T10:00:00Z", 12);
  project.contextUrl = "https://northwind-coffee.example/subscriptions/checkout/delivery-windows?plan=weekly";
  project.contextAttachment = LibraryAnchor(
      "northwind-checkout-delivery-windows-before-the-redesign-of-the-subscription-page-final-final-v2.png",
      "image/png", 1200, "https://files.example/northwind.png");
  project.contextUrlMeta = LibraryContextURLMeta(std::nullopt, std::nullopt, "The page did not answer in time.");
  return project;
}

SavedAudit longRun(int number, const std::string& projectID, const std::string& projectName) {
  SavedAudit run("r" + std::to_string(number) + projectID, projectID, projectName, "complete",
                 "The checkout hides its delivery windows.", number % 2 ? "full" : "quick");
  run.input =
      "Check whether the checkout makes the delivery windows and the subscription price clear "
      "enough for a first-time buyer on a small laptop";
  run.createdAt = "2026-12-07T10:00:00Z";
  run.runNumber = number;
  return run;
}

// The screen over the fixture's library in an undecorated window of `size`, as the
// application's slot lays it.
struct FittedLibrary {
  LibraryFixture library;
  Gtk::Overlay overlay;
  ui::SheetLayer* sheets = Gtk::make_managed<ui::SheetLayer>();
  ProjectLibraryView* view = nullptr;
  Gtk::Window window;

  Size size;

  explicit FittedLibrary(Size slot) : size(slot) {
    std::vector<LibraryProject> projects{longProject()};
    std::vector<SavedAudit> runs;
    for (int i = 1; i <= 8; ++i) {
      LibraryProject other("p" + std::to_string(i + 1), "Atlas operations dashboard " + std::to_string(i),
                           "Operations dashboard for the harbour's night shift, with dense tables.", "dashboard");
      other.lastActivity = "2026-12-07T10:00:00Z";
      other.runCount = i;
      projects.push_back(other);
      runs.push_back(longRun(i, projects.front().id, projects.front().name));
    }
    library.routeLibrary(projects, runs);
    library.routeProject(projects.front(), runs);
    ProjectLibraryView::Services services;
    services.sheets = sheets;
    services.saveDialog = library.dialog;
    view = Gtk::make_managed<ProjectLibraryView>(LibraryScreenModel::Inputs{library.api(), false, {}, std::nullopt},
                                                 LibraryScreenCallbacks{}, services);
    overlay.add_css_class(ShellClasses::root);
    overlay.set_child(*view);
    overlay.add_overlay(*sheets);
    window.set_decorated(false);
    window.set_default_size(size.width, size.height);
    window.set_child(overlay);
    window.present();
    EXPECT_TRUE(runUntil([&] { return view->title().get_text() == "9 projects."; }));
    EXPECT_TRUE(runUntil([&] { return overlay.get_width() == size.width && overlay.get_height() == size.height; }))
        << "the screen is " << overlay.get_width() << " x " << overlay.get_height() << ", not " << size.width << " x "
        << size.height;
    settle();
  }
  ~FittedLibrary() {
    window.unset_child();
    window.destroy();
  }

  void settle() { settleFrame(overlay); }
  // The screen keeps the slot's size: nothing on it asks for more than the window gives.
  void expectSize(Size size, const std::string& where) {
    EXPECT_EQ(overlay.get_width(), size.width) << where << " widens the screen";
    EXPECT_EQ(overlay.get_height(), size.height) << where << " lengthens the screen";
  }
  void scrollToEnd() {
    auto adjustment = view->scroller().get_vadjustment();
    adjustment->set_value(adjustment->get_upper() - adjustment->get_page_size());
    settle();
  }
  // The list's row (its direct child) that holds `widget`, or nullptr outside the list.
  Gtk::Widget* listRow(Gtk::Widget& widget) {
    for (auto* up = &widget; up; up = up->get_parent())
      if (up->get_parent() == &view->list()) return up;
    return nullptr;
  }
};

std::string describeLabel(Gtk::Label& label) { return "\"" + std::string(label.get_text()) + "\""; }

// Every label shown under `screen` gets at least its minimum size both ways and lies
// inside each widget around it, up to its row of the list (rows scroll under the list's
// edges) or up to `screen`. Returns how many labels it looked at.
int expectEveryLabelFits(FittedLibrary& fitted, Gtk::Widget& screen, const std::string& where) {
  fitted.expectSize(fitted.size, where);
  int checked = 0;
  for (auto* widget : descendants(screen, [](Gtk::Widget& w) { return dynamic_cast<Gtk::Label*>(&w) != nullptr; })) {
    auto& label = *dynamic_cast<Gtk::Label*>(widget);
    if (!label.get_mapped() || label.get_text().empty()) continue;
    ++checked;
    int minimum = 0, natural = 0, ignored = 0;
    // A measure includes the margins; an allocation does not.
    label.measure(Gtk::Orientation::HORIZONTAL, -1, minimum, natural, ignored, ignored);
    EXPECT_GE(label.get_width(), minimum - label.get_margin_start() - label.get_margin_end())
        << where << ": " << describeLabel(label) << " is narrower than it can be";
    label.measure(Gtk::Orientation::VERTICAL, label.get_width(), minimum, natural, ignored, ignored);
    EXPECT_GE(label.get_height(), minimum - label.get_margin_top() - label.get_margin_bottom())
        << where << ": " << describeLabel(label) << " is shorter than its lines";
    Gtk::Widget* row = fitted.listRow(label);
    Gtk::Widget* last = row ? row : &screen;
    for (auto* around = label.get_parent(); around; around = around->get_parent()) {
      const Box box = boundsIn(label, *around);
      std::ostringstream place;
      place << box.x << "," << box.y << " " << box.width << " x " << box.height << " in "
            << G_OBJECT_TYPE_NAME(around->gobj()) << " " << around->get_width() << " x " << around->get_height();
      EXPECT_TRUE(box.x >= 0 && box.y >= 0 && box.x + box.width <= around->get_width() &&
                  box.y + box.height <= around->get_height())
          << where << ": " << describeLabel(label) << " is cut: " << place.str();
      if (around == last) break;
    }
  }
  return checked;
}

// The rows the list shows now: at least `count` of them are bound.
void expectRows(FittedLibrary& fitted, std::size_t count, const std::string& where) {
  EXPECT_GE(fitted.view->rowsBound(), count) << where;
}

// Clicks the long project's row and waits for its page.
void openLongProject(ProjectLibraryView& view) {
  Gtk::Widget* row = nullptr;
  for (auto* widget : descendants(view.list(), [](Gtk::Widget& w) {
         auto* label = dynamic_cast<Gtk::Label*>(&w);
         return label && label->get_text().raw().starts_with("Northwind Coffee") && label->get_mapped();
       }))
    row = widget;
  ASSERT_NE(row, nullptr);
  SyntheticInput::clickCentre(*row);
  ASSERT_TRUE(runUntil([&] { return view.projectActions().get_visible() && view.newAuditButton().is_sensitive(); }));
}

const std::pair<int, const char*> windowWidths[] = {{0, "minimum-size"}, {1700, "1700"}};

}  // namespace

TEST_F(LibraryFitTest, TheProjectListAndTheArchiveShowEveryGlyphFromTheMinimumWindowUp) {
  for (const auto& [width, name] : windowWidths) {
    SCOPED_TRACE(name);
    FittedLibrary fitted(librarySlot(width));
    auto& view = *fitted.view;
    expectRows(fitted, 2, "the project list");
    EXPECT_GT(expectEveryLabelFits(fitted, view, "the project list"), 10);
    renderAndKeep(fitted.overlay, std::string("library-") + name + ".png");
    fitted.scrollToEnd();
    expectEveryLabelFits(fitted, view, "the end of the project list");

    SyntheticInput::clickCentre(view.archivePill());
    ASSERT_TRUE(runUntil([&] { return view.title().get_text() == "The archive"; }));
    fitted.settle();
    expectRows(fitted, 2, "the archive");
    EXPECT_GT(expectEveryLabelFits(fitted, view, "the archive"), 10);
    renderAndKeep(fitted.overlay, std::string("library-archive-") + name + ".png");
    fitted.scrollToEnd();
    expectEveryLabelFits(fitted, view, "the end of the archive");
  }
}

TEST_F(LibraryFitTest, AProjectPageShowsEveryGlyphFromTheMinimumWindowUp) {
  for (const auto& [width, name] : windowWidths) {
    SCOPED_TRACE(name);
    FittedLibrary fitted(librarySlot(width));
    auto& view = *fitted.view;
    openLongProject(view);
    ASSERT_FALSE(HasFatalFailure());
    fitted.settle();
    expectRows(fitted, 2, "the project page");
    EXPECT_GT(expectEveryLabelFits(fitted, view, "the project page"), 10);
    renderAndKeep(fitted.overlay, std::string("project-") + name + ".png");
    fitted.scrollToEnd();
    expectEveryLabelFits(fitted, view, "the end of the project page");
  }
}

// A project found by a search opens in the smallest window with every row given its
// room: no widget is allocated less than it asks for (GTK warns of that, and the fixture
// fails on any warning).
TEST_F(LibraryFitTest, AProjectFoundBySearchOpensInTheMinimumWindow) {
  FittedLibrary fitted(librarySlot(0));
  auto& view = *fitted.view;
  SyntheticInput::clickCentre(view.searchField());
  SyntheticInput::typeInto(view.searchField(), "northwind");
  ASSERT_TRUE(runUntil([&] { return view.model().shownCount() == 1; }));
  fitted.settle();
  openLongProject(view);
  ASSERT_FALSE(HasFatalFailure());
  fitted.settle();
  fitted.settle();
  EXPECT_GT(expectEveryLabelFits(fitted, view, "the project found by a search"), 10);
  renderAndKeep(fitted.overlay, "project-found-by-search-minimum-size.png");
}

// A window manager may give the window less than its minimum size (a tiling one does).
// The screen then keeps its minimum and is cut at the window's edges: nothing inside is
// squeezed below what it can lay out (GTK warns of that, and the fixture fails on it).
TEST_F(LibraryFitTest, AWindowSqueezedBelowItsMinimumCutsTheScreenInsteadOfSqueezingIt) {
  ShellWindow shell;
  auto& root = shell.root();
  shell.workspace().screen = Screen::library;
  shell.settle();
  auto* page = dynamic_cast<ProjectLibraryView*>(root.screenSlot().page());
  ASSERT_NE(page, nullptr);
  const auto marginsAcross = page->get_margin_start() + page->get_margin_end();
  const auto marginsDown = page->get_margin_top() + page->get_margin_bottom();
  for (const auto& [width, height] : {std::pair{1020, 250}, std::pair{600, 300}, std::pair{400, 740}}) {
    SCOPED_TRACE(std::to_string(width) + " x " + std::to_string(height));
    root.size_allocate(Gtk::Allocation(0, 0, width, height), -1);
    int minimum = 0, natural = 0, ignored = 0;
    page->measure(Gtk::Orientation::HORIZONTAL, -1, minimum, natural, ignored, ignored);
    EXPECT_GE(page->get_width() + marginsAcross, minimum);
    page->measure(Gtk::Orientation::VERTICAL, page->get_width() + marginsAcross, minimum, natural, ignored, ignored);
    EXPECT_GE(page->get_height() + marginsDown, minimum);
    EXPECT_GT(page->searchField().get_width(), 0);
  }
  renderAndKeep(root, "library-window-squeezed.png");
  root.queue_resize();
  shell.settle();
  EXPECT_GE(root.get_width(), ui::RootView::minimumWidth) << "the window lays the root out whole again";
}

// Rows keep their tooltips without asking the display for the pointer on every bind: the
// whole name still shows when the pointer rests on a row, after the list has been bound
// to other entries and back.
TEST_F(LibraryFitTest, ARowsWholeNameShowsAsATooltipWhereThePointerRests) {
  FittedLibrary fitted(librarySlot(0));
  auto& view = *fitted.view;
  SyntheticInput::clickCentre(view.archivePill());
  ASSERT_TRUE(runUntil([&] { return view.title().get_text() == "The archive"; }));
  SyntheticInput::clickCentre(view.projectsPill());
  ASSERT_TRUE(runUntil([&] { return view.title().get_text() == "9 projects."; }));
  fitted.settle();
  const std::string name = "Northwind Coffee roastery subscriptions and the wholesale ordering portal";
  Gtk::Widget* row = nullptr;
  for (auto* label : descendants(view.list(), [](Gtk::Widget& w) {
         auto* shown = dynamic_cast<Gtk::Label*>(&w);
         return shown && shown->get_mapped() && shown->get_text().raw().starts_with("Northwind Coffee");
       }))
    row = label;
  ASSERT_NE(row, nullptr);
  SyntheticInput::moveTo(*row, 40, row->get_height() / 2.0);
  const auto tooltipShown = [&] {
    return !descendants(fitted.window, [&](Gtk::Widget& w) {
              auto* label = dynamic_cast<Gtk::Label*>(&w);
              if (!label || !label->get_mapped() || label->get_text().raw() != name) return false;
              for (auto* up = w.get_parent(); up; up = up->get_parent())
                if (std::string(G_OBJECT_TYPE_NAME(up->gobj())) == "GtkTooltipWindow") return true;
              return false;
            }).empty();
  };
  EXPECT_TRUE(runUntil(tooltipShown)) << "no tooltip with the whole name";
  SyntheticInput::moveAway();
}

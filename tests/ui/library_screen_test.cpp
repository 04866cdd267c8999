// The "Projects & history" screen in a window over the fake service, driven by real
// pointer and keyboard input: finding a project by search, opening it and starting an
// audit for it, the archive under a search, and creating and deleting a project in the
// editor. Each view and sheet is saved as an artefact.
#include "core/style/shell_stylesheet.h"
#include "fake_service/fake_service.h"
#include "support/library_fixture.h"
#include "support/run_loop.h"
#include "ui/app/sheet_layer.h"
#include "ui/controls/atelier_text_field.h"
#include "ui/library/project_editor_view.h"
#include "ui/library/project_library_view.h"
#include "ui/report/report_delete_sheet.h"
#include "ui/support/next_frame.h"
#include "ui/support/shell_window.h"
#include "ui/support/synthetic_input.h"
#include "ui/support/ui_test.h"

#include <gtkmm/adjustment.h>
#include <gtkmm/expander.h>
#include <gtkmm/overlay.h>

using namespace std::chrono_literals;
using namespace vesk;
using namespace vesk::testing;
using vesk::ui::ProjectLibraryView;

namespace {

class LibraryScreenTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    if (!SyntheticInput::available()) GTEST_SKIP() << "needs an X11 display with XTest";
    SyntheticInput::moveAway();
  }
};

LibraryProject doral() {
  LibraryProject project("p1", "Doral", "Calmer sign-up for a budgeting app.", "landing", "redesign",
                         "2024-04-01T09:00:00Z", "2024-05-02T10:00:00.250Z", 2);
  project.contextUrl = "https://doral.example/pricing";
  project.contextAttachment = LibraryAnchor("hero.png", "image/png", 1200, "https://files.example/hero.png");
  return project;
}

SavedAudit run(std::string id, std::string project, std::string name, std::string mode, std::string input,
               std::string output) {
  SavedAudit saved(std::move(id), std::move(project), std::move(name), "complete", std::move(output), std::move(mode));
  saved.input = std::move(input);
  saved.createdAt = "2024-05-02T10:00:00Z";
  saved.runNumber = 1;
  return saved;
}

// The screen in a window of its own, with the sheet layer over it, as the shell lays them.
struct LibraryWindow {
  LibraryFixture library;  // the fake service and its routes
  std::vector<std::string> reviews;
  std::vector<std::string> openedRuns;
  int dismissals = 0;
  Gtk::Overlay overlay;
  ui::SheetLayer* sheets = Gtk::make_managed<ui::SheetLayer>();
  ProjectLibraryView* view = nullptr;
  std::unique_ptr<ShownWindow> window;

  LibraryWindow() {
    const std::vector<SavedAudit> runs{
        run("r1", "p1", "Doral", "full", "Check the pricing page", "The hero lacks contrast."),
        run("r2", "p1", "Doral", "quick", "", "Fine overall."),
        run("r3", "p2", "Atlas", "quick", "Dashboard density", "Tables need contrast too.")};
    LibraryProject atlas("p2", "Atlas", "Operations dashboard.", "dashboard");
    atlas.runCount = 1;
    LibraryProject quay("p3", "Quay", "Harbour logistics console.");
    library.routeLibrary({doral(), atlas, quay}, runs);
    library.routeProject(doral(), {runs[0], runs[1]});
    show();
    EXPECT_TRUE(runUntil([&] { return view->title().get_text() == "3 projects."; }));
    settle();
  }
  // A library of one project whose `runs` are also the whole archive.
  explicit LibraryWindow(const std::vector<SavedAudit>& runs) {
    library.routeLibrary({doral()}, runs);
    library.routeProject(doral(), runs);
    show();
    EXPECT_TRUE(runUntil([&] { return view->title().get_text() == "One project."; }));
    settle();
  }
  void show() {
    LibraryScreenCallbacks callbacks;
    callbacks.onNewReview = [this](const LibraryProject& project) { reviews.push_back(project.id); };
    callbacks.onOpenRun = [this](const SavedAudit& run) { openedRuns.push_back(run.id); };
    callbacks.onDismiss = [this] { ++dismissals; };
    ProjectLibraryView::Services services;
    services.sheets = sheets;
    services.saveDialog = library.dialog;
    view = Gtk::make_managed<ProjectLibraryView>(LibraryScreenModel::Inputs{library.api(), false, {}, std::nullopt},
                                                 std::move(callbacks), services);
    overlay.add_css_class(ShellClasses::root);
    overlay.set_child(*view);
    overlay.add_overlay(*sheets);
    window = std::make_unique<ShownWindow>(overlay, 1100, 860);
  }
  ~LibraryWindow() { window.reset(); }

  void settle() { settleFrame(overlay); }
  void click(Gtk::Widget& widget, const SyntheticInput::Where& where = SyntheticInput::Where::current()) {
    SyntheticInput::clickCentre(widget, where);
    settle();
  }
  void type(Gtk::Widget& field, const std::string& text,
            const SyntheticInput::Where& where = SyntheticInput::Where::current()) {
    click(field, where);
    SyntheticInput::typeInto(field, text, where);
    settle();
  }
  // The clickable ancestor of the first label reading `text` under `root`.
  Gtk::Button* button(Gtk::Widget& root, const std::string& text) {
    for (auto* widget : descendants(root, [&](Gtk::Widget& w) {
           auto* label = dynamic_cast<Gtk::Label*>(&w);
           return label && std::string(label->get_text()) == text && label->get_mapped();
         })) {
      for (auto* up = widget->get_parent(); up; up = up->get_parent())
        if (auto* found = dynamic_cast<Gtk::Button*>(up)) return found;
    }
    return nullptr;
  }
};

}  // namespace

TEST_F(LibraryScreenTest, FindAProjectBySearchOpenItAndStartAnAudit) {
  LibraryWindow w;
  auto& view = *w.view;
  EXPECT_EQ(view.countLabel().get_text(), "3 projects");
  EXPECT_FALSE(view.backButton().get_visible());
  renderAndKeep(w.overlay, "library-project-list.png");

  w.type(view.searchField(), "HARBOUR ");
  EXPECT_EQ(view.countLabel().get_text(), "Showing 1 of 3") << "the brief is searched, case ignored";
  ASSERT_NE(w.button(view.list(), "Quay"), nullptr);
  EXPECT_EQ(w.button(view.list(), "Doral"), nullptr);
  w.click(*w.button(view, "Website"));
  EXPECT_EQ(view.countLabel().get_text(), "Showing 0 of 3");
  auto* clear = w.button(view.list(), "Clear filters");
  ASSERT_NE(clear, nullptr);
  w.click(*clear);
  EXPECT_EQ(view.searchField().get_text(), "");
  EXPECT_EQ(view.countLabel().get_text(), "3 projects");

  w.type(view.searchField(), "doral");
  auto* row = w.button(view.list(), "Doral");
  ASSERT_NE(row, nullptr);
  w.click(*row);
  ASSERT_TRUE(runUntil([&] { return view.title().get_text() == "Doral" && view.newAuditButton().is_sensitive(); }));
  w.settle();
  EXPECT_TRUE(view.projectActions().get_visible());
  EXPECT_TRUE(view.backButton().get_visible());
  EXPECT_FALSE(view.kindRow().get_visible());
  EXPECT_EQ(view.searchField().get_placeholder_text(), "Search past runs…");
  EXPECT_NE(w.button(view.list(), "Check the pricing page"), nullptr);
  EXPECT_NE(w.button(view.list(), "hero.png"), nullptr) << "the anchor chip";
  EXPECT_NE(w.button(view.list(), "Save file…"), nullptr);
  renderAndKeep(w.overlay, "library-open-project.png");

  w.click(view.newAuditButton());
  EXPECT_EQ(w.reviews, std::vector<std::string>{"p1"});

  w.click(view.archivePill());
  EXPECT_EQ(view.title().get_text(), "The archive");
  EXPECT_EQ(view.searchField().get_text(), "doral") << "the pills keep the search";
  w.type(view.searchField(), " contrast");
  auto* clearSearch = w.button(view.list(), "Clear search");
  ASSERT_NE(clearSearch, nullptr) << "nothing in the archive matches both words";
  w.click(*clearSearch);
  EXPECT_EQ(view.searchField().get_text(), "");
  w.type(view.searchField(), " contrast");
  EXPECT_NE(w.button(view.list(), "Doral · Check the pricing page"), nullptr);
  EXPECT_NE(w.button(view.list(), "Atlas · Dashboard density"), nullptr);
  EXPECT_EQ(w.button(view.list(), "Doral"), nullptr) << "the run without input and without a match is hidden";
  renderAndKeep(w.overlay, "library-archive-search.png");

  SyntheticInput::pressKey("Escape");
  ASSERT_TRUE(runUntil([&] { return w.dismissals == 1; }, 5s)) << "Escape is Done";
}

TEST_F(LibraryScreenTest, CreateAProjectInTheEditorAndDeleteItAgain) {
  LibraryWindow w;
  auto& view = *w.view;
  w.click(view.newProjectButton());
  ASSERT_NE(view.editor(), nullptr);
  auto& creating = *view.editor();
  EXPECT_EQ(creating.header().get_text(), "Start something");
  EXPECT_EQ(creating.primaryButton().get_label(), "Create project");
  EXPECT_FALSE(creating.primaryButton().is_sensitive());
  EXPECT_EQ(creating.deleteZone(), nullptr);
  w.type(creating.nameField().editable(), "harbor");
  EXPECT_TRUE(creating.primaryButton().is_sensitive());
  renderAndKeep(*w.sheets->topSurface(), "library-editor-create.png");

  LibraryProject harbor("p9", "harbor", std::nullopt, "landing", "redesign");
  w.library.service.reply("POST", "/api/desktop/projects", Reply::json(R"({"id":"p9"})"));
  w.library.service.reply("GET", "/api/desktop/projects/p9",
                          Reply::json(nlohmann::json{{"project", harbor.toJson()}}.dump()));
  w.library.routeProject(harbor, {});
  w.click(creating.primaryButton());
  ASSERT_TRUE(runUntil([&] { return view.editor() == nullptr; })) << "the sheet closes on success";
  ASSERT_TRUE(runUntil([&] { return view.title().get_text() == "harbor"; })) << "the new project is open";
  w.settle();

  w.click(view.projectSettingsButton());
  ASSERT_NE(view.editor(), nullptr);
  auto& editing = *view.editor();
  EXPECT_EQ(editing.header().get_text(), "Project settings");
  ASSERT_NE(editing.deleteZone(), nullptr);
  const auto titles = descendants(*editing.deleteZone(), [](Gtk::Widget& widget) {
    auto* label = dynamic_cast<Gtk::Label*>(&widget);
    return label && std::string(label->get_text()) == "Delete project";
  });
  ASSERT_FALSE(titles.empty());
  const auto scrolled = editing.scroller().get_vadjustment();
  scrolled->set_value(scrolled->get_upper() - scrolled->get_page_size());
  w.settle();
  w.click(*titles.front());
  ASSERT_TRUE(editing.deleteZone()->get_expanded());
  ASSERT_TRUE(runUntil([&] { return *editing.model().confirmationFocused; }, 5s));
  ASSERT_TRUE(runUntil([&] { return editing.confirmationField()->focused(); }, 5s))
      << "the name field takes focus once the zone settles";
  EXPECT_EQ(editing.primaryButton().get_label(), "Delete project");
  EXPECT_FALSE(editing.primaryButton().is_sensitive());
  SyntheticInput::typeInto(editing.confirmationField()->editable(), " harbo");
  w.settle();
  EXPECT_FALSE(editing.primaryButton().is_sensitive()) << "part of the name is refused";
  SyntheticInput::typeInto(editing.confirmationField()->editable(), "r ");
  w.settle();
  EXPECT_TRUE(editing.primaryButton().is_sensitive());
  renderAndKeep(*w.sheets->topSurface(), "library-editor-delete-zone.png");

  w.library.service.reply("DELETE", "/api/desktop/projects/p9", Reply::json("{}"));
  w.click(editing.primaryButton());
  ASSERT_TRUE(runUntil([&] { return view.editor() == nullptr; }));
  ASSERT_TRUE(runUntil([&] { return view.title().get_text() == "3 projects."; }));
  EXPECT_EQ(w.sheets->depth(), 0u);
}

namespace {

std::vector<SavedAudit> manyRuns(int count) {
  std::vector<SavedAudit> runs;
  for (int i = 0; i < count; ++i) {
    const std::string number = std::to_string(i);
    runs.push_back(run("run-" + number, "p1", "Doral", i % 2 ? "full" : "quick", "Check page " + number,
                       "Finding " + number + (i % 100 == 42 ? ": the contrast is low." : ": fine.")));
  }
  return runs;
}

double scrolled(ProjectLibraryView& view) { return view.scroller().get_vadjustment()->get_value(); }

void scrollToMiddle(ProjectLibraryView& view) {
  const auto adjustment = view.scroller().get_vadjustment();
  adjustment->set_value((adjustment->get_upper() - adjustment->get_page_size()) / 2);
}

}  // namespace

TEST_F(LibraryScreenTest, ALongArchiveBuildsOnlyTheRowsItShowsAndKeepsThemThroughChanges) {
  LibraryWindow w(manyRuns(1000));
  auto& view = *w.view;
  // The thousand runs reach GTK's list a screenful at a time, so no one frame builds and
  // measures two hundred new rows: the list's length and the rows bound as they arrive.
  const auto listed = [&] { return g_list_model_get_n_items(G_LIST_MODEL(view.list().get_model()->gobj())); };
  std::optional<std::pair<guint, std::size_t>> arrival;
  auto watching = view.model().signalEntriesChanged().connect([&](const std::vector<ListSplice>&) {
    if (!arrival && view.model().entries().size() >= 1000) arrival = std::pair(listed(), view.rowsBound());
  });
  w.click(view.archivePill());
  ASSERT_TRUE(runUntil([&] { return listed() == 1000; })) << "every run reaches the list";
  watching.disconnect();
  ASSERT_TRUE(arrival.has_value());
  EXPECT_LE(arrival->first, 40u) << "the first step hands the list a screenful";
  EXPECT_LE(arrival->second, 40u);
  EXPECT_EQ(view.model().shownCount(), 1000u);
  w.settle();
  EXPECT_EQ(scrolled(view), 0) << "the list grew below its top row";
  EXPECT_GT(view.rowsBound(), 3u);
  // GTK 4.8's list keeps up to 200 rows around the visible ones.
  EXPECT_LE(view.rowsBuilt(), 210u) << "a thousand runs build a bounded set of rows";

  scrollToMiddle(view);
  w.settle();
  w.settle();
  EXPECT_NE(w.button(view.list(), "Doral · Check page 500"), nullptr) << "the middle of the archive shows";
  renderAndKeep(w.overlay, "library-1000-runs-middle.png");

  const auto built = view.rowsBuilt();
  const auto binds = view.rowBinds();
  const double position = scrolled(view);
  view.model().state().busy = true;
  w.settle();
  EXPECT_FALSE(w.button(view.list(), "Doral · Check page 500")->get_parent()->get_last_child()->is_sensitive())
      << "busy closes deleting";
  view.model().state().busy = false;
  view.model().state().error = std::string("Something unrelated.");
  w.settle();
  EXPECT_EQ(view.rowsBuilt(), built) << "busy and an error build no row";
  EXPECT_EQ(view.rowBinds(), binds) << "and rebind none";
  EXPECT_NEAR(scrolled(view), position, 2);
  view.model().state().error = std::nullopt;
  w.settle();  // the search field moves back up once the error has gone

  w.type(view.searchField(), "contrast");
  ASSERT_TRUE(runUntil([&] { return view.model().shownCount() == 10u; }))
      << "the search field holds \"" << view.searchField().get_text() << "\"";
  EXPECT_LE(view.rowsBuilt() - built, view.rowsBound()) << "a keystroke builds at most the rows that show";
  EXPECT_NE(w.button(view.list(), "Doral · Check page 942"), nullptr);
  renderAndKeep(w.overlay, "library-archive-searched.png");

  // Away to the projects and back: the archive's rows come back from the spares.
  view.searchField().set_text("");
  w.click(view.projectsPill());
  const auto beforeReturn = view.rowsBuilt();
  w.click(view.archivePill());
  ASSERT_TRUE(runUntil([&] { return view.model().shownCount() == 1000; }));
  w.settle();
  EXPECT_LE(view.rowsBuilt() - beforeReturn, 10u) << "run rows are rebound, not built again";
  EXPECT_NE(w.button(view.list(), "Doral · Check page 0"), nullptr);
}

// Leaving the screen takes the widget tree apart before the screen itself: a large change
// still on its way to the list, and sheets on a layer that went first, are let go without
// reaching either.
TEST_F(LibraryScreenTest, LeavingMidChangeOrAfterTheSheetLayerReachesNothingThatIsGone) {
  {
    LibraryWindow w(manyRuns(10000));
    const auto listed = [&] { return g_list_model_get_n_items(G_LIST_MODEL(w.view->list().get_model()->gobj())); };
    const auto before = listed();
    SyntheticInput::clickCentre(w.view->archivePill());
    ASSERT_TRUE(runUntil([&] { return listed() > before && w.view->model().entries().size() == 10000; }));
    ASSERT_LT(listed(), 10000u) << "the change is still stepping in";
    w.overlay.unset_child();
    w.view = nullptr;
    w.settle();  // a frame with the list gone
  }
  LibraryWindow w;
  w.click(w.view->newProjectButton());
  ASSERT_NE(w.view->editor(), nullptr);
  w.overlay.remove_overlay(*w.sheets);
  w.sheets = nullptr;
  w.overlay.unset_child();
  w.view = nullptr;
  EXPECT_EQ(w.dismissals, 0);
}

TEST_F(LibraryScreenTest, KeyboardDeletionAndRefreshInALongProject) {
  LibraryWindow w(manyRuns(1000));
  auto& view = *w.view;
  w.library.service.reply("DELETE", "/api/desktop/runs/run-1", Reply::json("{}"));
  ASSERT_NE(w.button(view.list(), "Doral"), nullptr);
  w.click(*w.button(view.list(), "Doral"));
  ASSERT_TRUE(runUntil([&] { return view.model().shownCount() == 1000 && !*view.model().state().busy; }));
  w.settle();

  // The keyboard walks down the list: focus moves row by row and the list follows it.
  auto* first = w.button(view.list(), "Check page 0");
  ASSERT_NE(first, nullptr);
  first->grab_focus();
  for (int i = 0; i < 24; ++i) {
    SyntheticInput::pressKey("Down");
    w.settle();
  }
  EXPECT_GT(scrolled(view), 0) << "the list scrolled with the focus";
  SyntheticInput::pressKey("Return");
  w.settle();
  EXPECT_EQ(w.openedRuns, std::vector<std::string>{"run-24"}) << "Return opens the focused run";

  // Refreshing the open project keeps the place in it, with a row in view updated in place.
  scrollToMiddle(view);
  w.settle();
  const double middle = scrolled(view);
  auto changed = manyRuns(1000);
  changed[500].status = "failed";
  w.library.routeLibrary({doral()}, changed);
  w.library.routeProject(doral(), changed);
  w.click(view.refreshButton());
  ASSERT_TRUE(runUntil([&] { return !*view.model().state().busy; }));
  w.settle();
  EXPECT_NEAR(scrolled(view), middle, 2);
  auto* updated = w.button(view.list(), "Check page 500");
  ASSERT_NE(updated, nullptr);
  EXPECT_FALSE(descendants(*updated,
                           [](Gtk::Widget& widget) {
                             auto* label = dynamic_cast<Gtk::Label*>(&widget);
                             return label && std::string(label->get_text()) == "Quick read · Run 1 · Failed";
                           })
                   .empty())
      << "the updated run shows its new status";

  // Deleting a run from the middle of a long list keeps the list where it was.
  view.scroller().get_vadjustment()->set_value(0);
  w.settle();
  auto* row = w.button(view.list(), "Check page 1");
  ASSERT_NE(row, nullptr);
  auto* trash = row->get_parent()->get_last_child();
  w.click(*trash);
  ASSERT_NE(view.deletionSheet(), nullptr);
  w.click(view.deletionSheet()->deleteButton());
  ASSERT_TRUE(runUntil([&] { return view.model().shownCount() == 999; }));
  w.settle();
  EXPECT_EQ(w.button(view.list(), "Check page 1"), nullptr);
  EXPECT_NE(w.button(view.list(), "Check page 2"), nullptr);

  // Back to the projects and into the project again: a new visit starts at the top.
  scrollToMiddle(view);
  w.settle();
  w.click(view.backButton());
  w.click(*w.button(view.list(), "Doral"));
  ASSERT_TRUE(runUntil([&] { return view.model().view() == LibraryView::openProject; }));
  w.settle();
  EXPECT_EQ(scrolled(view), 0);
}

// A project opened from a search starts at its top, though the list read 0 already: the
// search had left the project list scrolled into a list that fits, so nothing scrolled.
TEST_F(LibraryScreenTest, AProjectOpenedFromASearchStartsAtTheTop) {
  LibraryWindow w(manyRuns(40));
  auto& view = *w.view;
  std::vector<LibraryProject> projects{doral()};
  for (int i = 0; i < 40; ++i)
    projects.emplace_back("q" + std::to_string(i), "Quay " + std::to_string(i), "Harbour logistics console.");
  w.library.routeLibrary(projects, manyRuns(40));
  w.click(view.refreshButton());
  ASSERT_TRUE(runUntil([&] { return view.model().shownCount() == 41 && !*view.model().state().busy; }));
  w.settle();
  scrollToMiddle(view);
  w.settle();
  ASSERT_GT(scrolled(view), 0);
  w.type(view.searchField(), "doral");
  ASSERT_TRUE(runUntil([&] { return view.model().shownCount() == 1; }));
  w.settle();
  ASSERT_EQ(scrolled(view), 0) << "the one project found fits";

  w.click(*w.button(view.list(), "Doral"));
  ASSERT_TRUE(runUntil([&] { return view.model().view() == LibraryView::openProject && !*view.model().state().busy; }));
  w.settle();
  w.settle();
  EXPECT_EQ(scrolled(view), 0);
  const auto briefs = descendants(view.list(), [](Gtk::Widget& widget) {
    auto* label = dynamic_cast<Gtk::Label*>(&widget);
    return label && std::string(label->get_text()) == "Calmer sign-up for a budgeting app." && label->get_mapped();
  });
  ASSERT_EQ(briefs.size(), 1u) << "the project's own row shows";
  EXPECT_GE(boundsIn(*briefs.front(), view.scroller()).y, 0) << "the brief is not scrolled past";
}

// The library list's pieces: the splices a view applies to its store, the folded search
// keys, the rows kept across deliveries of the same records, the search that narrows, and
// the screen model that announces only changes the list shows — over the fake service.
#include "core/library/library_list_contents.h"
#include "core/library/library_screen_model.h"
#include "core/library/library_search_key.h"
#include "core/library/list_splices.h"
#include "support/library_fixture.h"

#include <gtest/gtest.h>

#include <numeric>
#include <random>
#include <set>

using namespace vesk;
using namespace vesk::testing;

namespace {

std::vector<int> applied(std::vector<int> list, const std::vector<int>& after, const std::vector<ListSplice>& splices) {
  for (const auto& splice : splices) {
    const auto at = list.begin() + static_cast<long>(splice.position);
    list.erase(at, at + static_cast<long>(splice.removed));
    const auto from = after.begin() + static_cast<long>(splice.position);
    list.insert(list.begin() + static_cast<long>(splice.position), from, from + static_cast<long>(splice.added));
  }
  return list;
}

SavedAudit listedRun(std::string id, std::string project, std::string output) {
  SavedAudit run(std::move(id), "p1", std::move(project), "complete", std::move(output), "full");
  run.createdAt = "2024-05-02T10:00:00Z";
  return run;
}

std::vector<std::string> idsOf(const std::vector<LibraryEntry>& entries) {
  std::vector<std::string> ids;
  for (const auto& entry : entries)
    if (const auto* run = std::get_if<LibraryRunRow>(entry.get())) ids.push_back(run->id);
  return ids;
}

}  // namespace

TEST(ListSplices, KeepEveryItemPresentInBothListsAndRebuildTheAfterList) {
  EXPECT_TRUE(listSplices<int>({1, 2, 3}, {1, 2, 3}).empty());
  EXPECT_EQ(listSplices<int>({1, 2, 3}, {1, 2, 3, 4}), (std::vector<ListSplice>{{3, 0, 1}}));
  EXPECT_EQ(listSplices<int>({1, 2, 3}, {1, 3}), (std::vector<ListSplice>{{1, 1, 0}}));
  EXPECT_EQ(listSplices<int>({1, 2, 3}, {1, 9, 3}), (std::vector<ListSplice>{{1, 1, 1}})) << "replaced in place";
  EXPECT_EQ(listSplices<int>({}, {5, 6}), (std::vector<ListSplice>{{0, 0, 2}}));
  EXPECT_EQ(listSplices<int>({5, 6}, {}), (std::vector<ListSplice>{{0, 2, 0}}));
  // Two far-apart changes are two small splices, not one that rebuilds everything between.
  std::vector<int> before(1000);
  std::iota(before.begin(), before.end(), 0);
  auto after = before;
  after[5] = -5;
  after[900] = -900;
  EXPECT_EQ(listSplices(before, after), (std::vector<ListSplice>{{5, 1, 1}, {900, 1, 1}}));
  EXPECT_EQ(nextListStep(before, after), (ListSplice{5, 896, 896})) << "unlimited, one step covers both";

  std::mt19937 random(7);
  for (int round = 0; round < 300; ++round) {
    std::vector<int> pool(30);
    std::iota(pool.begin(), pool.end(), 0);
    std::shuffle(pool.begin(), pool.end(), random);
    const std::vector<int> from(pool.begin(), pool.begin() + static_cast<long>(random() % 20));
    std::shuffle(pool.begin(), pool.end(), random);
    const std::vector<int> to(pool.begin(), pool.begin() + static_cast<long>(random() % 20));
    const auto splices = listSplices(from, to);
    ASSERT_EQ(applied(from, to, splices), to) << "round " << round;
    ASSERT_EQ(applied(from, to, {nextListStep(from, to)}), to) << "round " << round;
  }
}

TEST(ListSplices, AStepAddsAScreenfulOfNewRowsNearTheTopAndTheStepsArriveAtTheTarget) {
  const ListStepLimit limit{10, 3};
  // A new list of 1,000 from the top: three new rows a step until the window is full,
  // then all the rest at once (past the window nothing is built).
  std::vector<int> shown;
  std::vector<int> target(1000);
  std::iota(target.begin(), target.end(), 0);
  std::vector<ListSplice> steps;
  for (auto step = nextListStep(shown, target, limit); step.removed + step.added > 0;
       step = nextListStep(shown, target, limit)) {
    steps.push_back(step);
    shown = applied(shown, target, {step});
  }
  EXPECT_EQ(shown, target);
  EXPECT_EQ(steps, (std::vector<ListSplice>{{0, 0, 3}, {3, 0, 3}, {6, 0, 3}, {9, 0, 991}}));

  // The old rows all go in the first step; rows that come back in it are kept, not new.
  const std::vector<int> old{0, 1, 2, 50, 51, 52, 53};
  EXPECT_EQ(nextListStep(old, target, limit), (ListSplice{3, 4, 3}));
  const std::vector<int> narrowed{50, 51, 52, 7, 8, 9, 10, 11};
  EXPECT_EQ(nextListStep(old, narrowed, limit), (ListSplice{0, 7, 6})) << "50–52 keep their rows";
  // A change past the window, or with no window, comes whole; an unchanged list needs none.
  auto tailChanged = target;
  tailChanged.resize(500);
  EXPECT_EQ(nextListStep(target, tailChanged, limit), (ListSplice{500, 500, 0}));
  EXPECT_EQ(nextListStep(std::vector<int>{}, target), (ListSplice{0, 0, 1000}));
  EXPECT_EQ(nextListStep(target, target, limit), (ListSplice{1000, 0, 0}));
  EXPECT_EQ(nextListStep(std::vector<int>{1}, std::vector<int>{2}, ListStepLimit{10, 0}), (ListSplice{0, 1, 1}))
      << "a limit of no rows still moves";

  // From any list to any other, limited steps arrive at the target, never adding more new
  // rows inside the window than the limit.
  std::mt19937 random(7);
  for (int round = 0; round < 300; ++round) {
    std::vector<int> pool(60);
    std::iota(pool.begin(), pool.end(), 0);
    std::shuffle(pool.begin(), pool.end(), random);
    std::vector<int> list(pool.begin(), pool.begin() + static_cast<long>(random() % 40));
    std::shuffle(pool.begin(), pool.end(), random);
    const std::vector<int> to(pool.begin(), pool.begin() + static_cast<long>(random() % 40));
    int stepsTaken = 0;
    for (auto step = nextListStep(list, to, limit); step.removed + step.added > 0;
         step = nextListStep(list, to, limit)) {
      ASSERT_LT(++stepsTaken, 50) << "round " << round;
      const std::set<int> before(list.begin(), list.end());
      std::size_t fresh = 0;
      for (std::size_t i = step.position; i < step.position + step.added && i < limit.window; ++i)
        fresh += before.contains(to[i]) ? 0 : 1;
      EXPECT_LE(fresh, limit.freshRows) << "round " << round;
      list = applied(list, to, {step});
    }
    ASSERT_EQ(list, to) << "round " << round;
  }
}

TEST(LibrarySearchKey, FoldsOnceBoundedAtACharacterAndMatchesLikeTheLocaleFolds) {
  EXPECT_TRUE(LibrarySearch("  ÉCLAIR ").matches(librarySearchKey("Un éclair au café")));
  EXPECT_TRUE(LibrarySearch("strasse").matches(librarySearchKey("Hauptstraße 5"))) << "ß folds to ss";
  EXPECT_TRUE(LibrarySearch(" \n").matches(librarySearchKey("")));
  EXPECT_FALSE(LibrarySearch("cafés").matches(librarySearchKey("café")));

  std::string accents;
  while (accents.size() < 3 * librarySearchKeyLimit) accents += "É";
  const std::string key = librarySearchKey(accents);
  EXPECT_LE(key.size(), librarySearchKeyLimit);
  EXPECT_GE(key.size(), librarySearchKeyLimit - 1);
  EXPECT_TRUE(g_utf8_validate(key.data(), static_cast<gssize>(key.size()), nullptr)) << "cut at a character";
  std::string growing;  // "ŉ" (2 bytes) folds to "ʼn" (3 bytes)
  while (growing.size() < librarySearchKeyLimit) growing += "ŉ";
  const std::string grown = librarySearchKey(growing);
  EXPECT_LE(grown.size(), librarySearchKeyLimit) << "a key that grows while folding is cut again";
  EXPECT_TRUE(g_utf8_validate(grown.data(), static_cast<gssize>(grown.size()), nullptr));
  EXPECT_FALSE(LibrarySearch("needle").matches(librarySearchKey(std::string(librarySearchKeyLimit, ' ') + "needle")))
      << "text past the bound is not searched";
  const std::string invalid = "Caf\xC3 \xFF";
  EXPECT_TRUE(LibrarySearch("caf").matches(librarySearchKey(invalid))) << "invalid UTF-8 folds, never throws";
}

TEST(LibraryListContents, RowsOutliveDeliveriesAndASearchThatGrowsNarrowsCorrectly) {
  LibraryListContents contents;
  const std::vector<SavedAudit> runs{listedRun("r1", "Doral", "Contrast is low."),
                                     listedRun("r2", "Atlas", "Tables are dense."),
                                     listedRun("r3", "Quay", "Contrast and density.")};
  contents.setArchive(runs);
  LibraryListContents::Query archive{LibraryView::archive, std::nullopt, "all", ""};
  const auto first = contents.entries(archive);
  ASSERT_EQ(first.size(), 3u);

  auto changed = runs;
  changed[1].status = "failed";
  contents.setArchive(changed);
  const auto second = contents.entries(archive);
  EXPECT_EQ(second[0], first[0]) << "an unchanged record keeps its row";
  EXPECT_NE(second[1], first[1]) << "a changed record gets a new row";
  EXPECT_EQ(std::get<LibraryRunRow>(*second[1]).meta, "Full audit · Failed");
  EXPECT_EQ(second[2], first[2]);
  const auto generation = contents.generation();
  contents.setArchive(changed);
  EXPECT_EQ(contents.entries(archive), second);
  EXPECT_EQ(contents.generation(), generation) << "the same records again change nothing";

  archive.search = "con";
  EXPECT_EQ(idsOf(contents.entries(archive)), (std::vector<std::string>{"r1", "r3"}));
  archive.search = "contrast and";
  EXPECT_EQ(idsOf(contents.entries(archive)), (std::vector<std::string>{"r3"}));
  archive.search = "con";
  EXPECT_EQ(idsOf(contents.entries(archive)), (std::vector<std::string>{"r1", "r3"})) << "a shorter search widens";
  changed.push_back(listedRun("r4", "Pine", "Contrast on buttons."));
  contents.setArchive(changed);
  archive.search = "contr";
  EXPECT_EQ(idsOf(contents.entries(archive)), (std::vector<std::string>{"r1", "r3", "r4"}))
      << "new records are searched although the search grew";
  archive.search = "zzz";
  const auto& empty = contents.entries(archive);
  ASSERT_EQ(empty.size(), 1u);
  EXPECT_EQ(std::get<LibraryEmptyState>(*empty[0]).text, "No runs match that search.");
  EXPECT_EQ(contents.shownCount(archive), 0u);
}

TEST(LibraryScreenModel, AnnouncesListChangesOnlyWhenTheListChanges) {
  LibraryFixture f;
  std::vector<SavedAudit> runs;
  for (int i = 0; i < 40; ++i) runs.push_back(archiveRun("r" + std::to_string(i), "p1"));
  f.routeLibrary({LibraryProject("p1", "Doral")}, runs);
  LibraryScreenModel model(f.dialog, LibraryScreenModel::Inputs{f.api(), false, {}, std::nullopt}, {});
  std::vector<std::vector<ListSplice>> announced;
  int changes = 0;
  model.signalEntriesChanged().connect([&](const std::vector<ListSplice>& splices) { announced.push_back(splices); });
  model.signalChanged().connect([&] { ++changes; });
  model.appear();
  model.showArchive();
  ASSERT_TRUE(runUntil([&] { return model.shownCount() == 40 && !*model.state().busy; }));
  runFor(std::chrono::milliseconds(20));
  ASSERT_FALSE(announced.empty());
  const auto entries = model.entries();

  announced.clear();
  changes = 0;
  model.state().busy = true;
  model.state().busy = false;
  model.editor = true;
  ASSERT_TRUE(runUntil([&] { return changes > 0; }));
  EXPECT_TRUE(announced.empty()) << "busy and a sheet change no row";

  model.refresh();
  ASSERT_TRUE(runUntil([&] { return !*model.state().busy && model.state().runningTasks() == 0; }));
  runFor(std::chrono::milliseconds(20));
  EXPECT_TRUE(announced.empty()) << "a refresh that brings the same runs splices nothing";
  EXPECT_EQ(model.entries(), entries);

  model.setSearch("r3");
  ASSERT_TRUE(runUntil([&] { return !announced.empty(); }));
  EXPECT_EQ(announced.size(), 1u) << "one announcement per main-loop turn";
}

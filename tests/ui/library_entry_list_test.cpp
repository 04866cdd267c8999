// The library list's model: items only for the rows the list asks for, the same item for
// an entry that stays, and GTK told exactly what changed.
#include "ui/library/library_entry_list.h"
#include "ui/support/ui_test.h"

#include <memory>
#include <string>
#include <tuple>
#include <vector>

using vesk::LibraryEntry;
using vesk::LibraryListEntry;
using vesk::LibraryProjectRow;
using vesk::ui::LibraryEntryList;

namespace {

class LibraryEntryListTest : public vesk::testing::UiTest {};

LibraryEntry project(int number) {
  LibraryProjectRow row;
  row.id = "p" + std::to_string(number);
  row.name = "Project " + std::to_string(number);
  return std::make_shared<const LibraryListEntry>(row);
}

std::string idAt(const LibraryEntryList& list, std::size_t position) {
  const auto item = list.item(position);
  return item ? std::get<LibraryProjectRow>(*item->entry()).id : "none";
}

}  // namespace

TEST_F(LibraryEntryListTest, MakesItemsOnlyWhenAskedKeepsThemForEntriesThatStayAndTellsTheListEachChange) {
  LibraryEntryList list;
  using Changes = std::vector<std::tuple<guint, guint, guint>>;
  Changes told;
  const auto record = +[](GListModel*, guint position, guint removed, guint added, gpointer changes) {
    static_cast<Changes*>(changes)->emplace_back(position, removed, added);
  };
  const gulong handler = g_signal_connect(list.model(), "items-changed", G_CALLBACK(record), &told);
  std::vector<LibraryEntry> many;
  for (int i = 0; i < 10'000; ++i) many.push_back(project(i));
  std::size_t leavingSeen = 99;
  list.splice(0, 0, many, [&](const LibraryEntryList::Leaving& leaving) { leavingSeen = leaving.size(); });
  EXPECT_EQ(leavingSeen, 0u);
  EXPECT_EQ(list.size(), 10'000u);
  EXPECT_EQ(g_list_model_get_n_items(list.model()), 10'000u);
  EXPECT_EQ(list.itemsMade(), 0u) << "a new list makes no items";
  EXPECT_EQ(idAt(list, 9'999), "p9999");
  EXPECT_EQ(idAt(list, 10'000), "none");
  EXPECT_EQ(g_list_model_get_item(list.model(), 10'000), nullptr);
  auto* asked = static_cast<GObject*>(g_list_model_get_item(list.model(), 2));
  EXPECT_EQ(asked, G_OBJECT(list.item(2)->gobj())) << "the list and the view see one item";
  g_object_unref(asked);
  EXPECT_EQ(list.itemsMade(), 2u);

  // Entries 1 and 2 swap places and 0 leaves: 2 keeps its item, 0 is gone.
  const auto kept = list.item(2);
  std::vector<std::string> left;
  list.splice(0, 3, {many[2], many[1], project(10'001)}, [&](const LibraryEntryList::Leaving& leaving) {
    for (const auto* entry : leaving) left.push_back(std::get<LibraryProjectRow>(*entry).id);
  });
  EXPECT_EQ(left, std::vector<std::string>{"p0"});
  EXPECT_EQ(list.item(0), kept) << "an entry that stays keeps its item";
  EXPECT_EQ(idAt(list, 1), "p1");
  EXPECT_EQ(idAt(list, 2), "p10001");
  EXPECT_EQ(list.size(), 10'000u);
  // Past the end is cut to the end.
  list.splice(9'999, 5, {}, [](const LibraryEntryList::Leaving&) {});
  EXPECT_EQ(list.size(), 9'999u);
  const Changes expected{{0, 0, 10'000}, {0, 3, 3}, {9'999, 1, 0}};
  EXPECT_EQ(told, expected);
  g_signal_handler_disconnect(list.model(), handler);
}

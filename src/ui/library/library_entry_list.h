#pragma once
// The library list's model for GTK: the screen's entries, each handed to the list as an
// item only when the list asks for it. A new list of 10,000 entries costs a copy of
// their pointers, not 10,000 objects: the list asks only for the rows it builds. An
// entry that stays in the list keeps its item, so its row stays.
#include "core/library/library_list_entries.h"
#include "ui/library/library_list_cell.h"

#include <gio/gio.h>

#include <cstddef>
#include <functional>
#include <unordered_set>
#include <vector>

namespace vesk::ui {

class LibraryEntryList {
 public:
  LibraryEntryList();
  ~LibraryEntryList();
  LibraryEntryList(const LibraryEntryList&) = delete;
  LibraryEntryList& operator=(const LibraryEntryList&) = delete;

  // Items made so far, for tests and benchmarks.
  std::size_t itemsMade() const;
  // The model to give the list; it lives as long as anyone holds it.
  GListModel* model() const { return model_; }
  std::size_t size() const;
  // The entries the list holds, in order.
  const std::vector<LibraryEntry>& entries() const;
  // The item at `position`, made now if the list has not asked for it; null past the end.
  Glib::RefPtr<LibraryEntryItem> item(std::size_t position) const;

  // The entries that leave the list: those of the range that `added` does not hold again.
  using Leaving = std::unordered_set<const LibraryListEntry*>;
  // Replaces `removed` entries at `position` with `added`, and tells the list; `beforeTheList`
  // sees the entries that leave before the list is told.
  void splice(std::size_t position, std::size_t removed, std::vector<LibraryEntry> added,
              const std::function<void(const Leaving&)>& beforeTheList);

 private:
  GListModel* model_;  // one reference, ours
};

}  // namespace vesk::ui

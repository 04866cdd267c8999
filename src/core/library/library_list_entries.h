#pragma once
// What the library's list shows, one entry per row: the open project's detail above its
// runs, the empty state, a project or a run. Entries are immutable and shared: a record
// that arrives unchanged keeps its entry (and its folded search key, built once), so a
// view that compares entries by identity redraws only rows that changed.
#include "core/library/library_presentation.h"
#include "core/records/library_records.h"
#include "core/records/run_records.h"

#include <cstddef>
#include <initializer_list>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <variant>
#include <vector>

namespace vesk {

// The open project, drawn above its runs.
struct LibraryDetailEntry {
  LibraryProject project;
};

// A project of the list, as its row draws it.
struct LibraryProjectRow {
  std::string id;
  std::string name;
  std::optional<std::string> brief;
  std::optional<std::string> kind;
  std::string runCount;
  std::optional<std::string> activity;
  std::string searchKey;  // name and brief, folded
};

// A run of a list, as its row draws it; the report itself stays with the record.
struct LibraryRunRow {
  std::string id;
  std::string title;        // the run's own title, for a project's list
  std::string projectName;  // the archive's title: the name, then the tail
  std::string archiveTail;
  std::string meta;
  std::optional<std::string> date;
  std::string deleteName;
  bool running = false;   // a running run cannot be deleted
  std::string searchKey;  // project name and report, folded
};

using LibraryListEntry = std::variant<LibraryDetailEntry, LibraryEmptyState, LibraryProjectRow, LibraryRunRow>;
using LibraryEntry = std::shared_ptr<const LibraryListEntry>;

// The rows of the records seen so far, by id. Handing it the same record again returns
// the same entry without folding anything; a changed record gets a new entry.
class LibraryRowCache {
 public:
  LibraryEntry projectRow(const LibraryProject& project);
  LibraryEntry runRow(const SavedAudit& run);
  // Forgets every row that none of `lists` holds.
  void keepOnly(std::initializer_list<const std::vector<LibraryEntry>*> lists);

 private:
  struct Cached {
    std::size_t fingerprint = 0;
    LibraryEntry entry;
    bool kept = false;
  };
  LibraryEntry lookUp(std::unordered_map<std::string, Cached>& rows, const std::string& id, std::size_t fingerprint);

  std::unordered_map<std::string, Cached> projects_;
  std::unordered_map<std::string, Cached> runs_;
};

}  // namespace vesk

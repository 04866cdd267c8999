#pragma once
// The entries of the library's list for the records the screen holds and what the user
// asked for (the view, the kind filter, the search). Rows are looked up when records
// arrive, not per keystroke; the filtered list is kept until the records or the question
// change, and a search that only grows narrows the previous matches instead of searching
// every row again.
#include "core/library/library_list_entries.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vesk {

class LibraryListContents {
 public:
  struct Query {
    LibraryView view = LibraryView::projects;
    std::optional<LibraryProject> open;
    std::string kind = "all";
    std::string search;
    bool operator==(const Query&) const = default;
  };

  void setProjects(const std::vector<LibraryProject>& projects);
  void setArchive(const std::vector<SavedAudit>& runs);
  void setOpenRuns(const std::vector<SavedAudit>& runs);

  // The entries for `query`: the open project's detail, the empty state, then the rows.
  const std::vector<LibraryEntry>& entries(const Query& query);
  // How many projects or runs `query` shows.
  std::size_t shownCount(const Query& query);
  // How many projects pass `kind` and `search`, worked out without touching entries().
  std::size_t projectsMatching(const std::string& kind, const std::string& search) const;
  // Raised by one whenever entries() returns a list that differs from the previous one.
  std::uint64_t generation() const { return generation_; }

 private:
  struct Filtered {
    std::optional<Query> query;
    std::uint64_t records = 0;
    std::vector<LibraryEntry> rows;
  };
  void update(const Query& query);
  std::vector<LibraryEntry> filter(const Query& query, const std::vector<LibraryEntry>& candidates) const;
  const std::vector<LibraryEntry>& rowsOf(LibraryView view) const;
  LibraryEntry detailEntry(const Query& query);
  LibraryEntry emptyEntry(const Query& query, std::size_t shown);
  void recordsChanged();

  LibraryRowCache cache_;
  std::vector<LibraryEntry> projects_;
  std::vector<LibraryEntry> archive_;
  std::vector<LibraryEntry> openRuns_;
  std::uint64_t records_ = 1;  // raised by one whenever a record list arrives
  Filtered filtered_;
  LibraryEntry detail_;
  LibraryEntry empty_;
  std::vector<LibraryEntry> entries_;
  std::uint64_t generation_ = 0;
};

}  // namespace vesk

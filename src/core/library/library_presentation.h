#pragma once
// Pure rules of the "Projects & history" screen: the local search and kind filter, the
// title and count sentences, the empty states, the activity date, and the words of a run
// row and of a project's detail. Everything here is text in, text out.
#include "core/records/library_records.h"
#include "core/records/run_records.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vesk {

// Which of its three views the screen shows.
enum class LibraryView { projects, openProject, archive };

// The search text as the filters use it: without white space at either end.
std::string libraryNeedle(std::string_view search);
// Whether `text` contains `needle`, ignoring case as the user's locale folds it. An empty
// needle is contained in every text. Like the screen's search, it looks at the text's
// first librarySearchKeyLimit bytes.
bool libraryTextContains(std::string_view text, std::string_view needle);

// The list itself filters the rows of LibraryListContents; these filter records with the
// same rules.
// The projects of `kind` ("all", "landing" or "dashboard") whose name and brief contain the
// search, in their order. A project without a kind passes only "all".
std::vector<LibraryProject> filteredProjects(const std::vector<LibraryProject>& projects, std::string_view kind,
                                             std::string_view search);
// The runs whose project name and report contain the search, in their order.
std::vector<SavedAudit> filteredRuns(const std::vector<SavedAudit>& runs, std::string_view search);

// The screen's heading: the archive, the open project's name, or the number of projects.
std::string libraryTitle(LibraryView view, const std::optional<LibraryProject>& open, std::size_t projectCount);
// The kind row's count: the plain number of projects, or "Showing X of Y" under a filter.
std::string libraryCountLabel(std::string_view kind, std::string_view search, std::size_t shown, std::size_t all);
// "1 run", "0 runs", "12 runs"; an absent count is 0.
std::string libraryRunCount(const std::optional<std::int64_t>& runCount);
// The search field's placeholder for a view.
std::string librarySearchPrompt(LibraryView view);

// What the list shows when it has nothing to list: a sentence and, optionally, a button
// that clears what hid the items.
struct LibraryEmptyState {
  enum class Clear { none, filters, search };
  std::string text;
  Clear clear = Clear::none;
  std::string clearTitle;
  bool operator==(const LibraryEmptyState&) const = default;
};
// The empty state of the project list; absent when the list has items or when no filter
// is set (the title already says the rack is empty).
std::optional<LibraryEmptyState> projectsEmptyState(std::size_t shown, std::string_view kind, std::string_view search);
// The empty state of a run list; absent when the list has items.
std::optional<LibraryEmptyState> runsEmptyState(std::size_t shown, std::string_view search);

// An RFC 3339 date-time, with or without fractional seconds, as an abbreviated local
// date; any other text unchanged.
std::string libraryActivityLabel(std::string_view text);

// A run's title: the first non-empty line of its input, trimmed and cut to 160
// characters, or its project name when that leaves nothing.
std::string libraryRunTitle(const SavedAudit& run);
// What produced a run: another agent by its name, else "Full audit", "Discussion" or
// "Quick read".
std::string libraryRunLabel(const SavedAudit& run);
// The run's meta line: its label, its number and its status.
std::string libraryRunMeta(const SavedAudit& run);
// What follows the project name in an archive row: empty when the run's title is the
// project name, else " · " and the title.
std::string libraryArchiveTitleTail(const SavedAudit& run);
// The delete button's accessible name.
std::string libraryDeleteRunName(const SavedAudit& run);
// The date shown at the end of a run's title line: the first ten characters of its
// creation time, or nothing.
std::optional<std::string> libraryRunDate(const SavedAudit& run);

// Each word with its first letter upper-cased and the rest lower-cased, the same in every
// language.
std::string capitalisedWords(std::string_view text);

// Whether a reference URL is shown as a link: it parses and its scheme is http or https.
bool isWebLink(std::string_view url);
// The line that states a project's intent.
std::string libraryIntentLabel(std::string_view intent);

// Identifies the list's scroll position: a new identity starts the list at the top.
std::string libraryScrollIdentity(bool archive, const std::optional<LibraryProject>& open);

}  // namespace vesk

#pragma once
// What the comparison chooser shows for the state of a baseline loading: the progress
// indicator while loading, the error with "Try again", the empty sentence, or one row per
// earlier full audit in the service's order. Rows show only once the loading has ended
// without an error.
#include "core/records/library_records.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vesk {

struct ComparisonChooserRow {
  ReportBaseline baseline;
  std::string subject;  // "Full audit" for an empty subject
  std::string date;     // the first ten characters of the creation time
};

struct ComparisonChooserLook {
  bool loading = false;
  std::optional<std::string> error;  // shown with "Try again"
  bool empty = false;                // "There are no completed full audits in this project yet."
  std::vector<ComparisonChooserRow> rows;
};

ComparisonChooserLook comparisonChooserLook(const std::vector<ReportBaseline>& baselines,
                                            const std::optional<std::string>& error, bool loading);
// The calendar date of an ISO 8601 time: its first ten characters, or all of a shorter one.
std::string chooserDate(std::string_view createdAt);

}  // namespace vesk

#pragma once
// The report screen's pure rules: the kind label of its header, the arguments it hands
// the reader page, and its lengths below the window header.
#include "core/api/desktop_api.h"
#include "core/records/run_records.h"
#include "core/report/report_records.h"

#include <optional>
#include <string>
#include <vector>

namespace vesk {

// The header's label for the open run: a foreign agent's saved report, an incomplete
// audit, a quick read, a discussion or a full audit.
std::string reportKindLabel(const std::optional<SavedAudit>& run);

// The archived sources as the reader page reads them: a compact JSON array of objects of
// "url" and, only where present, "source", "note" and "screenshotError"; "[]" for a
// follow-up run.
std::string provenanceJSON(const std::optional<SavedAudit>& run, const std::vector<ReportSourceURL>& sources);

struct ReportScreenMetrics {
  double headerTop = 0;   // the slim header's top margin
  double veilHeight = 0;  // the top veil over the reader
  int readerTopInset = 0;
};
ReportScreenMetrics reportScreenMetrics(double headerInset);

struct ReaderArguments {
  SharedText markdown;  // the run's text, shared with the run
  bool fixture = false;
  std::optional<DesktopAPI> api;
  std::optional<std::string> runID;
  bool interactive = false;  // the owner may answer and refine: a finished run of the product's agent
  int topInset = 0;
  std::string provenanceJSON;
  bool discussion = false;  // a follow-up run
};

ReaderArguments readerArguments(const std::optional<SavedAudit>& run, bool fixture, std::optional<DesktopAPI> api,
                                const std::vector<ReportSourceURL>& sources, double headerInset);

}  // namespace vesk

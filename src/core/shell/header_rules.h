#pragma once
// The rules of the window header: the title of each screen, which buttons its toolbar
// holds, when the report's Export and Share buttons work, and where Back leads. Pure
// functions of the workspace's values, so the header only draws their answers.
#include "core/records/run_records.h"
#include "core/workspace/screen.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vesk {

// Whether the audit at hand is a quick read: the open run's own mode when it has one,
// else the mode chosen in the composer.
bool isQuickRead(const std::optional<SavedAudit>& current, std::string_view composerMode);

// The title of `screen`; on the report screen the open run's project ("Report" without
// one). Home has the composer's title, though the header shows none there.
std::string screenTitle(Screen screen, const std::optional<SavedAudit>& current, std::string_view composerMode);
// Whether the header shows the title on `screen`.
bool showsTitle(Screen screen);

// The toolbar's items, left to right.
enum class HeaderItem { toggleSidebar, back, addFiles, separator, exportPDF, shareReport, print, newAudit };
std::vector<HeaderItem> headerItems(Screen screen);

// Which of the report's header actions work. Export and Share need a complete run of
// Vesk's own agent (a run without an agent is one); Export is off in the local preview,
// Share for a sample run. Print always works.
struct ReportActions {
  bool exportPDF = false;
  bool shareReport = false;
  bool print = true;
  bool operator==(const ReportActions&) const = default;
};
ReportActions reportActions(const std::optional<SavedAudit>& current, bool localPreview);

// Where Back leads: from review to discovery (the answers stay); from discovery in the
// local preview to the composer (the draft stays); from any other discovery to a fresh
// audit.
enum class BackStep { toDiscovery, toComposer, newAudit };
BackStep backStep(Screen screen, bool localPreview);

}  // namespace vesk

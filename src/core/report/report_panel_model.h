#pragma once
// What the "Your report" panel shows for the open report: the error and notice, the
// archived sources, the link to the earlier audit, the discussion box, the send row and
// the report actions, each with whether it shows and whether it may be used. Sample
// reports request no model work and fetch nothing, so their actions stay disabled.
#include "core/report/report_state.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vesk {

struct PanelSourceRow {
  std::string linkText;  // the title, else the address
  std::string url;
  bool linkEnabled = true;            // a source that failed to load has no link
  std::optional<std::string> detail;  // the error, else the note
  bool capturedPage = false;          // "View captured page"
  bool capturedPageEnabled = false;
  std::optional<std::string> fetched;          // "Fetched: " and the address actually fetched
  std::optional<std::string> screenshotError;  // "Screenshot: " and why

  bool operator==(const PanelSourceRow&) const = default;
};

struct PanelAttachmentRow {
  std::string filename;
  bool viewImage = false;  // only for images
  bool buttonsEnabled = false;

  bool operator==(const PanelAttachmentRow&) const = default;
};

struct ReportPanelLook {
  std::optional<std::string> error;
  std::optional<std::string> message;
  std::optional<std::string> input;  // the run's input, when it has one
  std::vector<PanelSourceRow> sources;
  std::vector<PanelAttachmentRow> attachments;
  bool loadingSources = false;
  std::optional<std::string> noSources;  // the sentence when nothing was archived
  bool openOriginal = false;
  bool openOriginalEnabled = false;
  // The discussion box and the send row: for a finished report of the product's agent.
  bool discussion = false;
  std::string heading;
  std::string placeholder;
  std::string sendLabel;
  bool fieldEnabled = false;
  bool sampleNote = false;  // "Sample reports do not request model work."
  bool progress = false;
  // The actions row; Copy and "Download .md…" always show and are never disabled.
  std::string shareLabel;
  bool share = false;
  bool shareEnabled = false;
  bool compare = false;
  bool compareEnabled = false;
  bool deleteEnabled = false;
};

ReportPanelLook reportPanelLook(const ReportState& state);

// The discussion field's bound, in UTF-16 code units.
inline constexpr std::int64_t discussionBudget = 2000;

struct DiscussionLook {
  std::string counter;  // "1999 / 2,000 characters"
  bool sendEnabled = false;
};

// The counter and the send button for the field's text as typed.
DiscussionLook discussionLook(std::string_view instruction, bool busy, bool fixture);
// The longest prefix of whole characters within the bound; the text itself when it fits.
std::string boundedInstruction(std::string_view text);
// The web address a source link opens: only an absolute address whose scheme is exactly
// "https" or "http"; nothing otherwise.
std::optional<std::string> openableSourceAddress(std::string_view url);

}  // namespace vesk

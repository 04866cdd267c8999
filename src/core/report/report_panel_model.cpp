#include "core/report/report_panel_model.h"

#include "core/input/audit_input_rules.h"
#include "core/input/parsed_url.h"
#include "core/text/text_rules.h"

namespace vesk {

namespace {

PanelSourceRow sourceRow(const ReportSourceURL& source, bool fixture) {
  PanelSourceRow row;
  row.linkText = source.title.value_or(source.url);
  row.url = source.url;
  row.linkEnabled = !source.error;
  row.detail = source.error ? source.error : source.note;
  row.capturedPage = source.screenshotUrl.has_value();
  row.capturedPageEnabled = row.capturedPage && !fixture;
  if (source.canonical && *source.canonical != source.url) row.fetched = "Fetched: " + *source.canonical;
  if (source.screenshotError) row.screenshotError = "Screenshot: " + *source.screenshotError;
  return row;
}

PanelAttachmentRow attachmentRow(const ReportSourceAttachment& attachment, bool fixture) {
  return PanelAttachmentRow{attachment.filename, attachment.mediaType.starts_with("image/"),
                            !fixture && attachment.url.has_value()};
}

void describeDiscussion(const ReportState& state, ReportPanelLook& look) {
  const bool busy = *state.busy;
  const bool fixture = state.isLocalPreview();
  look.discussion = state.complete() && state.isVesk();
  const bool discussion = state.discussion();
  look.heading = discussion ? "Discuss this audit" : "Continue with Vesk";
  look.placeholder = discussion ? "Ask about this audit" : "What should this report explore further?";
  look.sendLabel = discussion ? "Ask Vesk" : "Update report";
  look.fieldEnabled = !busy && !fixture;
  look.sampleNote = look.discussion && fixture;
  look.progress = busy;
}

}  // namespace

ReportPanelLook reportPanelLook(const ReportState& state) {
  ReportPanelLook look;
  const bool busy = *state.busy;
  const bool fixture = state.isLocalPreview();
  look.error = *state.error;
  look.message = *state.message;
  if (!state.input->empty()) look.input = *state.input;
  for (const auto& source : *state.sources) look.sources.push_back(sourceRow(source, fixture));
  for (const auto& attachment : *state.attachments) look.attachments.push_back(attachmentRow(attachment, fixture));
  look.loadingSources = *state.loadingDetails;
  if (!look.loadingSources && !look.input && look.sources.empty() && look.attachments.empty()) {
    look.noSources = fixture ? "Fictional sample. No external material was fetched."
                             : "No source material was archived with this run.";
  }
  look.openOriginal = state.originalReviewID->has_value();
  look.openOriginalEnabled = look.openOriginal && !busy && !fixture;
  describeDiscussion(state, look);
  look.shareLabel = state.sharedSlug->has_value() ? "Shared…" : "Share…";
  look.share = state.isVesk();
  look.shareEnabled = look.share && state.complete() && !fixture && !busy && !*state.loadingDetails;
  look.compare = state.isVesk();
  look.compareEnabled = look.compare && !busy;
  look.deleteEnabled = !busy && !fixture;
  return look;
}

DiscussionLook discussionLook(std::string_view instruction, bool busy, bool fixture) {
  const std::int64_t length = utf16Length(instruction);
  DiscussionLook look;
  look.counter = std::to_string(length) + " / 2,000 characters";
  look.sendEnabled = !busy && !fixture && !trimmedWhiteSpace(instruction).empty() && length <= discussionBudget;
  return look;
}

std::string boundedInstruction(std::string_view text) { return boundedAccountText(text, discussionBudget); }

std::optional<std::string> openableSourceAddress(std::string_view url) {
  if (!url.starts_with("https:") && !url.starts_with("http:")) return std::nullopt;
  const auto parsed = ParsedURL::parse(url);
  if (!parsed || !parsed->host) return std::nullopt;
  return std::string(url);
}

}  // namespace vesk

// ReportState: the earlier full audits offered as baselines, evidence image previews and
// saving an attached file.
#include "core/async/background.h"
#include "core/platform/atomic_file.h"
#include "core/platform/preview_image.h"
#include "core/report/report_state.h"
#include "core/text/safe_file_name.h"
#include "core/workspace/save_dialog.h"
#include "core/workspace/uuid_text.h"

#include <glib.h>

namespace vesk {

namespace {

// Attached files are at most 10 MiB (the largest PDF an audit takes); reading stops
// just past that.
constexpr std::size_t largestAttachment = 10'485'760;

constexpr std::string_view attachmentsKind = "attachments";
constexpr std::string_view screenshotKind = "url-shot";

bool isImageType(std::string_view mediaType) {
  constexpr std::string_view prefix = "image/";
  if (mediaType.size() < prefix.size()) return false;
  for (std::size_t index = 0; index < prefix.size(); ++index)
    if (g_ascii_tolower(mediaType[index]) != prefix[index]) return false;
  return true;
}

}  // namespace

async::TaskRef ReportState::loadBaselines() {
  if (!isVesk()) return {};
  std::optional<std::string> projectID = comparisonProjectID_;
  if (!projectID && report->has_value()) projectID = (*report)->projectId;
  if (!projectID || *loadingBaselines) return {};
  if (fixture_) {
    if (!report->has_value()) return {};
    const SavedAudit& run = **report;
    std::vector<ReportBaseline> offered;
    if (run.auditMode == std::optional<std::string>("full") && run.status == "complete")
      offered.emplace_back(run.id, run.createdAt.value_or(""), run.projectName);
    baselines = std::move(offered);
    return {};
  }
  if (!api_) return {};
  loadingBaselines = true;
  baselineError = std::nullopt;
  baselines.set({});
  return own(baselinesTask(generation_, *api_, std::move(*projectID)));
}

async::Task<void> ReportState::baselinesTask(std::uint64_t generation, DesktopAPI api, std::string projectID) {
  const Line line(co_await async::currentContext(), *this, generation, 0);
  std::optional<std::string> failure;
  try {
    auto choices = co_await api.request<ReportBaselineChoices>(
        "projects/" + DesktopAPI::pathIdentifier(projectID) + "/reaudits", std::nullopt, Auth::bearer);
    if (line.isCurrent()) baselines = std::move(choices.audits);
  } catch (const async::Cancelled&) {
    throw;
  } catch (const std::exception& caught) {
    failure = sentenceOf(caught);
  }
  if (!line.isCurrent()) co_return;
  if (failure) baselineError = *failure;
  loadingBaselines = false;
}

void ReportState::previewSource(std::string_view kind, long index, std::string title) {
  if ((kind != attachmentsKind && kind != screenshotKind) || index < 0) return;
  const std::size_t count = kind == attachmentsKind ? attachments->size() : sources->size();
  if (static_cast<std::size_t>(index) >= count) return;
  if (fixture_ || !api_ || !report->has_value()) return;
  std::string previewID = freshUUID();
  sourcePreview = ReportSourcePreview::loadingPreview(previewID, std::move(title));
  // The evidence download checks the whole path, the run id among it.
  std::string path = "runs/" + (*report)->id + "/" + std::string(kind) + "/" + std::to_string(index);
  own(previewTask(generation_, *api_, std::move(path), std::move(previewID)));
}

async::Task<void> ReportState::previewTask(std::uint64_t generation, DesktopAPI api, std::string path,
                                           std::string previewID) {
  const Line line(co_await async::currentContext(), *this, generation, 0);
  // The user may have closed the preview or opened another meanwhile.
  const auto isAsked = [&] {
    return line.isCurrent() && sourcePreview->has_value() && (*sourcePreview)->id == previewID;
  };
  std::shared_ptr<const std::string> bytes;
  std::optional<std::string> failure;
  try {
    auto image = co_await api.asset(std::move(path), largestPreviewImageBytes);
    if (!isAsked()) co_return;
    if (!isImageType(image.mimeType)) throw VeskError::message(previewUnavailableSentence);
    bytes = std::make_shared<const std::string>(std::move(image.bytes));
    co_await verifyPreviewImage(bytes);
  } catch (const async::Cancelled&) {
    throw;
  } catch (const ReplyTooLarge&) {
    failure = previewUnavailableSentence;
  } catch (const std::exception& caught) {
    failure = sentenceOf(caught);
  }
  if (!isAsked()) co_return;
  sourcePreview = failure ? (*sourcePreview)->failed(*failure) : (*sourcePreview)->shown(std::move(bytes));
}

void ReportState::exportAttachment(long index, std::string filename) {
  if (!api_ || !report->has_value() || fixture_) return;
  if (index < 0 || static_cast<std::size_t>(index) >= attachments->size()) return;
  own(attachmentTask(generation_, *api_, (*report)->id, index, std::move(filename)));
}

async::Task<void> ReportState::attachmentTask(std::uint64_t generation, DesktopAPI api, std::string runID, long index,
                                              std::string filename) {
  const Line line(co_await async::currentContext(), *this, generation, 0);
  std::string bytes;
  std::optional<std::string> failure;
  try {
    const std::string operation = "runs/" + DesktopAPI::pathIdentifier(runID) + "/attachments/" + std::to_string(index);
    bytes = co_await api.raw(operation, std::nullopt, std::nullopt, Auth::bearer, largestAttachment);
  } catch (const async::Cancelled&) {
    throw;
  } catch (const std::exception& caught) {
    failure = sentenceOf(caught);
  }
  if (!line.isCurrent()) co_return;
  if (failure) {
    error = *failure;
    co_return;
  }
  const auto destination =
      co_await saveDialog_->chooseDestination(safeFileName(filename, "attachment"), SavedFileKind::anyFile);
  if (!destination || !line.isCurrent()) co_return;
  try {
    auto writing = async::inBackground([&] { writeFileAtomically(*destination, bytes); });
    co_await std::move(writing);
  } catch (const async::Cancelled&) {
    throw;
  } catch (const std::exception& caught) {
    failure = sentenceOf(caught);
  }
  if (failure && line.isCurrent()) error = *failure;
}

}  // namespace vesk

// The library state: previewing and saving a project's anchor file.
#include "core/async/background.h"
#include "core/library/anchor_download.h"
#include "core/library/library_sentences.h"
#include "core/library/project_library_state.h"
#include "core/platform/atomic_file.h"
#include "core/platform/preview_image.h"
#include "core/text/safe_file_name.h"
#include "core/workspace/save_dialog.h"
#include "core/workspace/uuid_text.h"

namespace vesk {

namespace {

constexpr const char* fallbackAnchorName = "Anchor";

}  // namespace

void ProjectLibraryState::previewAnchor(const LibraryProject& project) {
  if (isLocalPreview() || !api_ || !project.contextAttachment) return;
  const LibraryAnchor& anchor = *project.contextAttachment;
  if (!anchor.mediaType.starts_with("image/") || !anchor.url) return;
  auto preview = ReportSourcePreview::loadingPreview(freshUUID(), anchor.filename);
  const std::string previewID = preview.id;
  anchorPreview = std::move(preview);
  start(previewTask(self(), *api_, project.id, previewID, generation_));
}

async::Task<void> ProjectLibraryState::previewTask(Self self, DesktopAPI api, std::string projectID,
                                                   std::string previewID, Token generation) {
  // Whether the preview that asked is still on show, in the same line of work.
  const auto stillAsked = [&](const ProjectLibraryState* state) {
    return state && state->isCurrent(generation) && state->isPreviewShown(previewID);
  };
  std::shared_ptr<const std::string> image;
  std::optional<std::string> failure;
  try {
    auto file = co_await downloadAnchor(api, projectID, largestPreviewImageBytes);
    if (!stillAsked(self.get())) co_return;
    // Too large: refused without being decoded.
    if (file.overLimit) throw VeskError::message(previewUnavailableSentence);
    image = std::make_shared<const std::string>(std::move(file.bytes));
    co_await verifyPreviewImage(image, PreviewImagePurpose::attachment);
  } catch (const async::Cancelled&) {
    co_return;
  } catch (const std::exception& e) {
    failure = e.what();
  }
  auto* state = self.get();
  if (!stillAsked(state)) co_return;
  const ReportSourcePreview& asked = **state->anchorPreview;
  state->anchorPreview = failure ? asked.failed(std::move(*failure)) : asked.shown(std::move(image));
}

void ProjectLibraryState::exportAnchor(const LibraryProject& project) {
  if (isLocalPreview() || !api_ || !project.contextAttachment) return;
  start(exportTask(self(), *api_, project.id, project.contextAttachment->filename, generation_));
}

async::Task<void> ProjectLibraryState::exportTask(Self self, DesktopAPI api, std::string projectID,
                                                  std::string filename, Token generation) {
  AnchorFile file;
  std::optional<std::string> failure;
  try {
    file = co_await downloadAnchor(api, projectID, largestPreviewImageBytes);
    // A file cut short at the limit is never written.
    if (file.overLimit) throw VeskError::message(library_sentences::fileTooLarge);
  } catch (const async::Cancelled&) {
    co_return;
  } catch (const std::exception& e) {
    failure = e.what();
  }
  auto* state = self.get();
  if (!state || !state->isCurrent(generation)) co_return;
  // An earlier sentence stays in place: only a failure of this save replaces it.
  if (failure) {
    state->error = std::move(*failure);
    co_return;
  }

  const std::shared_ptr<SaveDialog> dialog = state->saveDialog_;
  std::optional<std::string> destination;
  try {
    destination =
        co_await dialog->chooseDestination(safeFileName(filename, fallbackAnchorName), SavedFileKind::anyFile);
    if (!destination) co_return;
    // No check after the panel: the user chose to save, and the write needs nothing of the
    // state. It runs off the main loop; the frame keeps the bytes and the path alive.
    co_await async::inBackground([&file, &destination] { writeFileAtomically(*destination, file.bytes); });
  } catch (const async::Cancelled&) {
    co_return;
  } catch (const std::exception& e) {
    failure = e.what();
  }
  state = self.get();
  if (failure && state && state->isCurrent(generation)) state->error = std::move(*failure);
}

}  // namespace vesk

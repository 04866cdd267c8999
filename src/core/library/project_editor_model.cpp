#include "core/library/project_editor_model.h"

#include "core/async/sleep.h"
#include "core/input/audit_attachment_file.h"
#include "core/library/library_presentation.h"
#include "core/library/library_sentences.h"
#include "core/text/text_equivalence.h"
#include "core/text/text_rules.h"
#include "core/workspace/uuid_text.h"

#include <glib.h>

namespace vesk {

namespace {

async::Task<bool> refused() { co_return false; }

bool isImage(std::string_view mediaType) { return mediaType.starts_with("image/"); }

// Standard Base64 to bytes; nothing when the text is not Base64.
std::shared_ptr<const std::string> decodedBase64(const std::string& text) {
  const bool alphabet = std::all_of(text.begin(), text.end(),
                                    [](char c) { return g_ascii_isalnum(c) || c == '+' || c == '/' || c == '='; });
  if (!alphabet || text.size() % 4 != 0) return nullptr;
  gsize length = 0;
  guchar* bytes = g_base64_decode(text.c_str(), &length);
  auto decoded = std::make_shared<const std::string>(reinterpret_cast<const char*>(bytes), length);
  g_free(bytes);
  return decoded;
}

}  // namespace

bool deletionNameMatches(std::string_view typed, std::string_view savedName) {
  const std::string trimmed = trimmedWhiteSpace(typed);
  return !trimmed.empty() && canonicallyEqual(trimmed, trimmedWhiteSpace(savedName));
}

ProjectEditorModel::ProjectEditorModel(ProjectLibraryState& state, std::optional<LibraryProject> project,
                                       std::function<void()> onClose)
    : draft(project ? ProjectDraft(*project) : ProjectDraft()),
      state_(state),
      project_(std::move(project)),
      onClose_(std::move(onClose)),
      coalescer_([this] { changed_.emit(); }) {
  for (auto* signal : {&draft.signalChanged(), &confirmName.signalChanged(), &deletingProject.signalChanged(),
                       &fileError.signalChanged(), &confirmationFocused.signalChanged(), &state_.busy.signalChanged(),
                       &state_.error.signalChanged(), &state_.anchorPreview.signalChanged()})
    coalescer_.follow(*signal);
}

ProjectEditorModel::~ProjectEditorModel() { focus_.cancel(); }

std::optional<std::string> ProjectEditorModel::errorMessage() const {
  if (state_.error->has_value()) return *state_.error;
  return *fileError;
}

std::optional<std::string> ProjectEditorModel::intentLine() const {
  if (!project_ || !project_->intent) return std::nullopt;
  return libraryIntentLabel(*project_->intent);
}

std::optional<std::string> ProjectEditorModel::shownFileName() const {
  if (draft->replacement) return draft->replacement->filename;
  if (!draft->removeAnchor && project_ && project_->contextAttachment) return project_->contextAttachment->filename;
  return std::nullopt;
}

ProjectEditorModel::ChipButtons ProjectEditorModel::chipButtons() const {
  ChipButtons buttons;
  const auto& pending = draft->replacement;
  const auto* saved = project_ && project_->contextAttachment ? &*project_->contextAttachment : nullptr;
  const bool fixture = state_.source() == LibrarySource::localPreview;
  buttons.viewPending = pending && isImage(pending->mediaType);
  buttons.viewSaved = !buttons.viewPending && !draft->removeAnchor && saved && isImage(saved->mediaType);
  buttons.viewSavedEnabled = buttons.viewSaved && !fixture && saved->url.has_value();
  buttons.saveFile = !pending && !draft->removeAnchor && project_.has_value();
  buttons.saveFileEnabled = buttons.saveFile && !fixture && saved && saved->url.has_value();
  return buttons;
}

void ProjectEditorModel::editDraft(const std::function<void(ProjectDraft&)>& edit) {
  ProjectDraft changed = *draft;
  edit(changed);
  draft = std::move(changed);
}

void ProjectEditorModel::setName(std::string name) {
  editDraft([&](ProjectDraft& d) { d.name = std::move(name); });
}

void ProjectEditorModel::setBrief(std::string brief) {
  editDraft([&](ProjectDraft& d) { d.brief = std::move(brief); });
}

void ProjectEditorModel::setContextURL(std::string url) {
  editDraft([&](ProjectDraft& d) { d.contextURL = std::move(url); });
}

void ProjectEditorModel::toggleKind(const std::string& kind) {
  editDraft([&](ProjectDraft& d) { d.kind = d.kind == kind ? std::string() : kind; });
}

void ProjectEditorModel::chooseIntent(const std::string& intent) {
  editDraft([&](ProjectDraft& d) { d.intent = intent; });
}

void ProjectEditorModel::removeAnchor() {
  editDraft([](ProjectDraft& d) {
    if (d.replacement) {
      d.replacement.reset();
      d.removeAnchor = false;
    } else {
      d.removeAnchor = true;
    }
  });
}

void ProjectEditorModel::viewPendingImage() {
  const auto& pending = draft->replacement;
  if (!pending || !isImage(pending->mediaType)) return;
  state_.anchorPreview =
      ReportSourcePreview{freshUUID(), pending->filename, false, decodedBase64(pending->data), std::nullopt};
}

void ProjectEditorModel::viewSavedImage() {
  if (project_ && chipButtons().viewSavedEnabled) state_.previewAnchor(*project_);
}

void ProjectEditorModel::saveSavedFile() {
  if (project_ && chipButtons().saveFileEnabled) state_.exportAnchor(*project_);
}

async::TaskHandle<void> ProjectEditorModel::filePicked(std::filesystem::path file) {
  return tasks_.add(async::spawn(readTask(self(), std::move(file))));
}

async::Task<void> ProjectEditorModel::readTask(Self self, std::filesystem::path file) {
  std::optional<AuditAttachment> attachment;
  std::string failure;
  try {
    attachment = co_await readAuditAttachment(std::move(file));
  } catch (const async::Cancelled&) {
    co_return;
  } catch (const std::exception& e) {
    failure = e.what();
  }
  // The sheet may have closed while the file was read.
  auto* model = self.get();
  if (!model) co_return;
  if (!attachment) {
    model->fileError = failure;
    co_return;
  }
  if (!isImage(attachment->mediaType) && attachment->mediaType != "application/pdf") {
    model->fileError = std::string(library_sentences::anchorType);
    co_return;
  }
  model->editDraft([&](ProjectDraft& d) {
    d.replacement = std::move(*attachment);
    d.removeAnchor = false;
  });
  model->fileError = std::nullopt;
}

void ProjectEditorModel::setDeletingProject(bool open) {
  if (creating()) return;
  deletingProject = open;
  confirmationFocused = false;
  focus_.start(tasks_.add(async::spawn(focusTask(self()))), async::PreviousTask::cancel);
}

async::Task<void> ProjectEditorModel::focusTask(Self self) {
  auto* model = self.get();
  if (!model || !*model->deletingProject) co_return;
  // Lets the zone open before the field takes focus; cancelled when the zone changes again.
  co_await async::sleep(focusDelay);
  model = self.get();
  if (!model || !*model->deletingProject || model->busy()) co_return;
  model->confirmationFocused = true;
}

bool ProjectEditorModel::deleteAllowed() const {
  return !busy() && project_ && deletionNameMatches(*confirmName, project_->name);
}

std::string ProjectEditorModel::confirmationPrompt() const {
  return "Type " + (project_ ? project_->name : std::string()) + " to confirm.";
}

std::string ProjectEditorModel::primaryTitle() const {
  if (deleteFormShown()) return busy() ? "Deleting…" : "Delete project";
  if (busy()) return "Saving…";
  return creating() ? "Create project" : "Save changes";
}

bool ProjectEditorModel::primaryEnabled() const {
  if (deleteFormShown()) return deleteAllowed();
  return !busy() && !trimmedWhiteSpace(draft->name).empty();
}

void ProjectEditorModel::cancel() {
  if (cancelEnabled() && onClose_) onClose_();
}

async::TaskHandle<bool> ProjectEditorModel::primary() {
  if (!primaryEnabled()) return tasks_.add(async::spawn(refused()));
  auto operation = deleteFormShown() ? state_.deleteProject(*project_) : state_.save(*draft, project_);
  return tasks_.add(async::spawn(closeOnSuccess(std::move(operation), onClose_)));
}

async::Task<bool> ProjectEditorModel::closeOnSuccess(async::TaskHandle<bool> operation, std::function<void()> onClose) {
  co_await operation.join();
  // The operation has ended: its result is ready (or its cancellation rethrown).
  const bool succeeded = operation.result();
  if (succeeded && onClose) onClose();
  co_return succeeded;
}

}  // namespace vesk

#include "core/shell/composer_actions.h"

#include "core/shell/composer_rules.h"
#include "core/text/text_rules.h"

namespace vesk {

ComposerActions::ComposerActions(std::shared_ptr<Workspace> workspace, RootViewState& root)
    : workspace_(std::move(workspace)), root_(root) {}

void ComposerActions::addComposerURL() {
  const auto addition = addTypedURLs(*root_.urlDraft, *workspace_->urls, workspace_->maxURLs());
  switch (addition.outcome) {
    case URLAddition::Outcome::refused: workspace_->error = addition.error; return;
    case URLAddition::Outcome::nothing: return;
    case URLAddition::Outcome::added: break;
  }
  workspace_->urls = addition.urls;
  root_.urlDraft = "";
  root_.showingURLField = false;
}

void ComposerActions::submitComposer() {
  root_.showingAccessNotice = false;
  if (!*workspace_->fixture && (!workspace_->account->has_value() || *workspace_->reconnectRequired)) {
    workspace_->connect(*workspace_->reconnectRequired ? Workspace::SavedWork::preserve
                                                       : Workspace::SavedWork::discard);
    return;
  }
  if (workspace_->auditAccessNotice()) {
    root_.showingAccessNotice = true;
    return;
  }
  if (*root_.showingURLField && !trimmedWhiteSpace(*root_.urlDraft).empty()) {
    addComposerURL();
    if (*root_.showingURLField) return;
  }
  workspace_->discover();
}

void ComposerActions::removeAddress(const std::string& entry) {
  workspace_->urls = urlsWithout(*workspace_->urls, entry);
}

void ComposerActions::removeAttachment(const std::string& id) {
  workspace_->attachments = attachmentsWithout(*workspace_->attachments, id);
}

bool ComposerActions::dropFiles(const std::vector<std::optional<std::string>>& localPaths) {
  if (*workspace_->busy) return false;
  std::vector<std::string> files;
  for (const auto& path : localPaths) {
    if (path) files.push_back(*path);
  }
  if (files.empty()) return false;
  workspace_->addFiles(std::move(files));
  return true;
}

bool ComposerActions::changeComparison() {
  const auto projectID = workspace_->projectID();
  if (!projectID) return false;
  auto& comparison = root_.comparisonState();
  comparison.prepareComparison(workspace_->api(), *projectID,
                               *workspace_->fixture ? ReportMode::localPreview : ReportMode::live);
  root_.changingComparison = true;
  // The state keeps the load's task and drops its results once it is prepared anew.
  comparison.loadBaselines();
  return true;
}

void ComposerActions::clearComparison() {
  workspace_->comparisonBaseline = std::nullopt;
  workspace_->baselineRunID = std::nullopt;
}

}  // namespace vesk

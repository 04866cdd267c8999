#include "core/shell/review_presentation.h"

#include "core/input/audit_url_rules.h"
#include "core/records/vesk_error.h"
#include "core/text/text_rules.h"

namespace vesk {

namespace {

// The addresses the run audits: the field's and those its brief names. When they cannot
// be worked out, the field's entries are counted.
std::size_t auditedURLCount(const Workspace& w) {
  try {
    return auditSourceURLs(*w.urls, *w.brief, w.maxURLs()).size();
  } catch (const VeskError&) {
    return splitAtWhiteSpace(*w.urls).size();
  }
}

}  // namespace

std::string reviewSourcesLine(std::size_t urls, std::size_t files, bool existingContext) {
  std::string line = std::to_string(urls) + (urls == 1 ? " URL" : " URLs") + " \u00B7 " + std::to_string(files) +
                     (files == 1 ? " file" : " files");
  if (existingContext) line += " \u00B7 Saved project context";
  return line;
}

ReviewPresentation::ReviewPresentation(std::shared_ptr<Workspace> workspace)
    : workspace_(std::move(workspace)), changes_([this] { refresh(); }) {
  state_ = read();
  for (auto* signal : {&workspace_->fixture.signalChanged(), &workspace_->confirmed.signalChanged(),
                       &workspace_->account.signalChanged(), &workspace_->projectName.signalChanged(),
                       &workspace_->urls.signalChanged(), &workspace_->brief.signalChanged(),
                       &workspace_->attachments.signalChanged(), &workspace_->existingContextAvailable.signalChanged()})
    changes_.follow(*signal);
}

bool ReviewPresentation::runEnabled() const {
  const auto& w = *workspace_;
  if (!*w.confirmed) return false;
  if (*w.fixture) return true;
  return w.account->has_value() && (*w.account)->auditBalance >= 1;
}

ReviewPresentation::State ReviewPresentation::read() const {
  const auto& w = *workspace_;
  const bool preview = *w.fixture;
  State state;
  state.lead = preview ? "This sample shows the rhythm of a full audit in a few seconds. Your submitted work is not "
                         "sent to an engine."
                       : "Eight expert perspectives, brought into one audit. This uses 1 run and can take around 12 "
                         "minutes. You can leave and return when it\u2019s ready.";
  state.projectName = *w.projectName;
  state.sourcesLine = reviewSourcesLine(auditedURLCount(w), w.attachments->size(), *w.existingContextAvailable);
  state.confirmationLabel = preview ? "I understand this is a fictional sample report."
                                    : "Use 1 run from this account\u2019s existing allowance.";
  state.confirmed = *w.confirmed;
  state.runTitle = preview ? "Run sample audit" : "Run full audit";
  state.runEnabled = runEnabled();
  return state;
}

void ReviewPresentation::refresh() {
  State next = read();
  if (next == state_) return;
  state_ = std::move(next);
  changed_.emit();
}

void ReviewPresentation::setConfirmed(bool confirmed) { workspace_->confirmed = confirmed; }

void ReviewPresentation::back() { workspace_->screen = Screen::discovery; }

void ReviewPresentation::run() {
  if (runEnabled()) workspace_->start();
}

}  // namespace vesk

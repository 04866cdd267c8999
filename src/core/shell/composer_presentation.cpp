#include "core/shell/composer_presentation.h"

#include "core/text/text_rules.h"

namespace vesk {

ComposerPresentation::ComposerPresentation(std::shared_ptr<Workspace> workspace, RootViewState& root)
    : workspace_(std::move(workspace)), root_(root), changes_([this] { refresh(); }) {
  auto& w = *workspace_;
  for (auto* signal :
       {&w.auditMode.signalChanged(), &w.fixture.signalChanged(), &w.account.signalChanged(), &w.busy.signalChanged(),
        &w.baselineRunID.signalChanged(), &w.comparisonBaseline.signalChanged(), &w.reconnectRequired.signalChanged(),
        &w.urls.signalChanged(), &w.brief.signalChanged(), &w.existingContextAvailable.signalChanged(),
        &w.projectIntent.signalChanged(), &w.originText.signalChanged(), &root_.showingURLField.signalChanged(),
        &root_.urlDraft.signalChanged(), &root_.showingAccessNotice.signalChanged()})
    changes_.follow(*signal);
  attachmentsConnection_ =
      w.attachments.signalChanged().connect(sigc::mem_fun(*this, &ComposerPresentation::attachmentsChanged));
  attachmentsChanged();
  state_ = read();
}

// The workspace outlives the model (a screen's view makes one per visit).
ComposerPresentation::~ComposerPresentation() { attachmentsConnection_.disconnect(); }

void ComposerPresentation::attachmentsChanged() {
  files_.clear();
  for (const auto& attachment : *workspace_->attachments)
    files_.push_back({attachment.id(), attachment.filename, attachment.mediaType, attachment.sizeBytes()});
  changes_.schedule();
}

ComposerPresentation::State ComposerPresentation::read() const {
  const auto& w = *workspace_;
  State state;
  const auto& account = *w.account;
  const DepthPillInputs pillInputs{*w.auditMode, *w.fixture,
                                   account ? std::optional<std::int64_t>(account->auditBalance) : std::nullopt, *w.busy,
                                   w.baselineRunID->has_value()};
  state.pills = {depthPill("Quick read", "quick", pillInputs), depthPill("Full audit", "full", pillInputs)};
  state.caption = depthCaption(*w.auditMode);
  state.files = files_;
  for (auto& entry : sourceURLs(*w.urls)) {
    auto title = addressChipTitle(entry);
    state.addresses.push_back({std::move(entry), std::move(title)});
  }
  state.busy = *w.busy;
  state.showingURLField = *root_.showingURLField;
  state.canAddURL = !trimmedWhiteSpace(*root_.urlDraft).empty();
  // An address typed in the open row counts: submitting adds it first.
  const bool typedAddress = *root_.showingURLField && state.canAddURL;
  const SubmitInputs submit{*w.busy, *w.reconnectRequired, *w.fixture, account.has_value(),
                            typedAddress || w.hasAuditSources()};
  state.submitTitle = submitTitle(submit);
  state.submitDisabled = submitDisabled(submit);
  if (*root_.showingAccessNotice) state.accessNotice = w.auditAccessNotice();
  state.showsSubmissionNotice = !*w.fixture;
  state.showsPreviewNotice = *w.fixture;
  if (w.baselineRunID->has_value()) {
    const auto& baseline = *w.comparisonBaseline;
    state.comparison = baseline ? Comparison{baseline->subject, baselineDate(baseline->createdAt)}
                                : Comparison{"Previous full audit", std::nullopt};
  }
  const auto api = w.api();
  const auto origin = api ? std::optional<std::string>(api->origin) : std::nullopt;
  state.plansAddress = composerLink(origin, "pricing");
  state.privacyAddress = composerLink(origin, "privacy");
  return state;
}

void ComposerPresentation::refresh() {
  auto next = read();
  if (next == state_) return;
  state_ = std::move(next);
  changed_.emit();
}

}  // namespace vesk

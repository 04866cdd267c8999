// ReportState: construction, derived values, binding, the change precondition and the
// comparison chooser's preparation.
#include "core/report/report_state.h"

#include "core/platform/clipboard.h"
#include "core/report/report_markdown.h"
#include "core/report/report_sentences.h"
#include "core/text/text_equivalence.h"
#include "core/workspace/save_dialog.h"

#include <algorithm>

namespace vesk {

namespace {

constexpr std::size_t longestSlug = 256;

// "^[A-Za-z0-9_-]{1,256}$" over the whole text: no line break may follow.
bool isShareSlug(std::string_view slug) {
  if (slug.empty() || slug.size() > longestSlug) return false;
  return std::all_of(slug.begin(), slug.end(), [](char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' || c == '-';
  });
}

bool sameOrigin(const std::optional<DesktopAPI>& current, const std::optional<DesktopAPI>& given) {
  if (!current || !given) return !current && !given;
  return current->origin == given->origin;
}

bool sameToken(const std::optional<DesktopAPI>& current, const std::optional<DesktopAPI>& given) {
  const auto tokenOf = [](const std::optional<DesktopAPI>& api) { return api ? api->token : std::nullopt; };
  return canonicallyEqualOptionals(tokenOf(current), tokenOf(given));
}

}  // namespace

ReportState::Line::Line(std::shared_ptr<async::TaskContext> context, const ReportState& state, std::uint64_t generation,
                        int revision)
    : context_(std::move(context)), state_(&state), generation_(generation), revision_(revision) {}

bool ReportState::Line::isCurrent() const { return !context_->isCancelled() && state_->generation_ == generation_; }

bool ReportState::Line::isUnchanged() const { return isCurrent() && state_->mutationRevision_ == revision_; }

ReportState::ReportState(Environment environment)
    : saveDialog_(std::move(environment.saveDialog)), clipboard_(std::move(environment.clipboard)) {
  renewGeneration();
}

ReportState::~ReportState() = default;

void ReportState::renewGeneration() { ++generation_; }

std::string ReportState::sentenceOf(const std::exception& failure) {
  if (dynamic_cast<const nlohmann::json::exception*>(&failure) != nullptr) return DecodingError::sentence;
  return failure.what();
}

bool ReportState::complete() const { return report->has_value() && (*report)->status == "complete"; }

bool ReportState::isVesk() const {
  if (!report->has_value()) return true;
  return (*report)->agent.value_or("vesk") == "vesk";
}

bool ReportState::discussion() const {
  if (!isVesk()) return false;
  const std::string mode = report->has_value() ? (*report)->auditMode.value_or("") : "";
  return mode == "full" || mode == "followup";
}

std::optional<std::string> ReportState::shareURL() const {
  if (!api_ || !sharedSlug->has_value() || !isShareSlug(**sharedSlug)) return std::nullopt;
  std::string_view origin = api_->origin;
  if (origin.ends_with('/')) origin.remove_suffix(1);
  return std::string(origin) + "/c/" + **sharedSlug;
}

std::string ReportState::markdown() const {
  return reportMarkdown(report->has_value() ? (*report)->output.view() : "");
}

void ReportState::configure(std::optional<DesktopAPI> api, const SavedAudit& run, ReportMode mode) {
  const bool fixture = mode == ReportMode::localPreview;
  const bool isNew = !report->has_value() || !canonicallyEqual((*report)->id, run.id) || !sameOrigin(api_, api) ||
                     !sameToken(api_, api) || fixture_ != fixture;
  api_ = std::move(api);
  fixture_ = fixture;
  if (!isNew) {
    const auto& open = **report;
    if (!canonicallyEqual(open.output, run.output) || !canonicallyEqual(open.status, run.status)) report = run;
    return;
  }
  renewGeneration();
  mutationRevision_ = 0;
  operation_.current().cancel();
  report = run;
  busy = false;
  error = std::nullopt;
  message = std::nullopt;
  sharedSlug = std::nullopt;
  createdRun = std::nullopt;
  input = run.input.value_or("");
  sources.set({});
  attachments.set({});
  baselines.set({});
  baselineError = std::nullopt;
  loadingBaselines = false;
  comparisonProjectID_.reset();
  originalReviewID = std::nullopt;
  sourcePreview = std::nullopt;
  loadingDetails = !fixture_;
  if (!fixture_) reload();
}

std::optional<ReportState::ChangeContext> ReportState::context() {
  if (*busy) return std::nullopt;
  if (!isVesk()) {
    error = std::string(report_sentences::historicalReport);
    return std::nullopt;
  }
  if (!report->has_value() || !complete()) {
    error = std::string(report_sentences::unfinishedRun);
    return std::nullopt;
  }
  if (fixture_ || !api_) {
    error = std::string(report_sentences::sampleStaysLocal);
    return std::nullopt;
  }
  busy = true;
  ++mutationRevision_;
  error = std::nullopt;
  message = std::nullopt;
  return ChangeContext{*api_, **report, generation_};
}

void ReportState::endChange(const Line& line) {
  if (line.isCurrent()) busy = false;
}

void ReportState::prepareComparison(std::optional<DesktopAPI> api, std::string projectID, ReportMode mode) {
  renewGeneration();
  operation_.current().cancel();
  api_ = std::move(api);
  fixture_ = mode == ReportMode::localPreview;
  comparisonProjectID_ = std::move(projectID);
  report = std::nullopt;
  baselines.set({});
  baselineError = std::nullopt;
  loadingBaselines = false;
}

}  // namespace vesk

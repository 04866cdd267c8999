// ReportState: sharing, discussion questions, deletion, the earlier run, and copying or
// saving the deliverable Markdown.
#include "core/async/background.h"
#include "core/platform/atomic_file.h"
#include "core/platform/clipboard.h"
#include "core/report/report_sentences.h"
#include "core/report/report_state.h"
#include "core/text/safe_file_name.h"
#include "core/text/text_rules.h"
#include "core/workspace/save_dialog.h"

namespace vesk {

namespace {

constexpr std::int64_t longestQuestion = 2000;  // UTF-16 code units

std::string runOperation(const SavedAudit& run, std::string_view rest = "") {
  return "runs/" + DesktopAPI::pathIdentifier(run.id) + std::string(rest);
}

}  // namespace

void ReportState::createShare() {
  auto change = context();
  if (!change) return;
  operation_.start(own(shareTask(std::move(*change))), async::PreviousTask::leave);
}

async::Task<void> ReportState::shareTask(ChangeContext change) {
  const Line line(co_await async::currentContext(), *this, change.generation, 0);
  std::optional<std::string> failure;
  try {
    const auto share =
        co_await change.api.request<ReportCreatedShare>(runOperation(change.run, "/share"), JsonObject{}, Auth::bearer);
    if (line.isCurrent()) {
      sharedSlug = share.slug;
      copyShareLink();
    }
  } catch (const async::Cancelled&) {
    throw;
  } catch (const std::exception& caught) {
    failure = sentenceOf(caught);
  }
  if (failure && line.isCurrent()) error = *failure;
  endChange(line);
}

void ReportState::copyShareLink() {
  const auto url = shareURL();
  if (!url) return;
  clipboard_->setText(*url);
  message = std::string(report_sentences::copied);
}

void ReportState::revokeShare() {
  if (!sharedSlug->has_value()) return;
  auto change = context();
  if (!change) return;
  operation_.start(own(revokeTask(std::move(*change))), async::PreviousTask::leave);
}

async::Task<void> ReportState::revokeTask(ChangeContext change) {
  const Line line(co_await async::currentContext(), *this, change.generation, 0);
  std::optional<std::string> failure;
  try {
    co_await change.api.raw(runOperation(change.run, "/share"), std::nullopt, "DELETE", Auth::bearer);
    if (line.isCurrent()) {
      sharedSlug = std::nullopt;
      message = std::string(report_sentences::linkRevoked);
    }
  } catch (const async::Cancelled&) {
    throw;
  } catch (const std::exception& caught) {
    failure = sentenceOf(caught);
  }
  if (failure && line.isCurrent()) error = *failure;
  endChange(line);
}

void ReportState::followUp(std::string_view text) {
  std::string instruction = trimmedWhiteSpace(text);
  if (instruction.empty() || utf16Length(instruction) > longestQuestion) {
    error = std::string(report_sentences::questionLength);
    return;
  }
  auto change = context();
  if (!change) return;
  operation_.start(own(followUpTask(std::move(*change), std::move(instruction))), async::PreviousTask::leave);
}

async::Task<void> ReportState::followUpTask(ChangeContext change, std::string instruction) {
  const Line line(co_await async::currentContext(), *this, change.generation, 0);
  std::optional<std::string> failure;
  try {
    const JsonObject body{{"instruction", std::move(instruction)}};
    const auto created =
        co_await change.api.request<ReportCreatedRun>(runOperation(change.run, "/refine"), body, Auth::bearer);
    if (line.isCurrent()) {
      createdRun = created.savedIn(change.run);
      if (created.status != "complete") error = std::string(report_sentences::discussionUnconfirmed);
    }
  } catch (const async::Cancelled&) {
    throw;
  } catch (const std::exception& caught) {
    failure = sentenceOf(caught) + report_sentences::checkHistorySuffix;
  }
  if (failure && line.isCurrent()) error = *failure;
  endChange(line);
}

void ReportState::deleteRun(std::function<void(const std::string&)> onDeleted) {
  if (*busy || !report->has_value() || fixture_ || !api_) return;
  busy = true;
  ++mutationRevision_;
  error = std::nullopt;
  ChangeContext change{*api_, **report, generation_};
  operation_.start(own(deleteTask(std::move(change), std::move(onDeleted))), async::PreviousTask::leave);
}

async::Task<void> ReportState::deleteTask(ChangeContext change, std::function<void(const std::string&)> onDeleted) {
  const Line line(co_await async::currentContext(), *this, change.generation, 0);
  std::optional<std::string> failure;
  try {
    co_await change.api.raw(runOperation(change.run), std::nullopt, "DELETE", Auth::bearer);
    if (line.isCurrent() && onDeleted) onDeleted(change.run.id);
  } catch (const async::Cancelled&) {
    throw;
  } catch (const std::exception& caught) {
    failure = sentenceOf(caught);
  }
  if (failure && line.isCurrent()) error = *failure;
  endChange(line);
}

void ReportState::openOriginal(std::function<void(const SavedAudit&)> onOpenRun) {
  if (*busy || !originalReviewID->has_value() || !report->has_value() || fixture_ || !api_) return;
  busy = true;
  error = std::nullopt;
  ChangeContext change{*api_, **report, generation_};
  operation_.start(own(originalTask(std::move(change), **originalReviewID, std::move(onOpenRun))),
                   async::PreviousTask::leave);
}

async::Task<void> ReportState::originalTask(ChangeContext change, std::string originalID,
                                            std::function<void(const SavedAudit&)> onOpenRun) {
  const Line line(co_await async::currentContext(), *this, change.generation, 0);
  std::optional<std::string> failure;
  try {
    const auto original = co_await change.api.request<ReportCreatedRun>(
        "runs/" + DesktopAPI::pathIdentifier(originalID), std::nullopt, Auth::bearer);
    if (line.isCurrent() && onOpenRun) onOpenRun(original.savedIn(change.run));
  } catch (const async::Cancelled&) {
    throw;
  } catch (const std::exception& caught) {
    failure = sentenceOf(caught);
  }
  if (failure && line.isCurrent()) error = *failure;
  endChange(line);
}

void ReportState::copyMarkdown() {
  clipboard_->setText(markdown());
  message = std::string(report_sentences::copied);
}

void ReportState::exportMarkdown() {
  if (!report->has_value()) return;
  own(exportMarkdownTask(generation_, (*report)->projectName));
}

async::Task<void> ReportState::exportMarkdownTask(std::uint64_t generation, std::string projectName) {
  const Line line(co_await async::currentContext(), *this, generation, 0);
  const auto destination =
      co_await saveDialog_->chooseDestination(safeFileName(projectName + ".md", "report.md"), SavedFileKind::plainText);
  // The panel is modal; a state rebound meanwhile saves nothing of another run.
  if (!destination || !line.isCurrent()) co_return;
  const std::string text = markdown();
  std::optional<std::string> failure;
  try {
    auto writing = async::inBackground([&] { writeFileAtomically(*destination, text); });
    co_await std::move(writing);
  } catch (const async::Cancelled&) {
    throw;
  } catch (const std::exception& caught) {
    failure = sentenceOf(caught);
  }
  if (failure && line.isCurrent()) error = *failure;
}

}  // namespace vesk

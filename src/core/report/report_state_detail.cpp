// ReportState: loading and applying the run detail and the run's share link.
#include "core/records/json_fields.h"
#include "core/report/report_sentences.h"
#include "core/report/report_state.h"
#include "core/text/text_equivalence.h"

namespace vesk {

namespace {

const nlohmann::json* member(const nlohmann::json& object, const char* key, nlohmann::json::value_t type) {
  const auto found = object.find(key);
  if (found == object.end() || found->type() != type) return nullptr;
  return &*found;
}

std::optional<std::string> textMember(const nlohmann::json& object, const char* key) {
  const auto* value = member(object, key, nlohmann::json::value_t::string);
  if (value == nullptr) return std::nullopt;
  return value->get<std::string>();
}

// A list under `key` counts only when every element is an object.
bool hasObjectList(const nlohmann::json& object, const char* key) {
  const auto* value = member(object, key, nlohmann::json::value_t::array);
  return value != nullptr && std::all_of(value->begin(), value->end(), [](const auto& e) { return e.is_object(); });
}

}  // namespace

async::TaskRef ReportState::reload() {
  if (!api_ || !report->has_value() || fixture_) {
    loadingDetails = false;
    return {};
  }
  loadingDetails = true;
  return own(reloadTask(generation_, mutationRevision_, *api_, (*report)->id));
}

async::Task<void> ReportState::reloadTask(std::uint64_t generation, int revision, DesktopAPI api, std::string runID) {
  const Line line(co_await async::currentContext(), *this, generation, revision);
  // A failure shows only while no change has started; the loading flag falls with any
  // ending on this binding.
  const auto fail = [&](const std::string& sentence) {
    if (line.isUnchanged()) error = sentence;
    if (line.isCurrent()) loadingDetails = false;
  };
  std::string bytes;
  try {
    bytes = co_await api.raw("runs/" + DesktopAPI::pathIdentifier(runID), std::nullopt, std::nullopt, Auth::bearer);
  } catch (const async::Cancelled&) {
    throw;
  } catch (const std::exception& failure) {
    fail(sentenceOf(failure));
    co_return;
  }
  std::optional<std::string> failure;
  try {
    // A multi-megabyte report is parsed off the main loop, and its text taken out and
    // examined there (see SharedText).
    auto parsing = async::inBackground([&bytes] {
      ParsedDetail parsed{parseJsonDocument(bytes), std::nullopt};
      if (auto text = parsed.detail.is_object() ? textMember(parsed.detail, "output") : std::nullopt) {
        parsed.output = SharedText(std::move(*text));
        parsed.output->isComposed();
        parsed.output->hash();
      }
      return parsed;
    });
    const ParsedDetail parsed = co_await std::move(parsing);
    if (!line.isUnchanged()) {
      if (line.isCurrent()) loadingDetails = false;
      co_return;
    }
    applyDetail(parsed);
  } catch (const async::Cancelled&) {
    throw;
  } catch (const std::exception& caught) {
    failure = sentenceOf(caught);
  }
  if (failure) {
    fail(*failure);
    co_return;
  }
  if (!isVesk()) {
    loadingDetails = false;
    co_return;
  }
  try {
    const auto share = co_await api.request<ReportShareState>("runs/" + DesktopAPI::pathIdentifier(runID) + "/share",
                                                              std::nullopt, Auth::bearer);
    if (line.isUnchanged()) sharedSlug = share.slug;
  } catch (const async::Cancelled&) {
    throw;
  } catch (const std::exception& caught) {
    failure = sentenceOf(caught);
  }
  if (failure && line.isUnchanged()) error = *failure;
  if (line.isCurrent()) loadingDetails = false;
}

void ReportState::applyDetail(const ParsedDetail& parsed) {
  const nlohmann::json& detail = parsed.detail;
  const auto id = detail.is_object() ? textMember(detail, "id") : std::nullopt;
  if (!id || !report->has_value() || !canonicallyEqual((*report)->id, *id))
    throw VeskError::message(report_sentences::unconfirmedDetail);

  SavedAudit run = **report;
  if (parsed.output) run.output = *parsed.output;
  if (auto status = textMember(detail, "status")) run.status = std::move(*status);
  if (auto mode = textMember(detail, "auditMode")) run.auditMode = std::move(*mode);
  if (auto agent = textMember(detail, "agent")) run.agent = std::move(*agent);
  if (const auto* partial = member(detail, "partial", nlohmann::json::value_t::boolean))
    run.partial = partial->get<bool>();
  run.input = textMember(detail, "input").value_or("");
  report = std::move(run);
  if (auto slug = textMember(detail, "sharedSlug")) sharedSlug = std::move(*slug);
  originalReviewID = textMember(detail, "inheritedFromRunId");
  input = *(*report)->input;

  JsonFields fields(detail, "RunDetail");
  if (hasObjectList(detail, "urls")) sources = fields.list<ReportSourceURL>("urls");
  if (hasObjectList(detail, "attachments")) attachments = fields.list<ReportSourceAttachment>("attachments");
}

}  // namespace vesk

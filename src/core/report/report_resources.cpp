// ReportResources: the requests in flight, their downloads and their one final answer.
#include "core/report/report_resources.h"

#include "core/report/failure_sentence.h"

#include <utility>
#include <vector>

namespace vesk {

namespace {

SchemeFailure unsupportedURL() { return {SchemeFailureKind::unsupportedURL, "Unsupported URL."}; }
SchemeFailure undecodable() { return {SchemeFailureKind::cannotDecodeContentData, "Cannot decode content data."}; }
SchemeFailure cancelled() { return {SchemeFailureKind::cancelled, "Cancelled."}; }

bool sameConnection(const std::optional<DesktopAPI>& a, const std::optional<DesktopAPI>& b) {
  const std::optional<std::string> originA = a ? std::optional(a->origin) : std::nullopt;
  const std::optional<std::string> originB = b ? std::optional(b->origin) : std::nullopt;
  const std::optional<std::string> tokenA = a ? a->token : std::nullopt;
  const std::optional<std::string> tokenB = b ? b->token : std::nullopt;
  return originA == originB && tokenA == tokenB;
}

}  // namespace

bool ReportResources::configure(std::optional<DesktopAPI> api, std::optional<std::string> runID) {
  if (runID == runID_ && sameConnection(api, api_)) return false;
  // Requests of the old run or connection end under it, before the new values apply.
  invalidate();
  api_ = std::move(api);
  runID_ = std::move(runID);
  return true;
}

void ReportResources::invalidate() {
  // Emptied first: a scheme task told of its end may start or stop requests at once.
  const auto ended = std::exchange(pending_, {});
  for (const auto& [key, entry] : ended) {
    entry.operation.cancel();
    entry.schemeTask->fail(cancelled());
  }
}

void ReportResources::start(std::shared_ptr<SchemeTask> task) {
  if (!task) return;
  const auto path = api_ && runID_ ? resourcePath(task->url(), runID_) : std::nullopt;
  if (!path) {
    task->fail(unsupportedURL());
    return;
  }
  const SchemeTask* key = task.get();
  const std::uint64_t nonce = ++lastNonce_;
  // The download first runs from the main loop, after the entry below exists.
  auto operation = async::spawn(download(weak_from_this(), *api_, *path, key, nonce));
  pending_[key] = Pending{nonce, std::move(operation), std::move(task)};
}

void ReportResources::stop(const SchemeTask* task) {
  const auto entry = pending_.find(task);
  if (entry == pending_.end()) return;
  const async::TaskRef operation = entry->second.operation;
  pending_.erase(entry);
  operation.cancel();
}

std::shared_ptr<SchemeTask> ReportResources::take(const SchemeTask* key, std::uint64_t nonce) {
  const auto entry = pending_.find(key);
  if (entry == pending_.end() || entry->second.nonce != nonce) return nullptr;
  auto schemeTask = std::move(entry->second.schemeTask);
  pending_.erase(entry);
  return schemeTask;
}

async::Task<void> ReportResources::download(std::weak_ptr<ReportResources> handler, DesktopAPI api, std::string path,
                                            const SchemeTask* key, std::uint64_t nonce) {
  const auto context = co_await async::currentContext();
  EvidenceImage image;
  std::optional<SchemeFailure> failure;
  try {
    image = co_await api.asset(std::move(path));
    if (context->isCancelled()) throw async::Cancelled();
  } catch (const async::Cancelled&) {
    failure = cancelled();
  } catch (const std::exception& caught) {
    failure = SchemeFailure{SchemeFailureKind::download, failureSentence(caught)};
  }
  const std::string type = normalisedMimeType(image.mimeType);
  if (!failure && !servable(type, image.bytes.size())) failure = undecodable();

  // Whatever the outcome, only a handler that still holds this very request answers it:
  // the entry is gone once the request was stopped or ended, and a later request of the
  // same task carries another nonce. The entry goes before the final call.
  const auto owner = handler.lock();
  if (!owner) co_return;
  const auto schemeTask = owner->take(key, nonce);
  if (!schemeTask) co_return;
  if (failure) {
    schemeTask->fail(*failure);
  } else {
    schemeTask->respond(type, std::move(image.bytes));
  }
}

}  // namespace vesk

// ReportResources: the requests in flight, the one download per evidence address, the
// run's fetched images and each request's one final answer.
#include "core/report/report_resources.h"

#include "core/platform/preview_image.h"
#include "core/report/failure_sentence.h"

#include <glib.h>

#include <algorithm>
#include <utility>

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
  fetched_.clear();
  api_ = std::move(api);
  runID_ = std::move(runID);
  return true;
}

void ReportResources::invalidate() {
  // Emptied first: a scheme task told of its end may start or stop requests at once.
  const auto ended = std::exchange(downloads_, {});
  const auto unanswered = std::exchange(answering_, {});
  waiting_.clear();
  queued_.clear();
  for (const auto& [path, entry] : ended) {
    entry.operation.cancel();
    for (const auto& task : entry.waiting) task->fail(cancelled());
  }
  for (const auto& [task, image] : unanswered) task->fail(cancelled());
}

void ReportResources::start(std::shared_ptr<SchemeTask> task) {
  if (!task || waiting_.contains(task.get())) return;
  const auto path = api_ && runID_ ? resourcePath(task->url(), runID_) : std::nullopt;
  if (!path) {
    task->fail(unsupportedURL());
    return;
  }
  if (const auto kept = fetched_.find(*path); kept != fetched_.end()) {
    answer(std::move(task), kept->second);
    return;
  }
  const auto [entry, added] = downloads_.try_emplace(*path);
  if (added) {
    entry->second.nonce = ++lastNonce_;
    queued_.push_back(*path);
  }
  waiting_[task.get()] = *path;
  entry->second.waiting.push_back(std::move(task));
  startNext();
}

void ReportResources::startNext() {
  const auto running = [this] {
    return std::count_if(downloads_.begin(), downloads_.end(), [](const auto& entry) { return entry.second.running; });
  };
  while (!queued_.empty() && static_cast<std::size_t>(running()) < mostDownloads) {
    const std::string path = std::move(queued_.front());
    queued_.pop_front();
    // A download given up while it waited has no entry; a path asked for again after
    // that is queued twice and starts once.
    const auto entry = downloads_.find(path);
    if (entry == downloads_.end() || entry->second.running) continue;
    entry->second.running = true;
    ++downloadsStarted_;
    // The download first runs from the main loop, after its entry is marked.
    entry->second.operation = async::spawn(download(weak_from_this(), *api_, path, entry->second.nonce));
  }
}

void ReportResources::stop(const SchemeTask* task) {
  std::erase_if(answering_, [task](const auto& held) { return held.first.get() == task; });
  const auto waiting = waiting_.find(task);
  if (waiting == waiting_.end()) return;
  const std::string path = waiting->second;
  waiting_.erase(waiting);
  const auto entry = downloads_.find(path);
  if (entry == downloads_.end()) return;
  std::erase_if(entry->second.waiting, [task](const auto& held) { return held.get() == task; });
  if (!entry->second.waiting.empty()) return;
  // Nobody waits for it any more: its download goes, and another may take its turn.
  const async::TaskRef operation = entry->second.operation;
  downloads_.erase(entry);
  operation.cancel();
  startNext();
}

ReportResources::Outcome ReportResources::checked(EvidenceImage image) {
  std::string type = normalisedMimeType(image.mimeType);
  // The sides the header declares are checked as for previews: an image of a few
  // kilobytes may ask the web view for gigabytes of pixels.
  if (!servable(type, image.bytes.size()) || !declaresAllowedPreviewSize(image.bytes))
    return Outcome{std::nullopt, undecodable()};
  return Outcome{Image{std::move(type), std::make_shared<const std::string>(std::move(image.bytes))}, {}};
}

async::Task<void> ReportResources::download(std::weak_ptr<ReportResources> handler, DesktopAPI api, std::string path,
                                            std::uint64_t nonce) {
  const auto context = co_await async::currentContext();
  Outcome outcome;
  try {
    auto image = co_await api.asset(path);
    if (context->isCancelled()) throw async::Cancelled();
    outcome = checked(std::move(image));
  } catch (const async::Cancelled&) {
    outcome.failure = cancelled();
  } catch (const std::exception& caught) {
    outcome.failure = SchemeFailure{SchemeFailureKind::download, failureSentence(caught)};
  }
  // Only a handler that still holds this very download answers: the entry is gone once
  // every request gave it up or the handler ended them, and a later download of the
  // same address carries another nonce.
  if (const auto owner = handler.lock()) owner->finish(path, nonce, std::move(outcome));
}

void ReportResources::finish(const std::string& path, std::uint64_t nonce, Outcome outcome) {
  const auto entry = downloads_.find(path);
  if (entry == downloads_.end() || entry->second.nonce != nonce) return;
  const auto waiting = std::move(entry->second.waiting);
  // The entries go before the final calls, which may start or stop requests at once.
  downloads_.erase(entry);
  for (const auto& task : waiting) waiting_.erase(task.get());
  // Only images are kept: a failed download is tried again by the next request.
  if (outcome.image) fetched_[path] = *outcome.image;
  startNext();
  for (const auto& task : waiting) {
    if (outcome.image) {
      answer(task, *outcome.image);
    } else {
      task->fail(outcome.failure);
    }
  }
}

void ReportResources::answer(std::shared_ptr<SchemeTask> task, const Image& image) {
  answering_.emplace_back(std::move(task), image);
  answerNext();
}

void ReportResources::answerNext() {
  // A body let go inside respond() comes back through here at once: the loop below takes
  // the next request instead, so a long queue costs no stack.
  if (answeringNow_) return;
  answeringNow_ = true;
  const struct Reset {
    bool& flag;
    ~Reset() { flag = false; }
  } reset{answeringNow_};
  while (!answering_.empty() && *bodiesOut_ < mostBodies) {
    auto [task, image] = std::move(answering_.front());
    answering_.pop_front();
    task->respond(image.mimeType, countedBody(image));
  }
}

namespace {

// What a body's release hook tells the main loop: the count to lower and the handler
// that may answer its next request, if it is still there.
struct BodyReleased {
  std::shared_ptr<std::size_t> count;
  std::weak_ptr<ReportResources> handler;
};

// Holds a body for the web view; when the web view lets go, the main loop is told.
struct BodyHold {
  BodyHold(std::shared_ptr<const std::string> body, BodyReleased hook)
      : bytes(std::move(body)), released(std::move(hook)) {}
  std::shared_ptr<const std::string> bytes;
  BodyReleased released;
  BodyHold(const BodyHold&) = delete;
  BodyHold& operator=(const BodyHold&) = delete;
  ~BodyHold() {
    // The web view may let go on another thread.
    g_main_context_invoke(
        nullptr,
        [](gpointer data) -> gboolean {
          const std::unique_ptr<BodyReleased> told(static_cast<BodyReleased*>(data));
          --*told->count;
          if (const auto owner = told->handler.lock()) owner->answerWaiting();
          return G_SOURCE_REMOVE;
        },
        new BodyReleased(std::move(released)));
  }
};

}  // namespace

std::shared_ptr<const std::string> ReportResources::countedBody(const Image& image) {
  ++*bodiesOut_;
  auto hold = std::make_shared<BodyHold>(image.bytes, BodyReleased{bodiesOut_, weak_from_this()});
  return std::shared_ptr<const std::string>(hold, hold->bytes.get());
}

}  // namespace vesk

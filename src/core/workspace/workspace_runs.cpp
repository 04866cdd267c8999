// Workspace: handing an answered run on, watching it and reconciling it with the service.
#include "core/async/sleep.h"
#include "core/workspace/preview_samples.h"
#include "core/workspace/workspace.h"

namespace vesk {

namespace {

constexpr auto pollInterval = std::chrono::milliseconds(2500);

bool isCancelledNow(const std::shared_ptr<async::TaskContext>& context) { return context->isCancelled(); }

std::string runPath(const std::string& runID) { return "runs/" + DesktopAPI::pathIdentifier(runID); }

}  // namespace

void Workspace::runQuickRead() {
  if (current->has_value() && (*current)->auditMode == std::optional<std::string>("quick")) beginReview();
}

void Workspace::start() {
  if (current->has_value() && (*current)->auditMode == std::optional<std::string>("full") && *confirmed) beginReview();
}

void Workspace::beginReview() {
  if (!allAnswered()) return;
  if (!current->has_value() || (*current)->status != "discovery") return;
  const auto mode = (*current)->auditMode.value_or("");
  if ((mode != "quick" && mode != "full") || *busy) return;
  error = std::nullopt;
  connectionLost = false;
  progress = 0;
  liveProgress = std::nullopt;
  quickRetryable = false;
  busy = true;
  screen = Screen::progress;
  auto run = **current;
  run.status = "running";
  current = run;
  remember();
  const auto generation = generation_;
  if (!*fixture) {
    continuationInFlight_ = true;
    watch(run.id);
  }
  operation_.start(async::spawn(runStartTask(shared_from_this(), run, generation)), async::PreviousTask::leave);
}

async::Task<void> Workspace::runStartTask(std::shared_ptr<Workspace> self, SavedAudit run, std::string generation) {
  if (!self->isCurrent(generation) || isCancelledNow(co_await async::currentContext())) co_return;
  if (*self->fixture) {
    co_await self->playPreview(std::move(run), std::move(generation));
    co_return;
  }
  const auto client = self->api();
  if (!client) {
    if (self->isCurrent(generation)) {
      // Without a client no continue request is under way, so the watcher must not wait
      // for one.
      self->continuationInFlight_ = false;
      self->busy = false;
    }
    co_return;
  }
  try {
    co_await client->raw(runPath(run.id) + "/continue", self->continueBody(false), std::nullopt, Auth::bearer);
  } catch (const std::exception&) {
    // Whatever happened to the request, it is never sent again: the reconcile below
    // asks the service what became of the run.
    if (self->isCurrent(generation))
      self->error =
          std::string("Connection interrupted. Checking the saved audit; no second audit has been requested.");
  }
  if (!self->isCurrent(generation)) co_return;
  if (self->isOpenRun(run.id)) {
    self->continuationInFlight_ = false;
    co_await self->reconcile(run.id);
    if (self->isCurrent(generation)) self->busy = false;
  } else {
    self->busy = false;
  }
}

JsonObject Workspace::continueBody(bool retry) const {
  JsonObject body;
  body["answers"] = discoveryPayload();
  if (retry) body["retry"] = true;
  return body;
}

void Workspace::watch(const std::string& runID) {
  watcher_.cancel();
  watcher_.start(async::spawn(watcherTask(shared_from_this(), runID, generation_)), async::PreviousTask::leave);
}

async::Task<void> Workspace::watcherTask(std::shared_ptr<Workspace> self, std::string runID, std::string generation) {
  const auto context = co_await async::currentContext();
  while (true) {
    if (context->isCancelled() || !self->isCurrent(generation) || !self->isOpenRun(runID)) co_return;
    const auto client = self->api();
    if ((*self->current)->auditMode == std::optional<std::string>("full") && client) {
      try {
        auto snapshot =
            co_await client->request<AuditProgressSnapshot>(runPath(runID) + "/lenses", std::nullopt, Auth::bearer);
        if (self->isCurrent(generation) && self->isOpenRun(runID)) self->liveProgress = std::move(snapshot);
      } catch (const async::Cancelled&) {
        co_return;
      } catch (const std::exception&) {
        if (self->isCurrent(generation) && self->isOpenRun(runID)) self->connectionLost = true;
      }
    }
    co_await self->reconcile(runID);
    if (!self->current->has_value() || (*self->current)->status != "running" || context->isCancelled()) co_return;
    try {
      co_await async::sleep(pollInterval);
    } catch (const async::Cancelled&) {
      co_return;
    }
  }
}

async::Task<void> Workspace::reconcile(std::string runID) {
  auto self = shared_from_this();
  const auto client = api();
  if (!client) co_return;
  const auto generation = generation_;
  RunState reply;
  try {
    reply = co_await client->request<RunState>(runPath(runID), std::nullopt, Auth::bearer);
  } catch (const async::Cancelled&) {
    co_return;
  } catch (const std::exception& failure) {
    if (isCurrent(generation) && isOpenRun(runID)) {
      connectionLost = true;
      error = std::string(failure.what());
    }
    co_return;
  }
  if (!isCurrent(generation) || !isOpenRun(runID)) co_return;
  if (reply.status == "discovery" && continuationInFlight_) co_return;
  co_await applyRunState(reply);
}

async::Task<void> Workspace::applyRunState(RunState reply) {
  auto run = **current;
  if (reply.auditMode) run.auditMode = reply.auditMode;
  if (reply.agent) run.agent = reply.agent;
  run.status = reply.status;
  run.output = reply.output;
  run.partial = reply.partial;
  current = run;
  quickRetryable = reply.retryable.value_or(false);
  connectionLost = false;
  remember();
  const bool onRunScreen = isRunScreen(*screen);
  if (reply.status == "complete") {
    busy = false;
    if (onRunScreen) screen = Screen::report;
    error = std::nullopt;
    co_await refreshAccount();
  } else if (reply.status == "discovery") {
    questions = reply.questions;
    if (onRunScreen) screen = Screen::discovery;
    error = std::nullopt;
  } else if (reply.status == "failed") {
    busy = false;
    error = failureMessage(reply);
    if (onRunScreen)
      screen = isQuickRead() && run.partial.value_or(false) && !run.output.empty() ? Screen::report : Screen::progress;
  } else if (onRunScreen) {
    screen = Screen::progress;
  }
}

std::string Workspace::failureMessage(const RunState& reply) const {
  if (isQuickRead()) {
    return (*current)->partial.value_or(false)
               ? "This quick read is incomplete. The saved text is available below. No full-audit run was used."
               : "This quick read could not finish. No full-audit run was used. Check saved status before starting "
                 "another audit.";
  }
  return reply.refundConfirmed.value_or(false)
             ? "This audit could not finish. The server confirmed its credit was returned."
             : "This audit could not finish. Credit return is not yet confirmed; check your account before starting "
               "another audit.";
}

void Workspace::retryQuickRead() {
  if (*busy || !allAnswered() || !*quickRetryable) return;
  if (!current->has_value() || (*current)->auditMode != std::optional<std::string>("quick")) return;
  const auto client = api();
  if (!client) return;
  busy = true;
  quickRetryable = false;
  error = std::nullopt;
  operation_.start(async::spawn(retryTask(shared_from_this(), *client, **current, generation_)),
                   async::PreviousTask::leave);
}

async::Task<void> Workspace::retryTask(std::shared_ptr<Workspace> self, DesktopAPI client, SavedAudit run,
                                       std::string generation) {
  const auto context = co_await async::currentContext();
  try {
    co_await client.raw(runPath(run.id) + "/continue", self->continueBody(true), std::nullopt, Auth::bearer);
  } catch (const async::Cancelled&) {
  } catch (const std::exception& failure) {
    if (self->isCurrent(generation) && !context->isCancelled()) self->error = std::string(failure.what());
  }
  if (self->isCurrent(generation) && self->isOpenRun(run.id) && !context->isCancelled())
    co_await self->reconcile(run.id);
  if (self->isCurrent(generation)) self->busy = false;
}

void Workspace::checkStatus() {
  if (!current->has_value()) return;
  async::spawn(checkStatusTask(shared_from_this(), (*current)->id));
}

async::Task<void> Workspace::checkStatusTask(std::shared_ptr<Workspace> self, std::string runID) {
  co_await self->reconcile(std::move(runID));
}

void Workspace::pauseWatching() {
  if (*fixture) {
    operation_.current().cancel();
    if (current->has_value()) {
      auto run = **current;
      run.status = "cancelled";
      current = std::move(run);
    }
    remember();
    busy = false;
  }
  newAudit();
}

std::vector<std::string> Workspace::stages() const {
  return isQuickRead() ? preview::quickReadStages() : preview::fullAuditStages();
}

}  // namespace vesk

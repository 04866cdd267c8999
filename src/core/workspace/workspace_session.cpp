// Workspace: signing in and out, and loading the account, the run library and projects.
#include "core/records/json_fields.h"
#include "core/signin/browser_connection.h"
#include "core/signin/session_keychain.h"
#include "core/workspace/origin_text.h"
#include "core/workspace/uuid_text.h"
#include "core/workspace/workspace.h"

#include <algorithm>

namespace vesk {

namespace {

constexpr std::chrono::seconds maxSessionLifetime(100LL * 365 * 24 * 3600);

struct AccountReply {
  Account account;
  bool fixture = false;
  static AccountReply fromJson(const nlohmann::json& value);
};

struct LibraryReply {
  std::vector<SavedAudit> runs;
  static LibraryReply fromJson(const nlohmann::json& value);
};

struct ProjectsReply {
  std::vector<LibraryProject> projects;
  static ProjectsReply fromJson(const nlohmann::json& value);
};

AccountReply AccountReply::fromJson(const nlohmann::json& value) {
  JsonFields fields(value, "account reply");
  return {fields.record<Account>("account"), fields.flag("fixture")};
}

LibraryReply LibraryReply::fromJson(const nlohmann::json& value) {
  return {JsonFields(value, "library reply").list<SavedAudit>("runs")};
}

ProjectsReply ProjectsReply::fromJson(const nlohmann::json& value) {
  return {JsonFields(value, "projects reply").list<LibraryProject>("projects")};
}

// Fire-and-forget: tells the service to drop a token that is being replaced.
async::Task<void> revokeTask(DesktopAPI client) {
  try {
    co_await client.raw("revoke", JsonObject{}, std::nullopt, Auth::bearer);
  } catch (...) {
    // The old token is dropped on this side whatever the service says.
  }
}

}  // namespace

void Workspace::connect(SavedWork savedWork) {
  const Screen shownAtStart = *screen;
  const auto origin = DesktopAPI::validOrigin(*originText);
  if (!origin) {
    error = std::string("Use an https origin, or localhost for local development.");
    return;
  }
  if (account->has_value() || *fixture) {
    busy = false;
    if (savedWork == SavedWork::discard) newAudit();
  }
  browser_->cancel();
  operation_.cancel();
  revokeExistingSession();
  clearKeychain();
  setSession(std::nullopt, std::nullopt);
  busy = true;
  error = std::nullopt;
  account = std::nullopt;
  accountLoading = false;
  accountError = std::nullopt;
  fixture = false;
  reconnectRequired = false;
  if (savedWork == SavedWork::discard) {
    current = std::nullopt;
    reports.set({});
    sidebarProjects.set({});
  }
  watcher_.cancel();
  // The run-start task was cancelled above and cannot clear this itself.
  continuationInFlight_ = false;
  renewGeneration();
  sessionGeneration_ = freshUUID();
  endExport();
  const auto task = async::spawn(
      sessionTask(shared_from_this(), generation_, withoutSurroundingSlashes(*origin), savedWork, shownAtStart));
  operation_.start(task, async::PreviousTask::leave);
}

async::Task<void> Workspace::sessionTask(std::shared_ptr<Workspace> self, std::string generation, std::string origin,
                                         SavedWork savedWork, Screen shownAtStart) {
  if (!self->isCurrent(generation) || (co_await async::currentContext())->isCancelled()) co_return;
  TokenResponse token;
  try {
    token = co_await self->browser_->connect(origin);
  } catch (const async::Cancelled&) {
    if (self->isCurrent(generation)) self->busy = false;
    co_return;
  } catch (const std::exception& failure) {
    if (self->isCurrent(generation)) {
      self->error = std::string(failure.what());
      self->busy = false;
    }
    co_return;
  }
  if (!self->isCurrent(generation) || (co_await async::currentContext())->isCancelled()) {
    if (self->isCurrent(generation)) self->busy = false;
    co_return;
  }
  // A lifetime beyond any clock's range would overflow the expiry: cap it at a century.
  const auto lifetime = std::chrono::seconds(std::clamp<std::int64_t>(token.expires_in, 0, maxSessionLifetime.count()));
  const SessionRecord record(token.access_token, origin, std::chrono::system_clock::now() + lifetime);
  try {
    self->keychain_->save(record);
  } catch (const std::exception& failure) {
    if (self->isCurrent(generation)) {
      self->error = std::string(failure.what());
      self->busy = false;
    }
    co_return;
  }
  self->setSession(record.token, record.origin);
  self->originText = record.origin;
  co_await self->refreshAccount();
  if (self->isCurrent(generation) && self->account->has_value()) {
    self->busy = false;
    self->screen = savedWork == SavedWork::preserve ? shownAtStart : Screen::input;
  }
  if (self->isCurrent(generation)) self->busy = false;
}

void Workspace::disconnect() {
  renewGeneration();
  sessionGeneration_ = freshUUID();
  endExport();
  browser_->cancel();
  operation_.cancel();
  watcher_.cancel();
  // Not left to newAudit() below, which a report change in flight holds back.
  continuationInFlight_ = false;
  revokeExistingSession();
  const bool cleared = clearKeychain();
  setSession(std::nullopt, std::nullopt);
  account = std::nullopt;
  fixture = false;
  current = std::nullopt;
  reports.set({});
  sidebarProjects.set({});
  accountLoading = false;
  accountError = std::nullopt;
  busy = false;
  reconnectRequired = false;
  newAudit();
  // A session left in the keyring would sign the user in again at the next start.
  if (!cleared) error = std::string("Could not remove the saved session from the keyring.");
}

bool Workspace::clearKeychain() { return keychain_->clear(); }

void Workspace::revokeExistingSession() {
  if (!token_ || !connectedOrigin_) return;
  const auto origin = DesktopAPI::validOrigin(*connectedOrigin_);
  if (!origin) return;
  async::spawn(revokeTask(DesktopAPI{*origin, token_}));
}

async::Task<void> Workspace::refreshAccount() {
  auto self = shared_from_this();
  const auto client = api();
  if (!client) co_return;
  const auto session = sessionGeneration_;
  accountLoading = true;
  accountError = std::nullopt;
  try {
    auto reply = co_await client->request<AccountReply>("me", std::nullopt, Auth::bearer);
    const bool cancelled = (co_await async::currentContext())->isCancelled();
    if (isSessionCurrent(session) && !cancelled) {
      account = std::move(reply.account);
      fixture = reply.fixture;
      reconnectRequired = false;
      co_await refreshLibrary();
      co_await refreshProjects();
    }
  } catch (const async::Cancelled&) {
    // A cancelled load leaves the account as it was; only the flag below is settled.
  } catch (const std::exception& failure) {
    if (isSessionCurrent(session)) {
      accountError = std::string(failure.what());
      error = std::string(failure.what());
      if (const auto* http = dynamic_cast<const DesktopHTTPError*>(&failure); http && http->status() == 401)
        reconnectRequired = true;
    }
  }
  if (isSessionCurrent(session)) accountLoading = false;
}

async::Task<void> Workspace::refreshLibrary() {
  auto self = shared_from_this();
  if (*fixture) co_return;
  const auto client = api();
  if (!client) co_return;
  const auto session = sessionGeneration_;
  try {
    auto reply = co_await client->request<LibraryReply>("library", std::nullopt, Auth::bearer);
    if (!isSessionCurrent(session)) co_return;
    reports = std::move(reply.runs);
    persist();
  } catch (const async::Cancelled&) {
  } catch (const std::exception& failure) {
    if (isSessionCurrent(session)) error = std::string(failure.what());
  }
}

async::Task<void> Workspace::refreshProjects() {
  auto self = shared_from_this();
  if (*fixture || !account->has_value()) co_return;
  const auto client = api();
  if (!client) co_return;
  const auto session = sessionGeneration_;
  try {
    auto reply = co_await client->request<ProjectsReply>("projects", std::nullopt, Auth::bearer);
    if (!isSessionCurrent(session)) co_return;
    sidebarProjects = std::move(reply.projects);
  } catch (const async::Cancelled&) {
  } catch (const std::exception& failure) {
    if (isSessionCurrent(session)) error = std::string(failure.what());
  }
}

}  // namespace vesk

// Workspace: construction, session restore, navigation and the saved-run list.
#include "core/workspace/workspace.h"

#include "build_config.h"
#include "core/async/background.h"
#include "core/signin/browser_connection.h"
#include "core/signin/session_keychain.h"
#include "core/signin/vesk_app_identity.h"
#include "core/workspace/origin_text.h"
#include "core/workspace/save_dialog.h"
#include "core/workspace/uuid_text.h"

#include <glib.h>

#include <algorithm>
#include <chrono>

namespace vesk {

Workspace::Environment Workspace::defaultEnvironment(std::shared_ptr<BrowserConnection> browser,
                                                     std::shared_ptr<SaveDialog> saveDialog) {
  const auto& identity = VeskAppIdentity::current();
  Environment environment;
  environment.serviceOrigin = build::serviceOrigin;
  environment.supportFolder = identity.supportFolder().string();
  environment.keychain = std::make_shared<SessionKeychain>(identity.sessionService);
  environment.browser = std::move(browser);
  environment.saveDialog = std::move(saveDialog);
  return environment;
}

std::shared_ptr<Workspace> Workspace::create(Environment environment, SavedSession savedSession) {
  std::shared_ptr<Workspace> workspace(new Workspace(std::move(environment)));
  if (savedSession == SavedSession::restore) workspace->restoreSession();
  return workspace;
}

Workspace::Workspace(Environment environment)
    : draftID(freshUUID()),
      originText(std::move(environment.serviceOrigin)),
      keychain_(std::move(environment.keychain)),
      browser_(std::move(environment.browser)),
      saveDialog_(std::move(environment.saveDialog)),
      generation_(freshUUID()),
      sessionGeneration_(freshUUID()),
      runWriter_(std::move(environment.supportFolder),
                 [this](const std::string& failure) { error = "The local copy could not be saved. " + failure; }) {}

Workspace::~Workspace() = default;

// The keyring is read on a worker thread, so the window draws at once; the account
// counts as loading until the saved session is known.
void Workspace::restoreSession() {
  accountLoading = true;
  async::spawn(restoreTask(shared_from_this(), sessionGeneration_));
}

async::Task<void> Workspace::restoreTask(std::shared_ptr<Workspace> self, std::string session) {
  const auto keychain = self->keychain_;
  std::optional<SessionRecord> record;
  try {
    auto read = async::inBackground([keychain] { return keychain->load(); });
    record = co_await std::move(read);
  } catch (const std::exception&) {
    // Nothing could be read: the workspace starts signed out.
  }
  // A sign-in or sign-out started meanwhile owns the session now.
  if (!self->isSessionCurrent(session)) co_return;
  // A session always restores for the origin it was made for, with or without a
  // trailing "/" on either side.
  const bool restorable = record && record->expires > std::chrono::system_clock::now() &&
                          withoutTrailingSlashes(record->origin) == withoutTrailingSlashes(*self->originText);
  if (!restorable) {
    self->accountLoading = false;
    co_return;
  }
  self->setSession(record->token, *self->originText);
  co_await self->refreshAccount();
}

void Workspace::setSession(std::optional<std::string> token, std::optional<std::string> origin) {
  if (token == token_ && origin == connectedOrigin_) return;
  token_ = std::move(token);
  connectedOrigin_ = std::move(origin);
  connectionRevision = *connectionRevision + 1;
}

std::optional<DesktopAPI> Workspace::api() const {
  const auto origin = DesktopAPI::validOrigin(*originText);
  if (!origin) return std::nullopt;
  DesktopAPI client{*origin, std::nullopt};
  if (connectedOrigin_ && *connectedOrigin_ == *originText) client.token = token_;
  return client;
}

bool Workspace::hasAccountSession() const {
  return account->has_value() || token_.has_value() || *accountLoading || accountError->has_value();
}

bool Workspace::isQuickRead() const {
  if (current->has_value() && (*current)->auditMode) return *(*current)->auditMode == "quick";
  return *auditMode == "quick";
}

bool Workspace::canNavigateToAnotherRun() const {
  if (*reportMutationInFlight) return false;
  if (!*busy) return true;
  if (*fixture) return false;
  if (!current->has_value()) return false;
  return (*current)->status == "running";
}

void Workspace::renewGeneration() { generation_ = freshUUID(); }

bool Workspace::isOpenRun(const std::string& runID) const { return current->has_value() && (*current)->id == runID; }

void Workspace::newAudit() {
  if (!canNavigateToAnotherRun()) return;
  busy = false;
  draftID = freshUUID();
  renewGeneration();
  watcher_.current().cancel();
  current = std::nullopt;
  projectID_.reset();
  baselineRunID = std::nullopt;
  comparisonBaseline = std::nullopt;
  existingContextAvailable = false;
  projectIntent = "redesign";
  continuationInFlight_ = false;
  liveProgress = std::nullopt;
  quickRetryable = false;
  auditMode = "quick";
  projectName = "";
  urls = "";
  brief = "";
  attachments.set({});
  answers.set({});
  questions.set({});
  confirmed = false;
  error = std::nullopt;
  screen = Screen::input;
}

void Workspace::remember() {
  if (!current->has_value()) return;
  const auto& open = **current;
  // The open run goes first, in place: the list may hold the account's thousands of runs.
  reports.modify([&](std::vector<SavedAudit>& runs) {
    const auto isOpen = [&](const SavedAudit& run) { return run.id == open.id; };
    if (!runs.empty() && runs.front() == open && std::count_if(runs.begin(), runs.end(), isOpen) == 1) return false;
    std::erase_if(runs, isOpen);
    runs.insert(runs.begin(), open);
    return true;
  });
  persist();
}

// The list is written off the main loop; a failure comes back through the writer's
// handler, which sets `error`.
void Workspace::persist() {
  runWriter_.write(*reports, *fixture ? SavedRunFile::List::sample : SavedRunFile::List::live);
}

void Workspace::acceptReportOutput(const SharedText& output, const std::string& runID) {
  if (!isOpenRun(runID)) return;
  auto run = **current;
  run.output = output;
  current = std::move(run);
  remember();
}

void Workspace::acceptReport(const SavedAudit& run) {
  if (!isOpenRun(run.id)) return;
  current = run;
  remember();
}

void Workspace::forgetReport(const std::string& runID) {
  reports.modify([&](std::vector<SavedAudit>& runs) {
    return std::erase_if(runs, [&](const SavedAudit& run) { return run.id == runID; }) > 0;
  });
  persist();
  if (isOpenRun(runID)) {
    current = std::nullopt;
    screen = Screen::library;
  }
}

}  // namespace vesk

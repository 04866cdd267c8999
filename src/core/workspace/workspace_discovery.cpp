// Workspace: composer rules, attaching files, discovery and the answers.
#include "core/async/sleep.h"
#include "core/input/audit_attachment_file.h"
#include "core/input/audit_input_rules.h"
#include "core/records/json_fields.h"
#include "core/text/text_equivalence.h"
#include "core/text/text_rules.h"
#include "core/workspace/preview_samples.h"
#include "core/workspace/uuid_text.h"
#include "core/workspace/workspace.h"

#include <algorithm>

namespace vesk {

namespace {

constexpr auto localDiscoveryDelay = std::chrono::milliseconds(650);

bool isBlank(std::string_view text) { return splitAtWhiteSpace(text).empty(); }

bool containsText(const std::vector<std::string>& list, const std::string& text) {
  return std::any_of(list.begin(), list.end(), [&](const std::string& entry) { return canonicallyEqual(entry, text); });
}

std::size_t fileCap(const std::string& mode) { return mode == "full" ? 7 : 5; }

std::string fileCapSentence(std::size_t cap) { return "This audit covers up to " + std::to_string(cap) + " files."; }

// The reply to POST "projects".
struct CreatedProject {
  std::string id;
  static CreatedProject fromJson(const nlohmann::json& value) {
    return {JsonFields(value, "created project").text("id")};
  }
};

}  // namespace

int Workspace::maxURLs() const {
  if (*auditMode == "full") return 5;
  if (account->has_value() && (*account)->caps)
    return static_cast<int>(std::clamp<std::int64_t>((*account)->caps->urlsPerRun, 1, 8));
  return 3;
}

bool Workspace::canStartQuickRead() const {
  if (*fixture) return true;
  if (account->has_value() && (*account)->quick) return (*account)->quick->allowed;
  return false;
}

std::optional<std::string> Workspace::auditAccessNotice() const {
  if (*fixture || !account->has_value()) return std::nullopt;
  if (*auditMode == "full")
    return (*account)->auditBalance < 1 ? std::optional<std::string>("No full audits available.") : std::nullopt;
  return canStartQuickRead() ? std::nullopt : std::optional<std::string>("Quick read unavailable.");
}

bool Workspace::hasAuditSources() const {
  if (!attachments->empty()) return true;
  if (!isBlank(*urls)) return true;
  try {
    if (!auditSourceURLs("", *brief, maxURLs()).empty()) return true;
  } catch (const VeskError&) {
    // Too many URLs in the brief: this way of holding sources does not count.
  }
  if (*existingContextAvailable && !baselineRunID->has_value()) return true;
  return *projectIntent == "new" && !isBlank(*brief) && !baselineRunID->has_value();
}

void Workspace::addFiles(std::vector<std::string> paths) {
  const auto cap = fileCap(*auditMode);
  if (attachments->size() + paths.size() > cap) {
    error = fileCapSentence(cap);
    return;
  }
  async::spawn(addFilesTask(shared_from_this(), *draftID, std::move(paths)));
}

async::Task<void> Workspace::addFilesTask(std::shared_ptr<Workspace> self, std::string draft,
                                          std::vector<std::string> paths) {
  std::vector<AuditAttachment> read;
  try {
    for (const auto& path : paths) read.push_back(co_await readAuditAttachment(path));
  } catch (const async::Cancelled&) {
    co_return;
  } catch (const std::exception& failure) {
    if (*self->draftID == draft) self->error = std::string(failure.what());
    co_return;
  }
  // Files read for a composer input that has since been replaced belong to nobody.
  if (*self->draftID != draft) co_return;
  auto list = *self->attachments;
  // Each identity hashes a whole file: work each out once.
  std::vector<std::string> held;
  for (const auto& attachment : list) held.push_back(attachment.id());
  for (auto& attachment : read) {
    auto id = attachment.id();
    if (std::find(held.begin(), held.end(), id) != held.end()) continue;
    held.push_back(std::move(id));
    list.push_back(std::move(attachment));
  }
  // Another call may have attached files while these were read.
  const auto cap = fileCap(*self->auditMode);
  if (list.size() > cap) {
    self->error = fileCapSentence(cap);
    co_return;
  }
  self->attachments = std::move(list);
}

void Workspace::selectComparisonBaseline(const ReportBaseline& baseline) {
  comparisonBaseline = baseline;
  baselineRunID = baseline.id;
  auditMode = "full";
}

void Workspace::discover() {
  // A discovery of this line of work is already under way: a second one would create a
  // second project and run on the service.
  if (discoveryGeneration_ && *discoveryGeneration_ == generation_) return;
  if (*reconnectRequired) {
    screen = Screen::account;
    error = std::string("Reconnect your account before starting an audit. Your saved work is still here.");
    return;
  }
  if (*auditMode != "quick" && *auditMode != "full") {
    error = std::string("Choose Quick read or Full audit.");
    return;
  }
  if (!*fixture && !account->has_value()) {
    screen = Screen::account;
    error = std::string("Sign in to Vesk to start an audit.");
    return;
  }
  if (auto notice = auditAccessNotice()) {
    error = std::move(notice);
    return;
  }
  std::vector<std::string> sourceURLs;
  try {
    sourceURLs = auditSourceURLs(*urls, *brief, maxURLs());
  } catch (const VeskError& failure) {
    error = std::string(failure.what());
    return;
  }
  const auto cap = fileCap(*auditMode);
  if (attachments->size() > cap) {
    error = fileCapSentence(cap);
    return;
  }
  if (sourceURLs.empty() && attachments->empty()) {
    const bool existingContext = *existingContextAvailable && !baselineRunID->has_value();
    const bool newWork = *projectIntent == "new" && !isBlank(*brief) && !baselineRunID->has_value();
    if (!existingContext && !newWork) {
      error = std::string("Add a URL or screenshot to continue.");
      return;
    }
  }
  std::optional<DerivedName> derived;
  if (isBlank(*projectName)) {
    const auto firstFile =
        attachments->empty() ? std::nullopt : std::optional<std::string>(attachments->front().filename);
    derived = DerivedName{*projectName, auditProjectName(sourceURLs, firstFile)};
    projectName = derived->name;
  }
  error = std::nullopt;
  busy = true;
  discoveryGeneration_ = generation_;
  const auto task = async::spawn(
      discoveryTask(shared_from_this(), generation_, *auditMode, std::move(sourceURLs), std::move(derived)));
  operation_.start(task, async::PreviousTask::leave);
}

async::Task<void> Workspace::discoveryTask(std::shared_ptr<Workspace> self, std::string generation, std::string mode,
                                           std::vector<std::string> sourceURLs, std::optional<DerivedName> derived) {
  struct EndOfDiscovery {
    Workspace& workspace;
    const std::string& generation;
    ~EndOfDiscovery() {
      if (workspace.discoveryGeneration_ == generation) workspace.discoveryGeneration_.reset();
    }
  } end{*self, generation};
  if (!self->isCurrent(generation) || (co_await async::currentContext())->isCancelled()) co_return;
  const bool local = *self->fixture;
  std::optional<std::string> failure;
  try {
    if (local) {
      co_await self->discoverLocally(generation, mode);
    } else {
      co_await self->discoverOnService(generation, mode, std::move(sourceURLs));
    }
  } catch (const async::Cancelled&) {
    // Cancelled discovery stays silent: only connect() and disconnect() cancel it, and
    // they show their own state.
  } catch (const std::exception& error) {
    failure = error.what();
  }
  if (failure && self->isCurrent(generation)) {
    self->error = std::move(failure);
    // A name worked out for this attempt is given up when no project was made under it:
    // the next attempt works it out again from what it is given then.
    if (derived && !self->projectID_ && *self->projectName == derived->name) self->projectName = derived->before;
    // The service may have created the run before the failure: list it.
    if (!*self->fixture) co_await self->refreshLibrary();
  }
  if (self->isCurrent(generation)) self->busy = false;
}

async::Task<void> Workspace::discoverLocally(std::string generation, std::string mode) {
  co_await async::sleep(localDiscoveryDelay);
  if (!isCurrent(generation)) co_return;
  std::vector<DiscoveryQuestion> builtIn;
  for (const auto& question : preview::builtInQuestions())
    builtIn.emplace_back(std::string(question.text),
                         std::vector<std::string>(question.options.begin(), question.options.end()));
  questions = std::move(builtIn);
  const auto& saved = *reports;
  const auto sameProject = std::find_if(saved.begin(), saved.end(), [&](const SavedAudit& run) {
    return run.fixture.value_or(false) && canonicallyEqual(run.projectName, *projectName);
  });
  const auto projectId = sameProject != saved.end() ? sameProject->projectId : freshUUID();
  current = SavedAudit(freshUUID(), projectId, *projectName, "discovery", "", mode, true);
  screen = Screen::discovery;
}

async::Task<void> Workspace::discoverOnService(std::string generation, std::string mode,
                                               std::vector<std::string> sourceURLs) {
  const auto client = api();
  if (!account->has_value() || !client) throw VeskError("Connect your existing Vesk account first.");
  if (current->has_value())
    throw VeskError(
        "Discovery was already submitted for this project. Open the saved run before creating another audit.");
  if (!projectID_) {
    const auto created = co_await client->request<CreatedProject>("projects", projectBody(), Auth::bearer);
    if (!isCurrent(generation)) co_return;
    projectID_ = created.id;
  }
  const auto reply = co_await client->request<RunState>("runs", runCreationBody(mode, sourceURLs), Auth::bearer);
  if (!isCurrent(generation)) co_return;
  questions = reply.questions;
  if (!reply.auditMode || *reply.auditMode != mode)
    throw VeskError("The saved audit mode changed. Check saved work before continuing.");
  if (questions->empty())
    throw VeskError(
        "Discovery did not return questions. Open Saved reports to recover this run before starting again.");
  current = SavedAudit(reply.id, *projectID_, *projectName, "discovery", reply.output, mode, false);
  remember();
  co_await refreshAccount();
  if (isCurrent(generation)) screen = Screen::discovery;
}

JsonObject Workspace::projectBody() const {
  JsonObject body;
  body["name"] = *projectName;
  body["brief"] = *brief;
  return body;
}

JsonObject Workspace::runCreationBody(const std::string& mode, const std::vector<std::string>& sourceURLs) const {
  nlohmann::json files = nlohmann::json::array();
  for (const auto& attachment : *attachments) files.push_back(attachment.toJson());
  JsonObject body;
  body["projectId"] = *projectID_;
  body["agent"] = "vesk";
  body["lensId"] = "design";
  body["auditMode"] = mode;
  body["input"] = *brief;
  body["urls"] = sourceURLs;
  body["attachments"] = std::move(files);
  if (baselineRunID->has_value()) body["baselineRunId"] = **baselineRunID;
  return body;
}

std::string Workspace::questionKey(std::size_t index) const {
  return std::to_string(index) + ":" + questions->at(index).text;
}

std::vector<std::string> Workspace::selectedAnswers(long index) const {
  if (index < 0 || static_cast<std::size_t>(index) >= questions->size()) return {};
  const auto stored = answers->find(questionKey(static_cast<std::size_t>(index)));
  if (stored == answers->end()) return {};
  const auto& options = (*questions)[static_cast<std::size_t>(index)].options;
  std::vector<std::string> kept;
  for (const auto& answer : stored->second) {
    if (kept.size() == mostAnswersPerQuestion) break;
    if (!containsText(options, answer) || containsText(kept, answer)) continue;
    kept.push_back(answer);
  }
  return kept;
}

void Workspace::select(const std::string& option, const std::string& question, std::optional<long> index) {
  const auto& list = *questions;
  if (!index) {
    const auto found = std::find_if(list.begin(), list.end(),
                                    [&](const DiscoveryQuestion& q) { return canonicallyEqual(q.text, question); });
    if (found == list.end()) return;
    index = static_cast<long>(found - list.begin());
  }
  if (*index < 0 || static_cast<std::size_t>(*index) >= list.size()) return;
  const auto& asked = list[static_cast<std::size_t>(*index)];
  if (!canonicallyEqual(asked.text, question) || !containsText(asked.options, option)) return;
  auto chosen = toggleChoice(option, selectedAnswers(*index));
  auto all = *answers;
  all[questionKey(static_cast<std::size_t>(*index))] = std::move(chosen);
  answers = std::move(all);
}

bool Workspace::allAnswered() const {
  if (questions->empty()) return false;
  for (std::size_t i = 0; i < questions->size(); ++i)
    if (selectedAnswers(static_cast<long>(i)).empty()) return false;
  return true;
}

nlohmann::json Workspace::discoveryPayload() const {
  nlohmann::json payload = nlohmann::json::array();
  for (std::size_t i = 0; i < questions->size(); ++i)
    payload.push_back({{"question", (*questions)[i].text}, {"answer", selectedAnswers(static_cast<long>(i))}});
  return payload;
}

}  // namespace vesk

#include "core/account/feedback_draft.h"

#include "core/async/errors.h"
#include "core/signin/connection_key.h"
#include "core/text/text_rules.h"

namespace vesk {

namespace {

constexpr const char* failurePrefix = "Couldn\u2019t send. Try again, or email ";

}  // namespace

FeedbackDraft::FeedbackDraft(std::shared_ptr<Workspace> workspace, std::string supportAddress)
    : workspace_(std::move(workspace)), supportAddress_(std::move(supportAddress)) {}

void FeedbackDraft::edit(std::string_view edited) {
  text = prefixWithinUTF16(edited, longestNote);
  if (!*sending) error = std::nullopt;
}

bool FeedbackDraft::connected() const {
  const Workspace& w = *workspace_;
  if (*w.fixture || *w.reconnectRequired || !w.account->has_value()) return false;
  const auto api = w.api();
  return api && api->token;
}

bool FeedbackDraft::canSend() const {
  return !*sending && utf16Length(trimmedWhiteSpace(*text)) >= shortestNote && utf16Length(*text) <= longestNote;
}

JsonObject FeedbackDraft::body(std::string_view note, Screen screen) {
  return JsonObject{{"body", trimmedWhiteSpace(note)}, {"fromPath", "/linux/" + std::string(rawValue(screen))}};
}

std::string FeedbackDraft::currentKey() const {
  const Workspace& w = *workspace_;
  return connectionKey(w.api(), !*w.fixture && w.account->has_value());
}

void FeedbackDraft::submit() {
  if (!connected()) return;
  const auto api = workspace_->api();
  if (!api || *sending) return;
  const std::string key = connectionKey(api, true);
  sending = true;
  error = std::nullopt;
  tasks_.add(async::spawn(send(this, *api, key, body(*text, *workspace_->screen))));
}

// Owned by tasks_, so the draft outlives every resumption of this task.
async::Task<void> FeedbackDraft::send(FeedbackDraft* self, DesktopAPI api, std::string key, JsonObject body) {
  bool delivered = false;
  try {
    co_await api.raw("feedback", std::move(body), std::nullopt, Auth::bearer);
    delivered = true;
  } catch (const async::Cancelled&) {
    throw;
  } catch (const std::exception&) {
    // Every failure reads the same; it is never recorded as the workspace's (a 401 here
    // does not mark the session for reconnection).
  }
  if (self->currentKey() != key) {
    self->sending = false;
    co_return;
  }
  if (delivered) {
    self->sent = true;
    self->text = std::string();
  } else {
    self->error = failurePrefix + self->supportAddress_ + ".";
  }
  self->sending = false;
}

Workspace::SavedWork FeedbackDraft::signInSavedWork(const Workspace& w) {
  const bool renew = !*w.fixture && w.account->has_value() && *w.reconnectRequired;
  return renew ? Workspace::SavedWork::preserve : Workspace::SavedWork::discard;
}

std::optional<std::string> FeedbackDraft::errorSentence() const {
  if (!*error) return std::nullopt;
  std::string sentence = **error;
  const std::string address = supportAddress_ + ".";
  for (auto at = sentence.find(address); at != std::string::npos; at = sentence.find(address))
    sentence.erase(at, address.size());
  return sentence;
}

}  // namespace vesk

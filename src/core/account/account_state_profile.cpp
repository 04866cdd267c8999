// Saving the profile name: the write, then a read that confirms it.
#include "core/account/account_sentences.h"
#include "core/account/account_state.h"
#include "core/text/text_rules.h"

namespace vesk {

namespace {

// The name as it is sent: the words of `text` joined by single spaces, so leading,
// trailing and repeated white space (tabs and line breaks included) disappear.
std::string normalisedName(const std::string& text) {
  std::string name;
  for (const auto& word : splitAtWhiteSpace(text)) {
    if (!name.empty()) name += ' ';
    name += word;
  }
  return name;
}

}  // namespace

async::Task<bool> AccountState::saveName(std::optional<DesktopAPI> api) {
  return saveNameTask(shared_from_this(), std::move(api));
}

async::Task<bool> AccountState::saveNameTask(std::shared_ptr<AccountState> self, std::optional<DesktopAPI> api) {
  if (!self->canSaveName()) co_return false;
  self->noticeArea = AccountNoticeArea::profile;
  self->error = std::nullopt;
  self->feedback = std::nullopt;
  const std::string name = normalisedName(*self->displayName);
  if (!api || !self->valid(*api)) co_return false;
  const auto revision = self->revision_;
  self->savingName = true;
  self->error = std::nullopt;
  self->feedback = std::nullopt;

  JsonObject body;
  body["displayName"] = name;
  try {
    co_await api->raw("settings", std::move(body), "PATCH", Auth::bearer);
  } catch (const std::exception& failure) {
    if (!self->holds(revision)) co_return false;
    self->recordFailure(failure);
    self->profileUncertain = unconfirmedFailure(failure);
    self->error = *self->profileUncertain ? std::string(account_sentences::profileUnconfirmed) : failure.what();
    self->savingName = false;
    co_return false;
  }
  if (!self->holds(revision)) co_return false;

  std::optional<AccountSettingsSnapshot> settings;
  try {
    settings = co_await api->request<AccountSettingsSnapshot>("settings", std::nullopt, Auth::bearer);
  } catch (const std::exception& failure) {
    // The name was written but could not be read back: it counts as saved.
    if (!self->holds(revision)) co_return false;
    self->recordFailure(failure);
    if (auto held = *self->snapshot) {
      held->displayName = name;
      self->snapshot = std::move(held);
    }
    self->displayName = name;
    self->feedback = std::string(account_sentences::saved);
    self->error = std::string(account_sentences::nameSavedUnread);
    self->savingName = false;
    co_return true;
  }
  if (!self->holds(revision)) co_return false;
  std::string readBack = settings->displayName;
  const bool saved = readBack == name;
  self->snapshot = std::move(settings);
  self->displayName = std::move(readBack);
  if (saved) {
    self->feedback = std::string(account_sentences::saved);
  } else {
    self->error = std::string(account_sentences::notSaved);
  }
  self->savingName = false;
  co_return saved;
}

}  // namespace vesk

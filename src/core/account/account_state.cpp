// The account state's lifecycle: binding, reloading and the shared rules.
#include "core/account/account_state.h"

#include "core/async/errors.h"
#include "core/signin/connection_key.h"
#include "core/text/text_rules.h"

namespace vesk {

namespace {

constexpr std::int64_t longestName = 60;  // UTF-16 units, after trimming

}  // namespace

const std::shared_ptr<AccountState>& AccountState::shared() {
  static const std::shared_ptr<AccountState> instance = create();
  return instance;
}

std::shared_ptr<AccountState> AccountState::create() { return std::shared_ptr<AccountState>(new AccountState()); }

bool AccountState::busy() const { return *loading || *savingName || *savingConsent || *exporting || *deleting; }

bool AccountState::canSaveName() const {
  if (!snapshot->has_value() || busy() || *profileUncertain || *reconnectRequired) return false;
  const std::string name = trimmedWhiteSpace(*displayName);
  if (name.empty() || utf16Length(name) > longestName) return false;
  return name != trimmedWhiteSpace((*snapshot)->displayName);
}

async::Task<void> AccountState::bind(std::optional<DesktopAPI> api, Connected connected) {
  const std::string key = connectionKey(api, connected == Connected::yes);
  if (key != activeKey_) {
    ++revision_;
    activeKey_ = key;
    reset();
  }
  return loadIfMissing(shared_from_this(), std::move(api));
}

void AccountState::reset() {
  snapshot = std::nullopt;
  displayName = std::string();
  error = std::nullopt;
  feedback = std::nullopt;
  consentFeedback = std::string();
  noticeArea = AccountNoticeArea::account;
  reconnectRequired = false;
  consentError = false;
  consentUncertain = false;
  profileUncertain = false;
  deletionUncertain = false;
  loading = false;
  savingName = false;
  savingConsent = false;
  exporting = false;
  deleting = false;
}

async::Task<void> AccountState::loadIfMissing(std::shared_ptr<AccountState> self, std::optional<DesktopAPI> api) {
  if (self->activeKey_.empty() || self->snapshot->has_value() || *self->loading) co_return;
  co_await reloadTask(self, std::move(api), std::nullopt);  // the load checks the revision itself
}

async::Task<void> AccountState::reload(std::optional<DesktopAPI> api, std::optional<AccountNoticeArea> area) {
  return reloadTask(shared_from_this(), std::move(api), area);
}

async::Task<void> AccountState::reloadTask(std::shared_ptr<AccountState> self, std::optional<DesktopAPI> api,
                                           std::optional<AccountNoticeArea> area) {
  if (!api || !self->valid(*api) || *self->loading) co_return;
  if (area) {
    self->noticeArea = *area;
    self->feedback = std::nullopt;
  }
  const auto revision = self->revision_;
  self->loading = true;
  self->error = std::nullopt;
  try {
    auto settings = co_await api->request<AccountSettingsSnapshot>("settings", std::nullopt, Auth::bearer);
    if (self->holds(revision)) self->applySettings(std::move(settings));
  } catch (const async::Cancelled&) {
    // Whoever awaited the load has gone (the screen closed): there is nobody to tell.
  } catch (const std::exception& failure) {
    if (self->holds(revision)) {
      self->recordFailure(failure);
      self->error = std::string(failure.what());
    }
  }
  if (self->holds(revision)) self->loading = false;
}

// A successful read confirms the account's state, which lifts every uncertainty.
void AccountState::applySettings(AccountSettingsSnapshot settings) {
  std::string name = settings.displayName;
  snapshot = std::move(settings);
  displayName = std::move(name);
  consentUncertain = false;
  profileUncertain = false;
  deletionUncertain = false;
  reconnectRequired = false;
}

bool AccountState::valid(const DesktopAPI& api) const {
  return !activeKey_.empty() && activeKey_ == connectionKey(std::optional<DesktopAPI>(api), true);
}

void AccountState::recordFailure(const std::exception& error) {
  const auto* refusal = dynamic_cast<const DesktopHTTPError*>(&error);
  if (refusal && refusal->status() == 401) reconnectRequired = true;
}

bool AccountState::unconfirmedFailure(const std::exception& error) {
  const auto* refusal = dynamic_cast<const DesktopHTTPError*>(&error);
  if (!refusal) return true;
  const int status = refusal->status();
  return status == 408 || status < 400 || status > 499;
}

void AccountState::profileEdited() {
  if (*noticeArea != AccountNoticeArea::profile || *profileUncertain) return;
  if (snapshot->has_value() && trimmedWhiteSpace(*displayName) == trimmedWhiteSpace((*snapshot)->displayName)) return;
  feedback = std::nullopt;
  error = std::nullopt;
}

}  // namespace vesk

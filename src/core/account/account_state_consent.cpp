// Changing the improvement consent and reading it back.
#include "core/account/account_sentences.h"
#include "core/account/account_state.h"
#include "core/async/background.h"

namespace vesk {

namespace {

constexpr const char* consentOperation = "settings/audit-improvement";

// PATCH with the new choice and the policy it was given under; the reply is the choice
// the service now holds.
async::Task<ImprovementChoice> sendChoice(DesktopAPI api, bool enabled, std::string policyVersion) {
  JsonObject body;
  body["enabled"] = enabled;
  body["policyVersion"] = std::move(policyVersion);
  const std::string bytes = co_await api.raw(consentOperation, std::move(body), "PATCH", Auth::bearer);
  co_return co_await async::inBackground(
      [&bytes] { return ImprovementChoice::fromJson(DesktopAPI::parseReply(bytes)); });
}

}  // namespace

async::Task<void> AccountState::changeConsent(std::optional<DesktopAPI> api) {
  return changeConsentTask(shared_from_this(), std::move(api));
}

async::Task<void> AccountState::checkConsent(std::optional<DesktopAPI> api, std::optional<bool> expected) {
  return checkConsentTask(shared_from_this(), std::move(api), expected);
}

async::Task<void> AccountState::changeConsentTask(std::shared_ptr<AccountState> self, std::optional<DesktopAPI> api) {
  if (self->busy() || *self->consentUncertain || *self->reconnectRequired) co_return;
  const auto& held = *self->snapshot;
  if (!held || !held->improvementConsent) co_return;
  const bool old = held->improvementConsent->enabled;
  const std::string policyVersion = held->consentPolicyVersion;
  if (!api || !self->valid(*api)) co_return;
  const auto revision = self->revision_;
  self->savingConsent = true;
  self->consentError = false;
  self->consentFeedback = std::string(account_sentences::savingChoice);

  bool unconfirmed = false;
  try {
    const auto choice = co_await sendChoice(*api, !old, policyVersion);
    if (self->holds(revision)) {
      if (auto updated = *self->snapshot) {
        updated->improvementConsent = choice;
        self->snapshot = std::move(updated);
      }
      const bool took = choice.enabled != old;
      self->consentError = !took;
      self->consentFeedback = std::string(took ? account_sentences::choiceSaved : account_sentences::notSaved);
    }
  } catch (const std::exception& failure) {
    if (self->holds(revision)) {
      self->recordFailure(failure);
      unconfirmed = unconfirmedFailure(failure);
      if (!unconfirmed) {
        self->consentError = true;
        self->consentFeedback = std::string(failure.what());
      }
    }
  }
  // The write may have taken: read the stored choice before saying anything.
  if (unconfirmed) co_await checkConsentTask(self, api, !old);
  if (self->holds(revision)) self->savingConsent = false;
}

async::Task<void> AccountState::checkConsentTask(std::shared_ptr<AccountState> self, std::optional<DesktopAPI> api,
                                                 std::optional<bool> expected) {
  if (!api || !self->valid(*api)) co_return;
  const auto revision = self->revision_;
  // A check nested in a consent change leaves the change's busy flag to the change.
  const bool setSaving = !*self->savingConsent;
  if (setSaving) self->savingConsent = true;
  self->consentError = false;
  self->consentFeedback = std::string(account_sentences::checkingChoice);

  try {
    const auto choice = co_await api->request<ImprovementChoice>(consentOperation, std::nullopt, Auth::bearer);
    if (self->holds(revision)) {
      if (auto updated = *self->snapshot) {
        updated->improvementConsent = choice;
        self->snapshot = std::move(updated);
      }
      self->consentUncertain = false;
      const bool differs = expected && *expected != choice.enabled;
      self->consentError = differs;
      self->consentFeedback = std::string(!expected ? account_sentences::choiceConfirmed
                                          : differs ? account_sentences::notSaved
                                                    : account_sentences::choiceSaved);
    }
  } catch (const std::exception& failure) {
    if (self->holds(revision)) {
      self->recordFailure(failure);
      self->consentUncertain = true;
      self->consentError = true;
      self->consentFeedback = std::string(account_sentences::choiceUnconfirmed);
    }
  }
  if (setSaving && self->holds(revision)) self->savingConsent = false;
}

}  // namespace vesk

// Changing the improvement consent, and the read-back that settles an unconfirmed change.
#include "core/account/account_state.h"
#include "support/account_harness.h"

#include <gtest/gtest.h>

using namespace vesk;
using namespace vesk::testing;

namespace {

constexpr const char* operation = "/api/desktop/settings/audit-improvement";
constexpr const char* notSaved = "Your change was not saved. Please try again.";

// Every value the consent message and the saving flag took, in order.
struct ConsentLog {
  explicit ConsentLog(AccountState& state) {
    state.consentFeedback.signalChanged().connect([&] { messages.push_back(*state.consentFeedback); });
    state.savingConsent.signalChanged().connect([&] { saving.push_back(*state.savingConsent); });
  }
  std::vector<std::string> messages;
  std::vector<bool> saving;
};

bool heldConsent(const AccountState& state) { return (*state.snapshot)->improvementConsent->enabled; }

}  // namespace

TEST(AccountConsent, AChangeThatTookIsSavedAndOneThatDidNotIsSaidSo) {
  AccountHarness h;
  h.bindAndLoad();
  const ConsentLog log(*h.state);
  h.run(h.state->changeConsent(h.api()));
  const auto writes = h.service.requestsTo("PATCH", operation);
  ASSERT_EQ(writes.size(), 1u);
  EXPECT_EQ(nlohmann::json::parse(writes[0].body), (nlohmann::json{{"enabled", true}, {"policyVersion", "2024-06"}}));
  EXPECT_EQ(writes[0].header("Authorization"), "Bearer token-1");
  EXPECT_EQ(log.messages, (std::vector<std::string>{"Saving your choice…", "Choice saved."}));
  EXPECT_EQ(log.saving, (std::vector<bool>{true, false}));
  EXPECT_FALSE(h.state->consentError.get());
  EXPECT_TRUE(heldConsent(*h.state));
  EXPECT_EQ(*h.state->noticeArea, AccountNoticeArea::account) << "the consent keeps its own messages";

  h.service.reply("PATCH", operation, Reply::json(R"({"enabled":true})"));
  h.run(h.state->changeConsent(h.api()));
  EXPECT_EQ(h.state->consentFeedback.get(), notSaved);
  EXPECT_TRUE(h.state->consentError.get());
  EXPECT_TRUE(heldConsent(*h.state)) << "the snapshot holds what the service holds";
  EXPECT_FALSE(h.state->consentUncertain.get());
  EXPECT_EQ(h.service.requestsTo("GET", operation).size(), 0u);
}

TEST(AccountConsent, ADefiniteRefusalShowsTheServicesWords) {
  AccountHarness h;
  h.settings.account().policyVersion = "2024-07";  // the service moved on since the settings were read
  h.bindAndLoad();
  h.settings.account().policyVersion = "2024-08";
  h.run(h.state->changeConsent(h.api()));
  EXPECT_EQ(h.state->consentFeedback.get(), "The policy changed. Refresh to read the new one.");
  EXPECT_TRUE(h.state->consentError.get());
  EXPECT_FALSE(h.state->consentUncertain.get());
  EXPECT_FALSE(h.state->savingConsent.get());
  EXPECT_FALSE(heldConsent(*h.state));
  EXPECT_EQ(h.service.requestsTo("GET", operation).size(), 0u);
}

TEST(AccountConsent, AnUnconfirmedChangeIsSettledByReadingTheChoiceBack) {
  AccountHarness h;
  h.bindAndLoad();
  auto& stored = h.settings.account();
  // The service stores the choice, then fails before it answers.
  h.service.on("PATCH", operation, [&](const RecordedRequest& request) {
    stored.consent = nlohmann::json::parse(request.body).at("enabled").get<bool>();
    return Reply::error(503, "Unavailable.");
  });
  const ConsentLog log(*h.state);
  h.run(h.state->changeConsent(h.api()));
  EXPECT_EQ(log.messages,
            (std::vector<std::string>{"Saving your choice…", "Checking your saved choice…", "Choice saved."}));
  EXPECT_EQ(log.saving, (std::vector<bool>{true, false})) << "the nested check leaves the flag to the change";
  EXPECT_FALSE(h.state->consentError.get());
  EXPECT_TRUE(heldConsent(*h.state));

  // It did not take: the read shows the old value.
  h.service.reply("PATCH", operation, Reply::error(500, "Oops."));
  h.run(h.state->changeConsent(h.api()));
  EXPECT_EQ(h.state->consentFeedback.get(), notSaved);
  EXPECT_TRUE(h.state->consentError.get());
  EXPECT_FALSE(h.state->consentUncertain.get());

  // A reply that does not decode is unconfirmed too.
  h.service.reply("PATCH", operation, Reply::json(R"({"enabled":"false"})"));
  h.service.clearRequests();
  h.run(h.state->changeConsent(h.api()));
  EXPECT_EQ(h.service.requestsTo("GET", operation).size(), 1u);
}

TEST(AccountConsent, AFailedCheckBlocksChangesUntilACheckSucceeds) {
  AccountHarness h;
  h.bindAndLoad();
  h.service.reply("PATCH", operation, Reply::error(503, "Unavailable."));
  h.service.reply("GET", operation, Reply::error(502, "Bad gateway."));
  h.run(h.state->changeConsent(h.api()));
  EXPECT_TRUE(h.state->consentUncertain.get());
  EXPECT_TRUE(h.state->consentError.get());
  EXPECT_EQ(h.state->consentFeedback.get(),
            "Could not confirm your saved choice. Check it below or refresh your account.");
  EXPECT_FALSE(h.state->savingConsent.get());

  h.service.clearRequests();
  h.run(h.state->changeConsent(h.api()));
  EXPECT_TRUE(h.service.requests().empty()) << "an uncertain consent is not written again";

  const FakeSettings service(h.service, AccountHarness::token);
  const ConsentLog log(*h.state);
  h.run(h.state->checkConsent(h.api(), std::nullopt));
  EXPECT_EQ(log.saving, (std::vector<bool>{true, false}));
  EXPECT_EQ(h.state->consentFeedback.get(), "Saved choice confirmed.");
  EXPECT_FALSE(h.state->consentError.get());
  EXPECT_FALSE(h.state->consentUncertain.get());
  h.run(h.state->changeConsent(h.api()));
  EXPECT_EQ(h.state->consentFeedback.get(), "Choice saved.");
}

TEST(AccountConsent, ACheckLeavesTheSavingFlagToTheChangeThatSetIt) {
  AccountHarness h;
  h.bindAndLoad();
  Reply held = Reply::json(R"({"enabled":true})");
  held.stall = true;
  h.service.reply("PATCH", operation, held);
  auto change = async::spawn(h.state->changeConsent(h.api()));
  ASSERT_TRUE(runUntil([&] { return h.service.stalledCount() == 1; }));

  h.run(h.state->checkConsent(h.api(), std::nullopt));
  EXPECT_EQ(h.state->consentFeedback.get(), "Saved choice confirmed.");
  EXPECT_TRUE(h.state->savingConsent.get()) << "the change is still waiting for its reply";
  EXPECT_TRUE(h.state->busy());
  h.service.releaseStalled();
  waitFor(change);
  EXPECT_FALSE(h.state->savingConsent.get());
  EXPECT_EQ(h.state->consentFeedback.get(), "Choice saved.");
}

TEST(AccountConsent, NothingToChangeWithoutAConsentOrAClientOfThisConnection) {
  AccountHarness h;
  h.settings.account().consent = std::nullopt;
  h.bindAndLoad();
  h.run(h.state->changeConsent(h.api()));
  h.run(h.state->checkConsent(h.api("token-2"), std::nullopt));
  h.run(h.state->checkConsent(std::nullopt, true));
  EXPECT_TRUE(h.service.requests().empty());
  EXPECT_TRUE(h.state->consentFeedback->empty());
  EXPECT_FALSE(h.state->savingConsent.get());
}

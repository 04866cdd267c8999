// What the account screen, its settings sections and the typed-phrase sheet show: the
// sentences built from the settings, where notices go and which controls are enabled.
#include "core/account/account_screen_rules.h"
#include "core/account/account_state.h"

#include <gtest/gtest.h>

using namespace vesk;
namespace rules = vesk::account_rules;

namespace {

AccountSettingsSnapshot snapshot(std::optional<bool> consent) {
  AccountSettingsSnapshot s;
  s.displayName = "Ada";
  s.email = "ada@example.com";
  if (consent) s.improvementConsent = ImprovementChoice(*consent);
  return s;
}

AccountEntitlements entitlements(std::optional<std::int64_t> bonus, bool quick = true) {
  AccountEntitlements e;
  e.plan = "free";
  e.auditBalance = 2;
  if (quick) {
    QuickAccess q;
    q.bonusBalance = bonus;
    e.quick = q;
  }
  return e;
}

}  // namespace

TEST(AccountScreenRules, TheRunsLineIsSingularOnlyForOneAndTheBonusLineStartsAtOne) {
  EXPECT_EQ(rules::runsHeadline(0), "0 runs available.");
  EXPECT_EQ(rules::runsHeadline(1), "1 run available.");
  EXPECT_EQ(rules::runsHeadline(2), "2 runs available.");
  EXPECT_EQ(rules::runsHeadline(-1), "-1 runs available.");
  EXPECT_FALSE(rules::bonusLine(entitlements(std::nullopt, false)));
  EXPECT_FALSE(rules::bonusLine(entitlements(std::nullopt)));
  EXPECT_FALSE(rules::bonusLine(entitlements(0)));
  EXPECT_FALSE(rules::bonusLine(entitlements(-3)));
  EXPECT_EQ(rules::bonusLine(entitlements(1)), "1 bonus Quick reads available. They never expire.");
  EXPECT_EQ(rules::bonusLine(entitlements(12000)), "12000 bonus Quick reads available. They never expire.");
}

TEST(AccountScreenRules, TheConsentStatusPutsUnconfirmedOverUnavailableOverOnAndOff) {
  auto state = AccountState::create();
  EXPECT_EQ(rules::consentStatus(*state), "Unavailable") << "no snapshot";
  EXPECT_FALSE(rules::consentOn(*state->snapshot));
  EXPECT_FALSE(rules::consentSwitchEnabled(*state));

  state->snapshot = snapshot(std::nullopt);
  EXPECT_EQ(rules::consentStatus(*state), "Unavailable") << "no consent asked of the account";
  EXPECT_FALSE(rules::consentSwitchEnabled(*state));
  state->consentUncertain = true;
  EXPECT_EQ(rules::consentStatus(*state), "Unconfirmed");
  state->consentUncertain = false;

  state->snapshot = snapshot(true);
  EXPECT_EQ(rules::consentStatus(*state), "On");
  EXPECT_TRUE(rules::consentOn(*state->snapshot));
  EXPECT_TRUE(rules::consentSwitchEnabled(*state));
  state->snapshot = snapshot(false);
  EXPECT_EQ(rules::consentStatus(*state), "Off");

  state->snapshot = snapshot(true);
  state->consentUncertain = true;
  EXPECT_EQ(rules::consentStatus(*state), "Unconfirmed") << "not On while the write is unconfirmed";
  EXPECT_TRUE(rules::consentOn(*state->snapshot)) << "the switch still shows the stored choice";
  EXPECT_FALSE(rules::consentSwitchEnabled(*state));
  state->consentUncertain = false;
  for (auto* flag : {&state->savingConsent, &state->loading, &state->reconnectRequired, &state->deleting}) {
    *flag = true;
    EXPECT_FALSE(rules::consentSwitchEnabled(*state));
    *flag = false;
  }
  EXPECT_TRUE(rules::consentSwitchEnabled(*state));
}

TEST(AccountScreenRules, ANoticeShowsOnlyInItsAreaAndTheErrorWins) {
  auto state = AccountState::create();
  state->snapshot = snapshot(false);
  state->feedback = std::string("Cleared 2 runs.");
  state->noticeArea = AccountNoticeArea::deletion;
  EXPECT_EQ(rules::notice(*state, AccountNoticeArea::deletion), (rules::Notice{"Cleared 2 runs.", false}));
  for (const auto other : {AccountNoticeArea::account, AccountNoticeArea::profile, AccountNoticeArea::archive})
    EXPECT_FALSE(rules::notice(*state, other));
  EXPECT_FALSE(rules::accountAreaError(*state));

  state->error = std::string("Not found.");
  EXPECT_EQ(rules::notice(*state, AccountNoticeArea::deletion), (rules::Notice{"Not found.", true}));
  EXPECT_FALSE(rules::accountAreaError(*state)) << "not the account area";
  EXPECT_FALSE(rules::loadError(*state)) << "a snapshot is held";

  state->noticeArea = AccountNoticeArea::account;
  EXPECT_EQ(rules::accountAreaError(*state), "Not found.");
  state->snapshot = std::nullopt;
  EXPECT_FALSE(rules::accountAreaError(*state)) << "before the first snapshot the error stands above the column";
  EXPECT_EQ(rules::loadError(*state), "Not found.");
}

TEST(AccountScreenRules, ThePhraseIsTrimmedAndCaseFreeButOtherwiseExact) {
  EXPECT_TRUE(rules::phraseMatches("clear runs", AccountDeletion::runs));
  EXPECT_TRUE(rules::phraseMatches("  CLEAR Runs\n", AccountDeletion::runs));
  EXPECT_FALSE(rules::phraseMatches("clear  runs", AccountDeletion::runs));
  EXPECT_FALSE(rules::phraseMatches("clear runs.", AccountDeletion::runs));
  EXPECT_FALSE(rules::phraseMatches("delete everything", AccountDeletion::runs));
  EXPECT_TRUE(rules::phraseMatches("Delete Everything ", AccountDeletion::workspace));
  EXPECT_FALSE(rules::phraseMatches("clear runs", AccountDeletion::workspace));

  const auto runs = rules::deletionTexts(AccountDeletion::runs);
  EXPECT_EQ(runs.title, "Clear all runs?");
  EXPECT_EQ(runs.fieldLabel, "Type clear runs to confirm.");
  EXPECT_EQ(runs.confirm, "Clear runs");
  const auto workspace = rules::deletionTexts(AccountDeletion::workspace);
  EXPECT_EQ(workspace.title, "Delete the whole workspace?");
  EXPECT_EQ(workspace.fieldLabel, "Type delete everything to confirm.");
  EXPECT_EQ(workspace.confirm, "Delete workspace");

  auto state = AccountState::create();
  EXPECT_TRUE(rules::canConfirmDeletion(*state, " Clear runs", AccountDeletion::runs));
  for (auto* flag :
       {&state->deleting, &state->loading, &state->exporting, &state->reconnectRequired, &state->deletionUncertain}) {
    *flag = true;
    EXPECT_FALSE(rules::canConfirmDeletion(*state, "clear runs", AccountDeletion::runs));
    EXPECT_FALSE(rules::dangerEnabled(*state));
    *flag = false;
  }
  EXPECT_TRUE(rules::dangerEnabled(*state));
}

TEST(AccountScreenRules, TheEmailTextsTheTopPaddingAndTheAddresses) {
  EXPECT_EQ(rules::emailLine(std::nullopt), "No email on file");
  auto s = snapshot(false);
  EXPECT_EQ(rules::emailLine(s), "ada@example.com");
  s.email.clear();
  EXPECT_EQ(rules::emailLine(s), "No email on file");

  const std::string fixed =
      "Vesk sends sign-in codes and subscription confirmations to your account or billing email. For help, contact "
      "help@example.com.";
  EXPECT_EQ(rules::emailStandfirst(std::nullopt, "help@example.com"), fixed);
  EXPECT_EQ(rules::emailStandfirst(s, "help@example.com"), fixed) << "no notifications";
  s.notifications = AccountNotifications{"", false};
  EXPECT_EQ(rules::emailStandfirst(s, "help@example.com"), "") << "the service's message even when empty";
  s.notifications = AccountNotifications{"We send receipts.", true};
  EXPECT_EQ(rules::emailStandfirst(s, "help@example.com"), "We send receipts.");

  EXPECT_EQ(rules::topPadding(112), 144);
  EXPECT_EQ(rules::topPadding(60), 144);
  EXPECT_EQ(rules::topPadding(130), 162);

  EXPECT_EQ(rules::pricingAddress("http://127.0.0.1:8787"), "http://127.0.0.1:8787/pricing?from=settings");
  EXPECT_EQ(rules::pricingAddress("https://vesk.example/app"), "https://vesk.example/app/pricing?from=settings");
  EXPECT_EQ(rules::pricingAddress("https://vesk.example/"), "https://vesk.example/pricing?from=settings");
  EXPECT_FALSE(rules::pricingAddress(""));
  EXPECT_EQ(rules::closeAccountMailto("help@example.com"), "mailto:help@example.com?subject=Close%20my%20account");
}

// The settings records decode strictly: one bad value fails the whole snapshot.
#include "core/account/account_settings_records.h"
#include "core/account/account_deletion.h"
#include "support/record_decoding.h"

#include <gtest/gtest.h>

using nlohmann::json;
using vesk::testing::decodeRecord;
using vesk::testing::decodingFailure;
using namespace vesk;

namespace {

// A complete settings reply with one member replaced (or, with `remove`, left out).
std::string settingsWith(const char* key, json value, bool remove = false) {
  json settings = {{"displayName", "Ada"},
                   {"email", "ada@example.com"},
                   {"improvementConsent", {{"enabled", true}}},
                   {"entitlements",
                    {{"plan", "studio"},
                     {"auditBalance", 4},
                     {"membershipActive", true},
                     {"freeWeek", {{"active", true}, {"daysLeft", 3}}},
                     {"quick", {{"allowed", true}, {"perDay", 5}, {"remainingToday", 4}, {"bonusBalance", 2}}},
                     {"caps", {{"urlsPerRun", 5}}}}},
                   {"consentPolicyVersion", "2024-06"},
                   {"collectionActive", false},
                   {"notifications", {{"message", "Only about runs."}, {"configurable", false}}},
                   {"somethingNew", [] {
                      return json::array({1, 2});
                    }()}};
  if (remove) {
    settings.erase(key);
  } else {
    settings[key] = std::move(value);
  }
  return settings.dump();
}

}  // namespace

TEST(AccountSettingsRecords, AFullReplyDecodesEveryMember) {
  const auto settings = decodeRecord<AccountSettingsSnapshot>(settingsWith("email", "ada@example.com"));
  EXPECT_EQ(settings.displayName, "Ada");
  EXPECT_EQ(settings.email, "ada@example.com");
  ASSERT_TRUE(settings.improvementConsent);
  EXPECT_TRUE(settings.improvementConsent->enabled);
  ASSERT_TRUE(settings.entitlements);
  EXPECT_EQ(settings.entitlements->plan, "studio");
  EXPECT_EQ(settings.entitlements->auditBalance, 4);
  EXPECT_TRUE(settings.entitlements->membershipActive);
  ASSERT_TRUE(settings.entitlements->freeWeek && settings.entitlements->quick && settings.entitlements->caps);
  EXPECT_EQ(settings.entitlements->freeWeek->daysLeft, 3);
  EXPECT_EQ(settings.entitlements->quick->bonusBalance, 2);
  EXPECT_EQ(settings.entitlements->caps->urlsPerRun, 5);
  EXPECT_EQ(settings.consentPolicyVersion, "2024-06");
  EXPECT_FALSE(settings.collectionActive);
  ASSERT_TRUE(settings.notifications);
  EXPECT_EQ(settings.notifications->message, "Only about runs.");
}

TEST(AccountSettingsRecords, OptionalMembersMayBeMissingOrNull) {
  for (const char* key : {"improvementConsent", "entitlements", "notifications"}) {
    const auto missing = decodeRecord<AccountSettingsSnapshot>(settingsWith(key, nullptr, true));
    const auto null = decodeRecord<AccountSettingsSnapshot>(settingsWith(key, nullptr));
    EXPECT_EQ(missing, null) << key;
  }
  EXPECT_FALSE(decodeRecord<AccountSettingsSnapshot>(settingsWith("improvementConsent", nullptr)).improvementConsent);
  EXPECT_FALSE(decodeRecord<AccountSettingsSnapshot>(settingsWith("entitlements", nullptr)).entitlements);

  const json bare = {{"plan", "free"}, {"auditBalance", 0}, {"membershipActive", false}};
  const auto entitlements = decodeRecord<AccountSettingsSnapshot>(settingsWith("entitlements", bare)).entitlements;
  ASSERT_TRUE(entitlements);
  EXPECT_FALSE(entitlements->freeWeek || entitlements->quick || entitlements->caps);
}

TEST(AccountSettingsRecords, ABadRequiredOrNestedValueFailsTheWholeSnapshot) {
  const struct {
    std::string reply;
    const char* failure;
  } cases[] = {
      {settingsWith("collectionActive", nullptr, true), "collectionActive: missing"},
      {settingsWith("collectionActive", "true"), "collectionActive: expected true or false, got string"},
      {settingsWith("email", nullptr), "email: null"},
      {settingsWith("consentPolicyVersion", 2), "consentPolicyVersion: expected text, got number"},
      {settingsWith("improvementConsent", {{"enabled", "true"}}),
       "improvementConsent.enabled: expected true or false, got string"},
      {settingsWith("improvementConsent", true), "improvementConsent: expected an object, got boolean"},
      {settingsWith("entitlements", {{"auditBalance", 1}, {"membershipActive", true}}), "entitlements.plan: missing"},
      {settingsWith("entitlements", {{"plan", "s"}, {"auditBalance", 1.5}, {"membershipActive", true}}),
       "entitlements.auditBalance"},
      {settingsWith("notifications", {{"message", "m"}}), "notifications.configurable: missing"},
  };
  for (const auto& c : cases) {
    const auto failure = decodingFailure<AccountSettingsSnapshot>(c.reply);
    ASSERT_TRUE(failure) << c.reply;
    EXPECT_NE(failure->find(c.failure), std::string::npos) << *failure;
  }
}

TEST(AccountSettingsRecords, ImprovementChoiceDecodesAndEncodesOneFlag) {
  EXPECT_EQ(ImprovementChoice(true).toJson().dump(), R"({"enabled":true})");
  EXPECT_EQ(ImprovementChoice(false).toJson().dump(), R"({"enabled":false})");
  EXPECT_TRUE(decodeRecord<ImprovementChoice>(R"({"enabled":true,"policyVersion":"x"})").enabled);
  EXPECT_TRUE(decodingFailure<ImprovementChoice>(R"({"enabled":1})"));
  EXPECT_TRUE(decodingFailure<ImprovementChoice>(R"({})"));
}

TEST(AccountDeletionName, BuildsADeletionOnlyFromItsExactName) {
  EXPECT_EQ(accountDeletion("runs"), AccountDeletion::runs);
  EXPECT_EQ(accountDeletion("workspace"), AccountDeletion::workspace);
  for (const char* other : {"Runs", "", "WORKSPACE", "runs ", "run", "settings/runs"})
    EXPECT_FALSE(accountDeletion(other)) << other;
  EXPECT_EQ(rawValue(AccountDeletion::runs), "runs");
  EXPECT_EQ(rawValue(AccountDeletion::workspace), "workspace");
}

// The fake's settings operations answer only the account's own token and keep what they
// are sent, as the service does.
#include "fake_service/fake_settings.h"
#include "core/api/desktop_api.h"
#include "support/expect_failure.h"
#include "support/run_loop.h"

#include <gtest/gtest.h>

using namespace vesk;
using namespace vesk::testing;

TEST(FakeSettings, AnswersTheAccountsTokenOnlyAndKeepsWhatItIsSent) {
  FakeService service;
  FakeSettings settings(service, "token-1");
  const DesktopAPI api{service.origin(), "token-1"};
  const DesktopAPI stranger{service.origin(), "token-2"};

  EXPECT_EQ(failureOf<DesktopHTTPError>(stranger.raw("settings", std::nullopt, std::nullopt, Auth::bearer)).status(),
            401);
  runTask(api.raw("feedback", JsonObject{{"body", "The export is great."}, {"fromPath", "/linux/account"}},
                  std::nullopt, Auth::bearer));
  ASSERT_EQ(settings.account().feedback.size(), 1u);
  EXPECT_EQ(settings.account().feedback[0].body, "The export is great.");
  EXPECT_EQ(settings.account().feedback[0].fromPath, "/linux/account");

  const auto refused = failureOf<DesktopHTTPError>(api.raw(
      "settings/audit-improvement", JsonObject{{"enabled", true}, {"policyVersion", "old"}}, "PATCH", Auth::bearer));
  EXPECT_EQ(refused.status(), 409);
  EXPECT_EQ(settings.account().consent, false);

  EXPECT_EQ(runTask(api.raw("settings/export", std::nullopt, std::nullopt, Auth::bearer)), FakeSettings::emptyZip());
  EXPECT_EQ(runTask(api.raw("settings/runs", std::nullopt, "DELETE", Auth::bearer)), R"({"deletedRuns":3,"ok":true})");
  EXPECT_EQ(settings.account().runs, 0);
}
